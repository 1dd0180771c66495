#include "config/missed_calls.h"

#include <cstring>

#include "config/text_fields.h"
#include "config/week_days.h"
#include "image/list_records.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr size_t NumberSize = 16;
constexpr uint8_t NoTimeWindow = 0xFF;

static_assert(MissedCallCount * NumberSize == decltype(TKVXConfig::MissedCallNumbers)::Size);
static_assert(MissedCallCount * sizeof(TMissedCallRuleRecord) == decltype(TKVXConfig::MissedCallAccessRules)::Size);

uint8_t FromBCD(const uint8_t& Byte) { return static_cast<uint8_t>(TUtils::BCD2BIN(&Byte, 1)); }

} // namespace

TMissedCallLocation DecodeMissedCall(const TKVXConfig& Config, size_t Index)
{
    TMissedCallLocation location;
    if (Index >= MissedCallCount) return location;
    location.Number = ReadPhoneNumber(&Config.MissedCallNumbers[Index * NumberSize], NumberSize);
    if (!location.IsDefined()) return location;
    const auto rule = LoadRecord<TMissedCallRuleRecord>(Config.MissedCallAccessRules, Index);
    location.TimeWindow = rule.StartHour != NoTimeWindow;
    if (location.TimeWindow) {
        location.StartHour = FromBCD(rule.StartHour);
        location.StartMinute = FromBCD(rule.StartMinute);
        location.StopHour = FromBCD(rule.StopHour);
        location.StopMinute = FromBCD(rule.StopMinute);
        location.WeekDays = rule.WeekDays;
    } else {
        location.WeekDays = EveryWeekDay;
    }
    location.Relay = rule.Relay;
    location.Action = rule.Action;
    location.Count = rule.Count;
    return location;
}

void EncodeMissedCall(TKVXConfig& Config, size_t Index, const TMissedCallLocation& Location)
{
    if (Index >= MissedCallCount || !Location.IsDefined()) return;
    WritePhoneNumber(&Config.MissedCallNumbers[Index * NumberSize], NumberSize, Location.Number);
    auto rule = LoadRecord<TMissedCallRuleRecord>(Config.MissedCallAccessRules, Index);
    rule.Relay = Location.Relay;
    rule.Action = Location.Action;
    rule.Count = Location.Count;
    if (Location.TimeWindow) {
        TUtils::BIN2BCD(Location.StartHour, &rule.StartHour);
        TUtils::BIN2BCD(Location.StartMinute, &rule.StartMinute);
        TUtils::BIN2BCD(Location.StopHour, &rule.StopHour);
        TUtils::BIN2BCD(Location.StopMinute, &rule.StopMinute);
        rule.WeekDays = Location.WeekDays;
    } else {
        std::memset(&rule, NoTimeWindow, offsetof(TMissedCallRuleRecord, Relay));
    }
    StoreRecord(Config.MissedCallAccessRules, Index, rule);
}

void EraseMissedCall(TKVXConfig& Config, size_t Index)
{
    if (Index >= MissedCallCount) return;
    EraseField(&Config.MissedCallNumbers[Index * NumberSize], NumberSize);
    EraseField(&Config.MissedCallAccessRules[Index * sizeof(TMissedCallRuleRecord)], sizeof(TMissedCallRuleRecord));
}

} // namespace kvx
