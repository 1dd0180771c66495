#pragma once
// Missed-call locations: 500 caller numbers of 16 bytes (MissedCallNumbers) and 500 access
// rules of 8 bytes (MissedCallAccessRules). A location is defined exactly when its number
// is not blank; undefined ones are never written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/text_fields.h"
#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t MissedCallCount = 500;
inline constexpr uint8_t ConfirmationBit = 0x80;  // in the action byte

struct TMissedCallLocation {
    std::u16string Number;     // digits without the "+", at most 15
    bool TimeWindow = false;
    uint8_t StartHour = 0;
    uint8_t StartMinute = 0;
    uint8_t StopHour = 23;
    uint8_t StopMinute = 59;
    uint8_t WeekDays = 0xFF;
    uint8_t Relay = 0;         // 0-based
    uint8_t Action = 1;        // bits 0..6: 1 On, 2 Off, 3 Pulse, 4 Toggle; bit 7: confirmation SMS
    uint8_t Count = 0;         // operation limit, 0 = none

    bool IsDefined() const { return !IsBlank(Number); }
    bool operator==(const TMissedCallLocation&) const = default;
};

// Location Index (0-based). Undefined gives the reset values; a rule without a time window
// (hour byte 0xFF) reads as 00:00-23:59 on every day.
TMissedCallLocation DecodeMissedCall(const TKVXConfig& Config, size_t Index);
// Writes the number and the whole rule; without a time window bytes 0..4 become 0xFF.
// An undefined location, or an index past the block, writes nothing.
void EncodeMissedCall(TKVXConfig& Config, size_t Index, const TMissedCallLocation& Location);
// Erases the number and the rule; past the block, nothing.
void EraseMissedCall(TKVXConfig& Config, size_t Index);

} // namespace kvx
