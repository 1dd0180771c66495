// The description of the relay switching and machine-to-machine pages.
#include <algorithm>
#include <array>

#include "config/config_words_builder.h"
#include "config/m2m.h"
#include "config/missed_calls.h"
#include "config/page_captions.h"
#include "config/relay_pulse_times.h"
#include "config/remote_control.h"
#include "config/shortcuts.h"
#include "config/timers.h"
#include "config/page_names.h"
#include "config/value_words.h"

namespace kvx {

namespace {

constexpr uint8_t ActionMask = 0x7F;

// A stored time outside the day (an unprogrammed 0xFF) as the time edits show it.
std::string TimeWithinTheDay(unsigned Hour, unsigned Minute)
{
    return TimeOfDayText(std::min(Hour, 23u), std::min(Minute, 59u));
}

void DescribeRelays(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(RelaysPageNo);
    for (size_t i = 0; i < RelayCount; ++i)
        B.Add(RowAndColumn(std::string(RelayCaption) + " " + std::to_string(i + 1), PulseTimeCaption), std::to_string(DecodeRelayPulseTime(C, i)),
              "edVRLY" + std::to_string(i + 1), B.Range(C.Relay1PulseTime, 2 * i, 2));
}

void DescribeShortcuts(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(ShortcutsPageNo);
    for (size_t i = 0; i < ShortcutCount; ++i) {
        const TShortcut pair = DecodeShortcut(C, i);
        const std::string row = "Shortcut " + std::to_string(i + 1);
        const size_t at = i * 2 * ShortcutTextSize;
        B.Add(RowAndColumn(row, ShortcutCommandCaption), QuotedOrEmpty(pair.Shortcut), "edSC" + std::to_string(i + 1),
              B.Range(C.ShortCuts, at, ShortcutTextSize));
        B.Add(RowAndColumn(row, CommandInstructionCaption), QuotedOrEmpty(pair.Instruction), "edSI" + std::to_string(i + 1),
              B.Range(C.ShortCuts, at + ShortcutTextSize, ShortcutTextSize));
    }
}

// The parts of one location: its caption, its value when the location is defined, its
// control and which of the location's two blocks it stands for.
struct TLocationPart {
    const char* Caption;
    std::string Value;
    const char* Control;
    bool InNumberBlock;
};

void AddLocation(TWordsBuilder& B, const std::string& Caption, const std::string& Summary, bool Defined, const char* List, size_t Index,
                 std::initializer_list<TLocationPart> Parts, TByteRange NumberBlock, TByteRange RuleBlock)
{
    B.BeginLocation(Caption, Defined ? Summary : std::string(EmptyWord), Defined);
    for (const TLocationPart& part : Parts)
        B.AddAt(RowAndColumn(Caption, part.Caption), Defined ? part.Value : std::string(EmptyWord), {List, static_cast<int>(Index), part.Control},
                part.InNumberBlock ? NumberBlock : RuleBlock);
    B.EndLocation();
}

void DescribeMissedCalls(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(MissedCallPageNo);
    for (size_t i = 0; i < MissedCallCount; ++i) {
        const TMissedCallLocation m = DecodeMissedCall(C, i);
        const bool defined = m.IsDefined();
        const std::string number = PhoneNumberText(m.Number);
        const std::string relay = RelayChoiceText(m.Relay);
        const std::string action = ActionChoiceText(m.Action & ActionMask);
        const bool confirmed = (m.Action & ConfirmationBit) != 0;
        const std::string window = TimeWithinTheDay(m.StartHour, m.StartMinute) + "-" + TimeWithinTheDay(m.StopHour, m.StopMinute);
        const std::string days = WeekDaysText(m.WeekDays);
        std::string summary = relay + " " + action;
        if (m.Count) summary += ", count " + std::to_string(m.Count);
        if (m.TimeWindow) summary += ", " + window + " " + days;
        if (confirmed) summary += ", confirmation SMS";
        AddLocation(B, MissedCallLocationName(i) + (defined ? " " + number : ""), summary, defined, "lbMissedCall", i,
                    {{MissedCallNumberCaption, number, "edMissedCallNumber", true},
                     {RelayCaption, relay, "cbRelay", false},
                     {RelayActionCaption, action, "cbRelayFunction", false},
                     {OperationalCountCaption, std::to_string(m.Count), "edAccessCount", false},
                     {ConfirmationSMSCaption, std::string(OnOffWord(confirmed)), "cbConfirmation", false},
                     {TimeWindowCaption, m.TimeWindow ? window : std::string(OffWord), "cbAccessRules", false},
                     {DaysOfWeekCaption, m.TimeWindow ? days : std::string(DisabledWord), "pnlAccessRules/cbMON", false}},
                    B.Range(C.MissedCallNumbers, 16 * i, 16), B.Range(C.MissedCallAccessRules, 8 * i, 8));
    }
}

void DescribeTimers(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(TimersPageNo);
    for (size_t i = 0; i < TimerCount; ++i) {
        const TTimerLocation t = DecodeTimer(C, i);
        const bool defined = t.IsDefined();
        const std::string relay = RelayChoiceText(t.Relay);
        const std::string action = ActionChoiceText(t.Action);
        const std::string time = TimeWithinTheDay(t.Hour, t.Minute);
        const std::string days = WeekDaysText(t.WeekDays);
        const bool confirmed = t.Confirmation != 0;
        const std::string summary = relay + " " + action + " at " + time + ", " + days + (confirmed ? ", confirmation SMS" : "");
        AddLocation(B, TimerLocationName(i) + (defined ? " " + Utf8Text(t.Label) : ""), summary, defined, "lbTimer", i,
                    {{TimerLabelCaption, QuotedOrEmpty(t.Label), "edTimerLabel", true},
                     {RelayCaption, relay, "cbRelay", false},
                     {RelayOperationCaption, action, "cbRelayFunction", false},
                     {OperationTimeCaption, time, "edHours", false},
                     {DaysOfWeekCaption, days, "cbMON", false},
                     {ConfirmationSMSCaption, std::string(OnOffWord(confirmed)), "cbConfirmation", false}},
                    B.Range(C.TimerLabels, 16 * i, 16), B.Range(C.TimerEvents, 8 * i, 8));
    }
}

// The event number edits by slot: inputs as edIPH1, edIPL1 .. edIPL9; empty for the two
// slots the page does not show.
std::string EventNumberEdit(size_t Slot)
{
    constexpr std::array<const char*, 15> others{"edMAF", "edMAR", "edBAL", "edBAC", "edBAR", "edATS", "edTAM", "edILL",
                                                 "edTMR", "edTST", "",      "edADL", "edADH", "edCFL", ""};
    constexpr size_t firstOther = static_cast<size_t>(TDistributionEvent::MainsFail);
    if (Slot == 0) return "edPUP";
    if (Slot < firstOther) return std::string(Slot % 2 ? "edIPH" : "edIPL") + std::to_string((Slot + 1) / 2);
    return others[Slot - firstOther];
}

void DescribeM2M(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(M2MPageNo);
    const std::array<const TKVXLabel*, M2MStationCount> numbers{&C.M2MReportingNumber1, &C.M2MReportingNumber2,
                                                                &C.M2MReportingNumber3, &C.M2MReportingNumber4};
    for (size_t i = 0; i < M2MStationCount; ++i)
        B.Add("Base station " + std::to_string(i + 1), PhoneNumberText(DecodeM2MNumber(C, i)),
              "edM2MNo" + std::to_string(i + 1), B.Range(*numbers[i]));
    const std::u16string id = DecodeM2MID(C);
    B.Add(M2MIDCaption, id.empty() ? std::string(EmptyWord) : Utf8Text(id), "edM2MID", B.Range(C.M2MID));
    for (size_t slot = 0; slot < M2MTelemetryCount; ++slot) {
        const auto event = static_cast<TDistributionEvent>(slot);
        if (!M2MTelemetryEdited(event)) continue;
        const std::u16string number = DecodeM2MTelemetry(C, event);
        B.Add(RowAndColumn(DistributionEventCaption(event), EventNumberCaption), number.empty() ? std::string(EmptyWord) : Utf8Text(number),
              EventNumberEdit(slot), B.Range(C.M2MTelemetries, 3 * slot, 3));
    }
}

// The trigger as the page's trigger lists name it, with the label or number of its location.
std::string TriggerText(const TKVXConfig& C, const TRemoteTrigger& Trigger)
{
    std::u16string location;
    if (Trigger.Kind == TRemoteTriggerKind::Timer) location = DecodeTimer(C, Trigger.Entry).Label;
    if (Trigger.Kind == TRemoteTriggerKind::MissedCall) location = DecodeMissedCall(C, Trigger.Entry).Number;
    const std::u16string name = RemoteTriggerName(Trigger, location);
    return name.empty() ? std::string(NoneWord) : Utf8Text(name);
}

void DescribeRemoteCommands(TWordsBuilder& B, const TKVXConfig& C)
{
    B.Page(ITTTPageNo);
    constexpr size_t elementSize = decltype(TKVXConfig::RemoteControl)::Size / RemoteCommandCount;
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        const TRemoteCommand command = DecodeRemoteCommand(C, i);
        const std::string row = std::string(RemoteCommandCaption) + " " + std::to_string(i + 1);
        const std::string editor = "sbITTList/ITTControl" + std::to_string(i) + "/";
        const char* kindButton = command.Trigger.Kind == TRemoteTriggerKind::Timer        ? "rbRCTMR"
                                 : command.Trigger.Kind == TRemoteTriggerKind::MissedCall ? "rbRCMC"
                                                                                          : "rbRCIP";
        B.Add(RowAndColumn(row, ReceivingNumberCaption), PhoneNumberText(command.Number), editor + "edRCNO",
              B.Range(C.RemoteControl, i * elementSize, 16));
        B.Add(RowAndColumn(row, CommandCaption), QuotedOrEmpty(command.Command), editor + "edRCCMD",
              B.Range(C.RemoteControl, i * elementSize + 16, RemoteCommandTextSize));
        B.Add(RowAndColumn(row, "Trigger"), TriggerText(C, command.Trigger), editor + kindButton, B.Range(C.RemoteReporting));
    }
}

} // namespace

void DescribeSwitchingPages(TWordsBuilder& Builder, const TKVXConfig& Config)
{
    DescribeRelays(Builder, Config);
    DescribeShortcuts(Builder, Config);
    DescribeMissedCalls(Builder, Config);
    DescribeTimers(Builder, Config);
    DescribeM2M(Builder, Config);
    DescribeRemoteCommands(Builder, Config);
}

} // namespace kvx
