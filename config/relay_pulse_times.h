#pragma once
// Relay1PulseTime .. Relay8PulseTime: pulse times in seconds, most significant byte first.
#include <cstddef>
#include <cstdint>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t RelayCount = 8;
// The longest pulse the relays page takes, and so stores.
inline constexpr uint32_t RelayPulseMaximumSeconds = 1000;

// Relay Index 0..7 (relay 1..8); 0 past the last relay.
uint16_t DecodeRelayPulseTime(const TKVXConfig& Config, size_t Index);
// Keeps the low 16 bits of Seconds, as the page always has.
void EncodeRelayPulseTime(TKVXConfig& Config, size_t Index, uint32_t Seconds);

} // namespace kvx
