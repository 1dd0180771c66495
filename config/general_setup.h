#pragma once
// The General setup page's fields: reporting name, self test, mains delays, tamper, serial use.
#include <cstdint>
#include <optional>
#include <string>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr uint8_t TamperDisabled = 255;
// The most the mains delay edits take, and show of a larger stored delay.
inline constexpr uint32_t DelayMinutesMaximum = 999;

enum class TSerialInterface : uint8_t { IOExpander = 0, DSC = 1, Disabled = 255 };

struct TSelfTest {
    uint8_t Hours = 12;         // 0..23
    uint8_t Minutes = 0;        // 0..59
    uint8_t WeekDays = 0x7F;    // week-day bits; bit 7 is never stored

    bool operator==(const TSelfTest&) const = default;
};

std::u16string DecodeUnitID(const TKVXConfig& Config);
// Cut to 16 characters, padded with spaces.
void EncodeUnitID(TKVXConfig& Config, const std::u16string& UnitID);

// Empty (self test off) when either time byte is 0xFF.
std::optional<TSelfTest> DecodeSelfTest(const TKVXConfig& Config);
// Hours and minutes as BCD, the week days without bit 7. A self test that is off is not
// stored at all, so the fields keep their 0xFF.
void EncodeSelfTest(TKVXConfig& Config, const std::optional<TSelfTest>& SelfTest);

// ACFailTimeout and ACRestoreTimeout hold seconds; the pages edit whole minutes.
uint32_t DecodeDelayMinutes(const TWordMSBFirst& Field);
// Minutes x 60, low 16 bits.
void EncodeDelayMinutes(TWordMSBFirst& Field, uint32_t Minutes);

// 0 I/O expander, 1 DSC functions; any other value reads as disabled.
TSerialInterface DecodeSerialInterface(const TKVXConfig& Config);
void EncodeSerialInterface(TKVXConfig& Config, TSerialInterface Interface);

} // namespace kvx
