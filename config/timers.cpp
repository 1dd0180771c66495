#include "config/timers.h"

#include "config/text_fields.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr size_t EventSize = 8;
constexpr size_t LabelSize = 16;
constexpr size_t StoredEventSize = 6;  // bytes 6 and 7 are never written

static_assert(TimerCount * EventSize == decltype(TKVXConfig::TimerEvents)::Size);
static_assert(TimerCount * LabelSize == decltype(TKVXConfig::TimerLabels)::Size);

} // namespace

TTimerLocation DecodeTimer(const TKVXConfig& Config, size_t Index)
{
    TTimerLocation location;
    if (Index >= TimerCount) return location;
    location.Label = ReadText(&Config.TimerLabels[Index * LabelSize], LabelSize);
    if (!location.IsDefined()) return location;
    const uint8_t* event = &Config.TimerEvents[Index * EventSize];
    location.Hour = static_cast<uint8_t>(TUtils::BCD2BIN(&event[0], 1));
    location.Minute = static_cast<uint8_t>(TUtils::BCD2BIN(&event[1], 1));
    location.Relay = event[2];
    location.Action = event[3];
    location.WeekDays = event[4];
    location.Confirmation = event[5];
    return location;
}

void EncodeTimer(TKVXConfig& Config, size_t Index, const TTimerLocation& Location)
{
    if (Index >= TimerCount || !Location.IsDefined()) return;
    WriteText(&Config.TimerLabels[Index * LabelSize], LabelSize, Location.Label, PadSpace);
    uint8_t* event = &Config.TimerEvents[Index * EventSize];
    event[2] = Location.Relay;
    event[3] = Location.Action;
    TUtils::BIN2BCD(Location.Hour, &event[0]);
    TUtils::BIN2BCD(Location.Minute, &event[1]);
    event[4] = Location.WeekDays;
    event[5] = Location.Confirmation;
}

void EraseTimer(TKVXConfig& Config, size_t Index)
{
    if (Index >= TimerCount) return;
    EraseField(&Config.TimerLabels[Index * LabelSize], LabelSize);
    EraseField(&Config.TimerEvents[Index * EventSize], StoredEventSize);
}

} // namespace kvx
