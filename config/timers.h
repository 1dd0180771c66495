#pragma once
// Timer locations: 64 events of 8 bytes (TimerEvents) and 64 labels of 16 (TimerLabels).
// A location is defined exactly when its label is not blank; undefined ones are never written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/text_fields.h"
#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t TimerCount = 64;

struct TTimerLocation {
    std::u16string Label;      // at most 16 characters
    uint8_t Hour = 0;          // 0..23
    uint8_t Minute = 0;        // 0..59
    uint8_t WeekDays = 0xFF;   // week-day bits
    uint8_t Relay = 0;         // 0-based
    uint8_t Action = 1;        // 1 On, 2 Off, 3 Pulse, 4 Toggle
    uint8_t Confirmation = 0;  // 0xFF: send a confirmation SMS

    bool IsDefined() const { return !IsBlank(Label); }
    bool operator==(const TTimerLocation&) const = default;
};

// Location Index (0-based); an undefined location, or an index past the block, gives the reset values.
TTimerLocation DecodeTimer(const TKVXConfig& Config, size_t Index);
// Writes the label (space-padded) and event bytes 0..5; bytes 6 and 7 are left as they are.
// An undefined location, or an index past the block, writes nothing.
void EncodeTimer(TKVXConfig& Config, size_t Index, const TTimerLocation& Location);
// Erases the label and the event bytes EncodeTimer writes; past the block, nothing.
void EraseTimer(TKVXConfig& Config, size_t Index);

} // namespace kvx
