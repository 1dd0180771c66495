#pragma once
// The unit's real-time clock, set by the PC's command 0x05 and running on from there.
#include <cstdint>
#include <optional>

namespace kvx::sim {

struct TUnitDateTime {
    int Year = 2000; // 2000..2099
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;

    bool operator==(const TUnitDateTime&) const = default;
};

// The payload of command 0x05: hour, minute, second, day, month, year as packed BCD, then
// 0xAA 0x55. Empty when a digit is not decimal, a value is out of range or the tail is wrong.
std::optional<TUnitDateTime> DecodeSetTimePayload(const uint8_t* Payload);

TUnitDateTime AddSeconds(const TUnitDateTime& Time, uint64_t Seconds);

// The inverse of the decoding, six BCD bytes in the same order.
void EncodeBCDTime(const TUnitDateTime& Time, uint8_t* Bytes);

} // namespace kvx::sim
