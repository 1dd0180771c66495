// Timers, missed calls, M2M, remote commands and SMS shortcuts, and how each slot kind is erased.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

#include "config/contact_id.h"
#include "config/m2m.h"
#include "config/missed_calls.h"
#include "config/recipients.h"
#include "config/remote_control.h"
#include "config/shortcuts.h"
#include "config/text_fields.h"
#include "config/timers.h"
#include "config/week_days.h"
#include "tests/config/image_expect.h"

namespace kvx {
namespace {

using test::Bytes;
using test::OnlyWritten;
using test::PatternedConfig;
using test::TextBytes;
using test::Unchanged;

TEST(ErasedSlots, OnlyTheSlotsBytesBecomeFFAndNothingPastTheBlock)
{
    const auto ff = [](size_t Count) { return std::vector<uint8_t>(Count, 0xFF); };
    const struct {
        const char* Kind;
        std::function<void(TKVXConfig&, size_t)> Erase;
        size_t Index;
        size_t Count;  // past the last
        std::vector<test::TWrite> Writes;
    } cases[] = {
        {"timer", EraseTimer, 4, 64, {{2048 + 32, ff(6)}, {2560 + 64, ff(16)}}},
        {"missed call", EraseMissedCall, 499, 500, {{8704 + 499 * 16, ff(16)}, {16704 + 499 * 8, ff(8)}}},
        {"recipient", EraseRecipient, 9, 10, {{28672 + 9 * 16, ff(16)}}},
        {"zone label", [](TKVXConfig& c, size_t i) { EraseCIDLabel(c, TCIDLabelKind::Zone, i); }, 2, 129, {{4624 + 32, ff(16)}}},
        {"remote command", EraseRemoteCommand, 1, 8, {{30464 + 80, ff(80)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        const TKVXConfig before = PatternedConfig();
        TKVXConfig config = before;
        c.Erase(config, c.Index);
        EXPECT_TRUE(OnlyWritten(before, config, c.Writes));
        config = before;
        c.Erase(config, c.Count);
        EXPECT_TRUE(Unchanged(before, config));
    }
}

TEST(Timers, DefinedLocationWritesLabelAndSixEventBytes)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    const TTimerLocation pump{u"Pump", 7, 30, Sunday | Monday, 2, 3, 0xFF};
    EncodeTimer(config, 4, pump);
    EXPECT_TRUE(OnlyWritten(before, config, {{2048 + 32, Bytes({0x07, 0x30, 0x02, 0x03, 0x41, 0xFF})},
                                             {2560 + 64, TextBytes("Pump", 16, 0x20)}}));
    EXPECT_EQ(DecodeTimer(config, 4), pump);
}

TEST(Timers, UndefinedOrOutOfRangeWritesNothing)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeTimer(config, 0, TTimerLocation{u"", 1, 2, 3, 4, 1, 0});
    EncodeTimer(config, 1, TTimerLocation{u"   ", 1, 2, 3, 4, 1, 0});  // would read back undefined
    EncodeTimer(config, 64, TTimerLocation{u"Past the end"});
    EXPECT_TRUE(Unchanged(before, config));
}

TEST(Timers, ErasedOrZeroLabelReadsUndefinedWithResetValues)
{
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(DecodeTimer(config, 0), TTimerLocation{});
    config.TimerLabels[16] = 0x00;
    std::memset(&config.TimerEvents[8], 0x12, 8);
    EXPECT_EQ(DecodeTimer(config, 1), TTimerLocation{});
}

TEST(Timers, FullLabelHasNoPadAndBlanksAreTrimmed)
{
    TKVXConfig config = ErasedConfig();
    EncodeTimer(config, 63, {u"ABCDEFGHIJKLMNOPQ", 23, 59, EveryWeekDay, 7, 4, 0});
    EXPECT_EQ(ReadText(&config.TimerLabels[63 * 16], 16), u"ABCDEFGHIJKLMNOP");
    EXPECT_EQ(config.TimerEvents[63 * 8], 0x23);
    EXPECT_EQ(config.TimerEvents[63 * 8 + 1], 0x59);

    WriteText(&config.TimerLabels[0], 16, u"  Gate ", PadSpace);
    EXPECT_EQ(DecodeTimer(config, 0).Label, u"Gate");
}

TEST(MissedCalls, WindowOnStoresBCDTimesAndMask)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    TMissedCallLocation call;
    call.Number = u"447700900555";
    call.TimeWindow = true;
    call.StartHour = 8;
    call.StopHour = 17;
    call.StopMinute = 30;
    call.WeekDays = EveryWeekDay;
    call.Relay = 1;
    call.Action = 3 | ConfirmationBit;
    call.Count = 5;
    EncodeMissedCall(config, 499, call);
    EXPECT_TRUE(OnlyWritten(before, config, {{8704 + 16 * 499, TextBytes("+447700900555", 16, 0)},
                                             {16704 + 8 * 499, Bytes({0x08, 0x00, 0x17, 0x30, 0x7F, 0x01, 0x83, 0x05})}}));
    call.StartMinute = 0;
    EXPECT_EQ(DecodeMissedCall(config, 499), call);
}

TEST(MissedCalls, WindowOffStoresFFWhateverTheTimesHold)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    TMissedCallLocation call;
    call.Number = u"123456789012345";
    call.StartHour = 9;
    call.WeekDays = 0;
    EncodeMissedCall(config, 0, call);
    EXPECT_TRUE(OnlyWritten(before, config, {{8704, TextBytes("+123456789012345", 16, 0)},
                                             {16704, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00})}}));

    const TMissedCallLocation loaded = DecodeMissedCall(config, 0);
    EXPECT_FALSE(loaded.TimeWindow);
    EXPECT_EQ(loaded.StartHour, 0);
    EXPECT_EQ(loaded.StopHour, 23);
    EXPECT_EQ(loaded.StopMinute, 59);
    EXPECT_EQ(loaded.WeekDays, EveryWeekDay);
    EXPECT_EQ(loaded.Number, u"123456789012345");
}

TEST(MissedCalls, NumberRulesOnLoading)
{
    TKVXConfig config = ErasedConfig();
    EXPECT_FALSE(DecodeMissedCall(config, 0).IsDefined());
    WriteText(&config.MissedCallNumbers[16], 16, u"+", PadZero);  // only the plus sign
    EXPECT_EQ(DecodeMissedCall(config, 1), TMissedCallLocation{});
    WriteText(&config.MissedCallNumbers[32], 16, u"07700", PadZero);  // no plus sign
    EXPECT_EQ(DecodeMissedCall(config, 2).Number, u"7700");

    const TKVXConfig before = PatternedConfig();
    TKVXConfig untouched = before;
    EncodeMissedCall(untouched, 10, TMissedCallLocation{});
    EncodeMissedCall(untouched, 11, TMissedCallLocation{u"  "});  // "+  " would read back undefined
    EncodeMissedCall(untouched, 500, TMissedCallLocation{u"1"});
    EXPECT_TRUE(Unchanged(before, untouched));
}

TEST(M2M, NumbersAndIDZeroPaddedEmptyLeavesThem)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeM2MNumber(config, 0, u"447700900555");
    EncodeM2MNumber(config, 3, u"1");
    EncodeM2MNumber(config, 1, u"");
    EncodeM2MNumber(config, 4, u"99");
    EncodeM2MID(config, u"00000");
    EXPECT_TRUE(OnlyWritten(before, config, {{7936, TextBytes("+447700900555", 16, 0)},
                                             {8112, TextBytes("+1", 16, 0)},
                                             {7952, TextBytes("00000", 5, 0)}}));
    EXPECT_EQ(DecodeM2MNumber(config, 0), u"447700900555");
    EXPECT_EQ(DecodeM2MNumber(config, 3), u"1");
    EXPECT_EQ(DecodeM2MID(config), u"00000");

    TKVXConfig untouched = before;
    EncodeM2MID(untouched, u"");
    EXPECT_TRUE(Unchanged(before, untouched));
}

TEST(M2M, EventNumbersSpacePaddedToThreeAndTwoSlotsLeftAlone)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeM2MTelemetry(config, TDistributionEvent::PowerUp, u"8001");
    EncodeM2MTelemetry(config, TDistributionEvent::IP1L, u"");
    EncodeM2MTelemetry(config, TDistributionEvent::BundleThreshold, u"999");
    EncodeM2MTelemetry(config, TDistributionEvent::SIMChange, u"999");
    EncodeM2MTelemetry(config, TDistributionEvent::CommsFailure, u"7");
    EXPECT_TRUE(OnlyWritten(before, config, {{7968, TextBytes("800", 3, 0)},
                                             {7974, TextBytes("", 3, 0x20)},
                                             {8064, TextBytes("7", 3, 0x20)}}));
    EXPECT_EQ(DecodeM2MTelemetry(config, TDistributionEvent::PowerUp), u"800");
    EXPECT_EQ(DecodeM2MTelemetry(config, TDistributionEvent::IP1L), u"");
    EXPECT_EQ(DecodeM2MTelemetry(ErasedConfig(), TDistributionEvent::ADH), u"");
}

TEST(M2M, StandardEventNumbers)
{
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::PowerUp), u"823");
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::IP1H), u"800");
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::IP9L), u"817");
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::TestButton), u"819");
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::CommsFailure), u"832");
    EXPECT_EQ(M2MStandardEventNumber(TDistributionEvent::SIMChange), u"");
    EXPECT_FALSE(M2MTelemetryEdited(TDistributionEvent::BundleThreshold));
}

TEST(RemoteCommands, StoresElementAndTheOneTriggerBit)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    TRemoteCommands commands{};
    commands[2] = {u"447700900555", u"rly1 on", {TRemoteTriggerKind::Timer, 5}, {}};
    EncodeRemoteCommands(config, commands);
    std::vector<uint8_t> table(596, 0);
    table[32 + 5] = 0x04;
    EXPECT_TRUE(OnlyWritten(before, config, {{29696, table},
                                             {30624, TextBytes("+447700900555", 16, 0)},
                                             {30640, TextBytes("rly1 on", 64, 0x20)}}));
    TRemoteCommand read = commands[2];
    read.StoredTriggerBytes = {32 + 5};
    EXPECT_EQ(DecodeRemoteCommand(config, 2), read);
    EXPECT_EQ(DecodeRemoteCommand(config, 0), TRemoteCommand{});
}

// Triggers no editor shows go back exactly as read until the command's trigger changes.
TEST(RemoteCommands, StoredTriggersKeptUntilTheTriggerChanges)
{
    const struct {
        const char* Case;
        std::vector<uint16_t> Stored;
        std::optional<TRemoteTrigger> ChangedTo;
        std::vector<uint16_t> Written;
    } cases[] = {
        {"unused byte", {25}, std::nullopt, {25}},
        {"three triggers", {3, 40, 595}, std::nullopt, {3, 40, 595}},
        {"unused byte then a timer", {21, 40}, std::nullopt, {21, 40}},
        {"changed away", {3, 40}, TRemoteTrigger{TRemoteTriggerKind::Timer, 2}, {34}},
        {"unused byte given a trigger", {25}, TRemoteTrigger{TRemoteTriggerKind::Input, 0}, {0}},
    };
    for (const auto& c : cases) {
        TKVXConfig config = ErasedConfig();
        std::memset(config.RemoteReporting.Data, 0, 596);
        for (const uint16_t byte : c.Stored) config.RemoteReporting[byte] = 0x02 | 0x40;  // commands 2 and 7
        WriteText(&config.RemoteControl[80], 16, u"+44", PadZero);
        WriteText(&config.RemoteControl[80 + 16], 64, u"x", PadSpace);
        TRemoteCommands commands{};
        for (size_t i = 0; i < RemoteCommandCount; ++i) commands[i] = DecodeRemoteCommand(config, i);
        EXPECT_TRUE(commands[6].StoredTriggerBytes.empty()) << c.Case;  // no number: never stored
        if (c.ChangedTo) commands[1].Trigger = *c.ChangedTo;

        TKVXConfig written = ErasedConfig();
        EncodeRemoteCommands(written, commands);
        std::vector<uint8_t> table(596, 0);
        for (const uint16_t byte : c.Written) table[byte] = 0x02;
        EXPECT_EQ(std::vector<uint8_t>(written.RemoteReporting.Data, written.RemoteReporting.Data + 596), table) << c.Case;
    }
}

TEST(RemoteCommands, TriggerNamesNumberLocationsAsTheirListsDo)
{
    const struct {
        TRemoteTrigger Trigger;
        std::u16string Location;
        std::u16string Name;
    } cases[] = {
        {{TRemoteTriggerKind::Input, 0}, u"", u"Input 1 high"},
        {{TRemoteTriggerKind::Input, 17}, u"", u"Input 9 low"},
        {{TRemoteTriggerKind::Input, 18}, u"", u"AD low limit"},
        {{TRemoteTriggerKind::Input, 19}, u"inputs have no location", u"AD high limit"},
        {{TRemoteTriggerKind::Timer, 0}, u"", u"Timer 01"},
        {{TRemoteTriggerKind::Timer, 5}, u"Pump", u"Timer 06 - Pump"},
        {{TRemoteTriggerKind::Timer, 63}, u"", u"Timer 64"},
        {{TRemoteTriggerKind::MissedCall, 0}, u"447700900555", u"Missed call 001 - 447700900555"},
        {{TRemoteTriggerKind::MissedCall, 499}, u"", u"Missed call 500"},
        {{TRemoteTriggerKind::None, 0}, u"x", u""},
        {{TRemoteTriggerKind::Timer, 64}, u"x", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(RemoteTriggerName(c.Trigger, c.Location), c.Name);
}

TEST(RemoteCommands, CommandTextIsPrintableSevenBit)
{
    EXPECT_TRUE(IsRemoteCommandText(u""));
    EXPECT_TRUE(IsRemoteCommandText(u" $8642*rly2*on ~"));
    for (const std::u16string_view bad : {u"caf\u00e9", u"a\tb", u"\x7F", u"\u00A0", u"\u20AC"})
        EXPECT_FALSE(IsRemoteCommandText(bad)) << static_cast<int>(bad.back());
}

TEST(RemoteCommands, SharedTriggerAndNumberlessCommand)
{
    TKVXConfig config = ErasedConfig();
    TRemoteCommands commands{};
    commands[0] = {u"1", u"a", {TRemoteTriggerKind::MissedCall, 499}, {}};
    commands[7] = {u"2", u"b", {TRemoteTriggerKind::MissedCall, 499}, {}};
    commands[4] = {u"", u"no number", {TRemoteTriggerKind::Input, 3}, {}};
    EncodeRemoteCommands(config, commands);
    EXPECT_EQ(config.RemoteReporting[595], 0x81);
    EXPECT_EQ(config.RemoteReporting[3], 0x00);
    EXPECT_EQ(config.RemoteControl[4 * 80], 0xFF);  // element left at the fill
    EXPECT_EQ(DecodeRemoteCommand(config, 7).Trigger, (TRemoteTrigger{TRemoteTriggerKind::MissedCall, 499}));
    EXPECT_EQ(DecodeRemoteCommand(config, 0).Number, u"1");
}

TEST(RemoteCommands, ErasedTableGivesInputOneHighAndUnusedBytesGiveNoKind)
{
    const TKVXConfig erased = ErasedConfig();
    for (size_t i = 0; i < RemoteCommandCount; ++i)
        EXPECT_EQ(DecodeRemoteCommand(erased, i), TRemoteCommand{}) << i;

    TKVXConfig config = ErasedConfig();
    std::memset(config.RemoteReporting.Data, 0, 596);
    config.RemoteReporting[25] = 0x02;
    WriteText(&config.RemoteControl[80], 16, u"+44", PadZero);
    const TRemoteCommand command = DecodeRemoteCommand(config, 1);
    EXPECT_EQ(command.Trigger.Kind, TRemoteTriggerKind::None);
    EXPECT_EQ(command.Number, u"44");
}

TEST(RemoteCommands, TriggerPositionsBothWays)
{
    for (size_t byte = 0; byte < 596; ++byte) {
        const TRemoteTrigger trigger = RemoteTriggerAt(byte);
        if (trigger.Kind == TRemoteTriggerKind::None) {
            EXPECT_TRUE(byte >= 20 && byte < 32) << byte;
            continue;
        }
        EXPECT_EQ(RemoteTriggerByte(trigger), byte);
    }
    EXPECT_FALSE(RemoteTriggerByte({TRemoteTriggerKind::Input, 20}));
    EXPECT_FALSE(RemoteTriggerByte({TRemoteTriggerKind::Timer, 64}));
    EXPECT_FALSE(RemoteTriggerByte({TRemoteTriggerKind::MissedCall, 500}));
}

TEST(Shortcuts, EachTextZeroPaddedToThirtyTwo)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeShortcut(config, 2, {u"gate", u"rly1*pls"});
    EncodeShortcut(config, 9, {u"only a shortcut", u""});
    EXPECT_TRUE(OnlyWritten(before, config, {{31360, TextBytes("gate", 32, 0)},
                                             {31392, TextBytes("rly1*pls", 32, 0)},
                                             {31808, TextBytes("only a shortcut", 32, 0)}}));
    EXPECT_EQ(DecodeShortcut(config, 2), (TShortcut{u"gate", u"rly1*pls"}));
}

TEST(Shortcuts, FullLengthReadsBackAndErasedIsEmpty)
{
    TKVXConfig config = ErasedConfig();
    const std::u16string full(32, u'x');
    EncodeShortcut(config, 0, {full, full});
    EXPECT_EQ(DecodeShortcut(config, 0), (TShortcut{full, full}));
    EXPECT_EQ(DecodeShortcut(ErasedConfig(), 5), TShortcut{});
}

} // namespace
} // namespace kvx
