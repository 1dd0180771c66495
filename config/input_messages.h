#pragma once
// InputMessages: 18 slots of 16 bytes (input 1 high, input 1 low, ... input 9 low),
// space-padded, with a delay word per slot for inputs 1..7 (Input1HighDelay ..).
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t InputCount = 9;
inline constexpr size_t InputMessageCount = 2 * InputCount;
inline constexpr size_t InputsWithDelay = 7;
inline constexpr uint32_t InputDelayUnitsPerSecond = 20;
// The most a delay edit takes, and shows of a larger stored delay.
inline constexpr uint32_t InputDelayMaximumSeconds = 3000;

enum class TInputSide : uint8_t { High = 0, Low = 1 };

// Slot of input 1..9 on one side.
constexpr size_t InputMessageSlot(unsigned Input, TInputSide Side)
{
    return 2 * (Input - 1) + static_cast<size_t>(Side);
}
constexpr bool InputMessageHasDelay(size_t Slot) { return Slot < 2 * InputsWithDelay; }

struct TInputMessage {
    bool Enabled = false;        // the message's check box
    std::u16string Text;         // at most 16 characters
    uint32_t DelaySeconds = 0;   // inputs 1..7 only

    bool operator==(const TInputMessage&) const = default;
};

// A slot with text is enabled; the delay is the stored word / 20 (0 for inputs 8 and 9).
TInputMessage DecodeInputMessage(const TKVXConfig& Config, size_t Slot);
// Enabled: writes non-empty text and, for inputs 1..7, the delay word (seconds x 20, low
// 16 bits). Disabled: leaves the text and writes a zero delay.
void EncodeInputMessage(TKVXConfig& Config, size_t Slot, const TInputMessage& Message);

} // namespace kvx
