#include "sim/unit_clock.h"

#include <chrono>

namespace kvx::sim {

namespace {

std::optional<int> BCDValue(uint8_t byte)
{
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9 || low > 9) return std::nullopt;
    return high * 10 + low;
}

uint8_t BCDByte(int value)
{
    return static_cast<uint8_t>((value / 10 % 10) << 4 | value % 10);
}

} // namespace

std::optional<TUnitDateTime> DecodeSetTimePayload(const uint8_t* Payload)
{
    if (Payload[6] != 0xAA || Payload[7] != 0x55) return std::nullopt;
    int values[6];
    for (int i = 0; i < 6; ++i) {
        const auto v = BCDValue(Payload[i]);
        if (!v) return std::nullopt;
        values[i] = *v;
    }
    const TUnitDateTime time{2000 + values[5], values[4], values[3], values[0], values[1], values[2]};
    using namespace std::chrono;
    const year_month_day date{year{time.Year}, month{static_cast<unsigned>(time.Month)},
                              day{static_cast<unsigned>(time.Day)}};
    if (!date.ok() || time.Hour > 23 || time.Minute > 59 || time.Second > 59) return std::nullopt;
    return time;
}

TUnitDateTime AddSeconds(const TUnitDateTime& Time, uint64_t Seconds)
{
    using namespace std::chrono;
    const sys_days date{year{Time.Year} / month{static_cast<unsigned>(Time.Month)} /
                        day{static_cast<unsigned>(Time.Day)}};
    const auto moment = date + hours{Time.Hour} + minutes{Time.Minute} + seconds{Time.Second} +
                        seconds{static_cast<int64_t>(Seconds)};
    const auto newDate = floor<days>(moment);
    const year_month_day ymd{newDate};
    const hh_mm_ss clock{moment - newDate};
    // The unit keeps a two-digit year: 2099 rolls over to 2000.
    const int yearInCentury = (static_cast<int>(ymd.year()) - 2000) % 100;
    return {2000 + yearInCentury,
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count())};
}

void EncodeBCDTime(const TUnitDateTime& Time, uint8_t* Bytes)
{
    const int values[6] = {Time.Hour, Time.Minute, Time.Second, Time.Day, Time.Month, Time.Year};
    for (int i = 0; i < 6; ++i) Bytes[i] = BCDByte(values[i]);
}

} // namespace kvx::sim
