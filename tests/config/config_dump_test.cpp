// The readable dump of an image: names, decoded values, reserved regions, valid JSON.
#include <gtest/gtest.h>

#include <map>

#include "config/config_dump.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/missed_calls.h"
#include "config/remote_control.h"
#include "config/text_fields.h"
#include "config/timers.h"

namespace kvx {
namespace {

std::map<std::string, std::string> EntryMap(const TKVXConfig& Config)
{
    std::map<std::string, std::string> entries;
    for (const TDumpEntry& e : DumpConfigEntries(Config)) {
        EXPECT_TRUE(entries.emplace(e.Name, e.Value).second) << "twice: " << e.Name;
    }
    return entries;
}

TEST(ConfigDump, ErasedImageShowsNoReservedRegionsAndNoUndefinedLocations)
{
    const auto entries = EntryMap(ErasedConfig());
    for (const auto& [name, value] : entries) {
        EXPECT_FALSE(name.starts_with("Unknown")) << name;
        EXPECT_FALSE(name.starts_with("NotAllocated")) << name;
    }
    EXPECT_EQ(entries.at("TimerEvents"), "none");
    EXPECT_EQ(entries.at("MissedCallNumbers"), "none");
    EXPECT_EQ(entries.at("AutoTestTimeHours"), "not set");
    EXPECT_EQ(entries.at("HiddenSetting"), "255");
    EXPECT_EQ(entries.count("TimerLabels"), 0u);
    EXPECT_EQ(entries.count("RemoteReporting"), 0u);
}

TEST(ConfigDump, FieldsDecodedByName)
{
    TKVXConfig config = ErasedConfig();
    EncodeUnitID(config, u"Farm gate");
    EncodeSelfTest(config, TSelfTest{7, 5, 0x11});
    EncodeDelayMinutes(config.ACFailTimeout, 10);
    config.Input3LowDelay.SetValue(240);
    config.ADVHighThreshold.SetValue(1000);
    config.Unknown3[1] = 0x00;
    config.Bytes()[HiddenSettingOffset] = 20;
    EncodeTimer(config, 4, {u"Pump", 7, 30, 0x41, 2, 3, 0xFF});
    TMissedCallLocation call;
    call.Number = u"447700900555";
    call.TimeWindow = true;
    call.StartHour = 8;
    call.StopHour = 17;
    call.StopMinute = 30;
    call.WeekDays = 0x7F;
    EncodeMissedCall(config, 0, call);
    EncodeDistributionMask(config, TDistributionEvent::MainsFail, 0x0005);
    TRemoteCommands commands{};
    commands[0] = {u"1", u"a", {TRemoteTriggerKind::Timer, 4}, {}};
    commands[1] = {u"2", u"b", {TRemoteTriggerKind::MissedCall, 0}, {}};
    commands[2] = {u"4477", u"rly1 on", {TRemoteTriggerKind::Timer, 5}, {}};
    EncodeRemoteCommands(config, commands);

    const auto entries = EntryMap(config);
    EXPECT_EQ(entries.at("UnitID"), "Farm gate");
    EXPECT_EQ(entries.at("AutoTestTimeHours"), "7");
    EXPECT_EQ(entries.at("AutoTestTimeMinutes"), "5");
    EXPECT_EQ(entries.at("DayOfWeek"), "Mon Fri");
    EXPECT_EQ(entries.at("ACFailTimeout"), "600");
    EXPECT_EQ(entries.at("Input3LowDelay"), "12");
    EXPECT_EQ(entries.at("ADVHighThreshold"), "10.00");
    EXPECT_EQ(entries.at("Unknown3"), "FF00FFFF");
    EXPECT_EQ(entries.at("NotAllocated").substr(42, 2), "14");
    EXPECT_EQ(entries.at("HiddenSetting"), "20");
    EXPECT_EQ(entries.at("TimerEvents.5.Label"), "Pump");
    EXPECT_EQ(entries.at("TimerEvents.5.Time"), "07:30");
    EXPECT_EQ(entries.at("TimerEvents.5.WeekDays"), "Mon Sun");
    EXPECT_EQ(entries.at("TimerEvents.5.Relay"), "3");
    EXPECT_EQ(entries.at("TimerEvents.5.Action"), "Pulse");
    EXPECT_EQ(entries.at("TimerEvents.5.Confirmation"), "yes");
    EXPECT_EQ(entries.at("MissedCallNumbers.1.Number"), "+447700900555");
    EXPECT_EQ(entries.at("MissedCallNumbers.1.TimeWindow"), "08:00-17:30");
    EXPECT_EQ(entries.at("DistributeMessages.MainsFail"), "1 3");
    EXPECT_EQ(entries.at("DistributeMessages.PowerUp"), "not set");
    EXPECT_EQ(entries.at("RemoteControl.1.Trigger"), "Timer 05 - Pump");
    EXPECT_EQ(entries.at("RemoteControl.2.Trigger"), "Missed call 001 - 447700900555");
    EXPECT_EQ(entries.at("RemoteControl.3.Trigger"), "Timer 06");
    EXPECT_EQ(entries.at("RemoteControl.3.Command"), "rly1 on");
}

TEST(ConfigDump, JsonKeepsImageOrderAndIsValidUTF8)
{
    TKVXConfig config = ErasedConfig();
    WriteText(config.UnitID, u"A\u00A0\u0099B", PadSpace);  // text bytes above 0x7F, which no page types
    const nlohmann::ordered_json json = DumpConfigJson(config);
    EXPECT_FALSE(json.contains("UnitID"));
    EXPECT_EQ(json.at("RawBytes").at("UnitID"), "41A0994220202020202020202020" "2020");
    EXPECT_NO_THROW((void)json.dump());
    EXPECT_EQ(json.begin().key(), "SIM1ServiceCentreNumber");
    EXPECT_EQ(std::prev(json.end(), 2).key(), "ShortCuts");
    EXPECT_EQ(std::prev(json.end()).key(), "RawBytes") << "what no field says, last";
    EXPECT_TRUE(json.at("DistributeMessages").at("SIMChange").is_null()) << "never stored";
}

} // namespace
} // namespace kvx
