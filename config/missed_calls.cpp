#include "config/missed_calls.h"

#include <cstring>

#include "config/text_fields.h"
#include "config/week_days.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr size_t NumberSize = 16;
constexpr size_t RuleSize = 8;
constexpr uint8_t NoTimeWindow = 0xFF;

static_assert(MissedCallCount * NumberSize == decltype(TKVXConfig::MissedCallNumbers)::Size);
static_assert(MissedCallCount * RuleSize == decltype(TKVXConfig::MissedCallAccessRules)::Size);

uint8_t FromBCD(const uint8_t& Byte) { return static_cast<uint8_t>(TUtils::BCD2BIN(&Byte, 1)); }

} // namespace

TMissedCallLocation DecodeMissedCall(const TKVXConfig& Config, size_t Index)
{
    TMissedCallLocation location;
    if (Index >= MissedCallCount) return location;
    location.Number = ReadPhoneNumber(&Config.MissedCallNumbers[Index * NumberSize], NumberSize);
    if (!location.IsDefined()) return location;
    const uint8_t* rule = &Config.MissedCallAccessRules[Index * RuleSize];
    location.TimeWindow = rule[0] != NoTimeWindow;
    if (location.TimeWindow) {
        location.StartHour = FromBCD(rule[0]);
        location.StartMinute = FromBCD(rule[1]);
        location.StopHour = FromBCD(rule[2]);
        location.StopMinute = FromBCD(rule[3]);
        location.WeekDays = rule[4];
    } else {
        location.WeekDays = EveryWeekDay;
    }
    location.Relay = rule[5];
    location.Action = rule[6];
    location.Count = rule[7];
    return location;
}

void EncodeMissedCall(TKVXConfig& Config, size_t Index, const TMissedCallLocation& Location)
{
    if (Index >= MissedCallCount || !Location.IsDefined()) return;
    WritePhoneNumber(&Config.MissedCallNumbers[Index * NumberSize], NumberSize, Location.Number);
    uint8_t* rule = &Config.MissedCallAccessRules[Index * RuleSize];
    rule[5] = Location.Relay;
    rule[6] = Location.Action;
    rule[7] = Location.Count;
    if (Location.TimeWindow) {
        TUtils::BIN2BCD(Location.StartHour, &rule[0]);
        TUtils::BIN2BCD(Location.StartMinute, &rule[1]);
        TUtils::BIN2BCD(Location.StopHour, &rule[2]);
        TUtils::BIN2BCD(Location.StopMinute, &rule[3]);
        rule[4] = Location.WeekDays;
    } else {
        std::memset(rule, NoTimeWindow, 5);
    }
}

void EraseMissedCall(TKVXConfig& Config, size_t Index)
{
    if (Index >= MissedCallCount) return;
    EraseField(&Config.MissedCallNumbers[Index * NumberSize], NumberSize);
    EraseField(&Config.MissedCallAccessRules[Index * RuleSize], RuleSize);
}

} // namespace kvx
