#pragma once
// 16-bit recipient masks: bit n - 1 = recipient n (1..10); bits 10..15 are never stored.
#include <cstddef>
#include <cstdint>

namespace kvx {

inline constexpr size_t RecipientCount = 10;
inline constexpr uint16_t RecipientMaskBits = 0x03FF;

constexpr uint16_t RecipientBit(unsigned Recipient) { return static_cast<uint16_t>(1u << (Recipient - 1)); }
constexpr bool HasRecipient(uint16_t Mask, unsigned Recipient) { return (Mask & RecipientBit(Recipient)) != 0; }

} // namespace kvx
