#include "config/timers.h"

#include "config/text_fields.h"
#include "image/list_records.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr size_t LabelSize = 16;

static_assert(TimerCount * sizeof(TTimerEventRecord) == decltype(TKVXConfig::TimerEvents)::Size);
static_assert(TimerCount * LabelSize == decltype(TKVXConfig::TimerLabels)::Size);

} // namespace

TTimerLocation DecodeTimer(const TKVXConfig& Config, size_t Index)
{
    TTimerLocation location;
    if (Index >= TimerCount) return location;
    location.Label = ReadText(&Config.TimerLabels[Index * LabelSize], LabelSize);
    if (!location.IsDefined()) return location;
    const auto event = LoadRecord<TTimerEventRecord>(Config.TimerEvents, Index);
    location.Hour = static_cast<uint8_t>(TUtils::BCD2BIN(&event.Hour, 1));
    location.Minute = static_cast<uint8_t>(TUtils::BCD2BIN(&event.Minute, 1));
    location.Relay = event.Relay;
    location.Action = event.Action;
    location.WeekDays = event.WeekDays;
    location.Confirmation = event.Confirmation;
    return location;
}

void EncodeTimer(TKVXConfig& Config, size_t Index, const TTimerLocation& Location)
{
    if (Index >= TimerCount || !Location.IsDefined()) return;
    WriteText(&Config.TimerLabels[Index * LabelSize], LabelSize, Location.Label, PadSpace);
    auto event = LoadRecord<TTimerEventRecord>(Config.TimerEvents, Index);
    event.Relay = Location.Relay;
    event.Action = Location.Action;
    TUtils::BIN2BCD(Location.Hour, &event.Hour);
    TUtils::BIN2BCD(Location.Minute, &event.Minute);
    event.WeekDays = Location.WeekDays;
    event.Confirmation = Location.Confirmation;
    StoreRecord(Config.TimerEvents, Index, event);
}

void EraseTimer(TKVXConfig& Config, size_t Index)
{
    if (Index >= TimerCount) return;
    EraseField(&Config.TimerLabels[Index * LabelSize], LabelSize);
    EraseField(&Config.TimerEvents[Index * sizeof(TTimerEventRecord)], offsetof(TTimerEventRecord, Unused));
}

} // namespace kvx
