// Configurations from JSON by the dump's names: the way back from the dump, the design values
// under a short file, every refusal by its path, and edits of single fields.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "config/analogue_input.h"
#include "config/config_build.h"
#include "config/config_compare.h"
#include "config/config_dump.h"
#include "config/config_set.h"
#include "config/contact_id.h"
#include "config/design_config.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/input_messages.h"
#include "config/m2m.h"
#include "config/missed_calls.h"
#include "config/recipients.h"
#include "config/remote_control.h"
#include "config/security_setup.h"
#include "config/shortcuts.h"
#include "config/sim_setup.h"
#include "config/template_file.h"
#include "config/timers.h"
#include "config/week_days.h"

namespace kvx {
namespace {

using json = nlohmann::ordered_json;

std::string Differences(const TKVXConfig& Expected, const TKVXConfig& Actual)
{
    std::string found;
    for (const TFieldDifference& d : CompareConfigs(Expected, Actual)) found += d.Name + ": " + d.First + " -> " + d.Second + "; ";
    return found;
}

// A site as the pages would store it, with a field of every kind set.
TKVXConfig Site()
{
    TKVXConfig c = DesignConfig();
    EncodeServiceCentreNumber(c, TSIM::Secondary, u"447785016005");
    EncodeSecondarySIMEnabled(c, true);
    EncodeCommandPIN(c, u"1357");
    EncodeVerifySender(c, true);
    EncodeUnitID(c, u"Farm 12");
    std::memset(&c.AutoTestTimeHours, 0xFF, 1);  // self test off
    std::memset(&c.AutoTestTimeMinutes, 0xFF, 1);
    c.DayOfWeek = 0xFF;
    EncodeDelayMinutes(c.ACFailTimeout, 999);
    c.TremmorCount = 7;
    EncodeSerialInterface(c, TSerialInterface::IOExpander);
    c.Relay8PulseTime.SetValue(1000);
    EncodeInputMessage(c, InputMessageSlot(7, TInputSide::Low), {true, u"Door open", 3000});
    EncodeInputMessage(c, InputMessageSlot(9, TInputSide::High), {true, u"Tank full", 0});
    TAnalogueInput analogue;
    analogue.VoltageInput = false;
    analogue.High = {true, u"Level high", 0, 2000, 1310};
    EncodeAnalogueInput(c, analogue);
    EncodeM2MNumber(c, 2, u"447700900999");
    EncodeM2MID(c, u"12345");
    EncodeM2MTelemetry(c, TDistributionEvent::MainsFail, u"9");
    EncodeTimer(c, 63, {u"Last", 23, 59, Sunday, 7, 4, 0xFF});
    EncodeCIDLabel(c, TCIDLabelKind::Zone, 128, u"Back door");
    TMissedCallLocation call;
    call.Number = u"123456789012345";
    call.TimeWindow = true;
    call.StartHour = 8;
    call.StopHour = 17;
    call.StopMinute = 30;
    call.WeekDays = Monday | Saturday;
    call.Relay = 1;
    call.Action = 2 | ConfirmationBit;
    call.Count = 255;
    EncodeMissedCall(c, 499, call);
    EncodeRecipient(c, 9, u"447700900123");
    EncodeDistributionMask(c, TDistributionEvent::SIMChange, 0x0201);
    EncodeCIDReportingMask(c, 224, 0x0003);
    EncodeDialTone(c, false);
    TRemoteCommands commands{};
    commands[7] = {u"447700900777", u"rly1 on", {TRemoteTriggerKind::MissedCall, 499}, {}};
    commands[0] = {u"4477", u"", {TRemoteTriggerKind::Input, 19}, {}};
    EncodeRemoteCommands(c, commands);
    EncodeShortcut(c, 9, {u"gate", u"rly1 pulse"});
    c.Unknown19[5] = 0x42;
    c.Bytes()[HiddenSettingOffset] = 20;
    return c;
}

// Any bytes at all, as a unit's memory may hold them (the password aside: no file holds it).
TKVXConfig RandomImage(unsigned Seed)
{
    std::mt19937 random(Seed);
    TKVXConfig image;
    for (uint8_t& byte : image.Image()) byte = static_cast<uint8_t>(random());
    ErasePassword(image);
    return image;
}

TEST(ConfigBuild, DumpedAndBuiltBackIsTheSameImage)
{
    TKVXConfig odd = Site();  // values no page stores: erased, coded values without a word, bits no form shows
    odd.Relay3PulseTime.SetValue(0xFFFF);
    odd.Input2LowDelay.SetValue(0xFFFF);
    odd.ADType = 0xFF;
    odd.SerialInterface = 7;
    odd.VerifySender = 1;
    odd.DayOfWeek = 0x81;
    EraseCIDLabel(odd, TCIDLabelKind::User, 3);
    odd.ContactIDReporting[6] = odd.ContactIDReporting[7] = 0xFF;
    odd.UnitID[15] = 0x13;
    for (const TKVXConfig& image : {DesignConfig(), Site(), ErasedConfig(), odd, RandomImage(1), RandomImage(2)}) {
        TKVXConfig built = DesignConfig();
        const std::vector<std::string> problems = ApplyConfigJson(json::parse(DumpConfigJson(image).dump()), built);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(Differences(image, built), "");
    }
    const json shown = DumpConfigJson(odd);
    EXPECT_EQ(shown.at("Relay3PulseTime"), nullptr);
    EXPECT_EQ(shown.at("Input2LowDelay"), nullptr);
    EXPECT_EQ(shown.at("ADType"), nullptr);
    EXPECT_EQ(shown.at("SerialInterface"), 7);
    EXPECT_EQ(shown.at("VerifySender"), 1);
    EXPECT_EQ(shown.at("CIDUserLabels").at("3"), nullptr);
    EXPECT_EQ(shown.at("ContactIDReporting").at("4"), nullptr);
    EXPECT_EQ(shown.at("UnitID"), "Farm 12");
    EXPECT_EQ(shown.at("RawBytes"), json({{"DayOfWeek", "81"}, {"UnitID", "4661726D2031322020202020202020" "13"}}));
}

TEST(ConfigBuild, JsonThatIsNoConfigurationIsRefusedWhereItIsRead)
{
    const struct {
        std::string Text;
        const char* Problem;
    } cases[] = {
        {R"({"UnitID": "a", "UnitID": "b"})", "\"UnitID\" is given twice"},
        {R"({"TimerEvents": {"5": {"Label": "a"}, "5": {}}})", "\"TimerEvents.5\" is given twice"},
        {R"({"DayOfWeek": [)" + std::string(20, '[') + std::string(21, ']') + "}", "nested deeper than 16 levels"},
        {R"({"UnitID": 1e999})", "number overflow parsing '1e999'"},
        {"{\"UnitID\": \"Caf\xE9\"}", "parse error at line 1, column 17: syntax error while parsing value - invalid string: ill-formed "
                                       "UTF-8 byte; last read: '\"Caf\xE9\"'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        std::string problem;
        EXPECT_FALSE(ParseConfigJson(c.Text, problem));
        EXPECT_EQ(problem, c.Problem);
    }
    std::string problem;
    EXPECT_TRUE(ParseConfigJson(R"({"TimerEvents": {"5": {"Label": "a"}, "6": {"Label": "a"}}})", problem)) << "one key in two objects";
}

TEST(ConfigBuild, AShortFileKeepsTheDesignValuesForTheRest)
{
    TKVXConfig built = DesignConfig();
    const json site = json::parse(R"({"UnitID": "Farm 12", "ReportingNumbers": {"1": "+447700900123"},
        "TimerEvents": {"3": {"Label": "Pump", "Time": "07:30", "Relay": 2, "Action": "Pulse"}}})");
    ASSERT_EQ(ApplyConfigJson(site, built), std::vector<std::string>{});
    TKVXConfig expected = DesignConfig();
    EncodeUnitID(expected, u"Farm 12");
    EncodeRecipient(expected, 0, u"447700900123");
    EncodeTimer(expected, 2, {u"Pump", 7, 30, EveryWeekDay, 1, 3, 0});  // a new timer runs every day, as on the page
    EXPECT_EQ(Differences(expected, built), "");
}

TEST(ConfigBuild, EveryProblemIsOneLineByItsPathAndNothingIsStored)
{
    const struct {
        const char* Json;
        const char* Problem;
    } cases[] = {
        {R"({"UnitName": "x"})", "UnitName: unknown key"},
        {R"({"TimerLabels": {}})", "TimerLabels: unknown key"},
        {R"({"UnitID": "Farm number twelve"})", "UnitID: \"Farm number twelve\" is longer than 16 characters"},
        {R"({"UnitID": "Caf\u00e9"})", "UnitID: \"Caf\u00e9\" holds \"\u00e9\", which the KVX cannot store"},
        {R"({"UnitID": "a\tb"})", "UnitID: \"a\tb\" holds a control character, which the KVX cannot store"},
        {R"({"UnitID": 12})", "UnitID: expected text"},
        {R"({"Relay1PulseTime": 1001})", "Relay1PulseTime: 1001 is out of range (0 to 1000)"},
        {R"({"Input3LowDelay": -1})", "Input3LowDelay: -1 is out of range (0 to 3000)"},
        {R"({"TremmorCount": 2.5})", "TremmorCount: expected a whole number from 0 to 255"},
        {R"({"AutoTestTimeHours": 24})", "AutoTestTimeHours: 24 is out of range (0 to 23)"},
        {R"({"AutoTestTimeMinutes": null})", "AutoTestTimeMinutes: the self test needs both AutoTestTimeHours and AutoTestTimeMinutes, or neither"},
        {R"({"DayOfWeek": ["Mon", "Someday"]})", "DayOfWeek: \"Someday\" is not a week day (\"Mon\" .. \"Sun\")"},
        {R"({"VerifySender": "yes"})", "VerifySender: expected true or false"},
        {R"({"SerialInterface": "RS232"})", "SerialInterface: \"RS232\" is not one of \"I/O expander\", \"DSC functions\", \"disabled\""},
        {R"({"PIN": "12a4"})", "PIN: \"12a4\" is not digits only"},
        {R"({"LockArray": "secret"})", "LockArray: the password never goes into a template (kvxctl password set puts it into the KVX)"},
        {R"({"ADIHighThreshold": "20.5"})", "ADIHighThreshold: \"20.5\" is not a number with at most two decimals from 4.00 to 20.00"},
        {R"({"ADVLowThreshold": 1.005})", "ADVLowThreshold: 1.005 is not a number with at most two decimals from 0.00 to 10.00"},
        {R"({"SIM1ServiceCentreNumber": "07785016005"})", "SIM1ServiceCentreNumber: \"07785016005\" is a national number: add the country code"},
        {R"({"M2MReportingNumber1": "+4477850160051234"})", "M2MReportingNumber1: \"+4477850160051234\" has more than 15 digits"},
        {R"({"M2MTelemetries": {"SIMChange": "1"}})", "M2MTelemetries.SIMChange: unknown key"},
        {R"({"M2MID": "123456"})", "M2MID: \"123456\" is longer than 5 characters"},
        {R"({"TimerEvents": {"65": {"Label": "x"}}})", "TimerEvents.65: unknown key (entries are numbered 1 to 64)"},
        {R"({"TimerEvents": {"1": {"Label": "x", "Time": "7.30"}}})", "TimerEvents.1.Time: \"7.30\" is not a time of day (\"HH:MM\", 00:00 to 23:59)"},
        {R"({"TimerEvents": {"1": {"Label": "x", "Relay": 9}}})", "TimerEvents.1.Relay: 9 is out of range (1 to 8)"},
        {R"({"TimerEvents": {"1": {"Time": "07:30"}}})", "TimerEvents.1.Label: needed: a timer without one is not stored"},
        {R"({"TimerEvents": {"1": {"Label": "x", "Colour": "red"}}})", "TimerEvents.1.Colour: unknown key"},
        {R"({"MissedCallNumbers": {"1": {"Number": "+1", "Action": "Blink"}}})",
         "MissedCallNumbers.1.Action: \"Blink\" is not \"On\", \"Off\", \"Pulse\" or \"Toggle\""},
        {R"({"MissedCallNumbers": {"1": {"Number": "+1", "TimeWindow": "08:00"}}})",
         "MissedCallNumbers.1.TimeWindow: \"08:00\" is not a window as \"HH:MM-HH:MM\""},
        {R"({"MissedCallNumbers": {"1": {"Number": "+1", "Count": 256}}})", "MissedCallNumbers.1.Count: 256 is out of range (0 to 255)"},
        {R"({"CIDZoneLabels": {"129": "x"}})", "CIDZoneLabels.129: unknown key (entries are numbered 0 to 128)"},
        {R"({"DistributeMessages": {"MainsFail": [1, 11]}})", "DistributeMessages.MainsFail: 11 is out of range (1 to 10)"},
        {R"({"InputMessages": {"MainsFail": "x"}})", "InputMessages.MainsFail: unknown key"},
        {R"({"RemoteControl": {"1": {"Command": "rly1 on"}}})", "RemoteControl.1.Number: needed: a command without one is not stored"},
        {R"({"RemoteControl": {"1": {"Number": "+1", "Trigger": "Timer 65"}}})",
         "RemoteControl.1.Trigger: \"Timer 65\" is not a trigger (\"Input 1 high\" .. \"AD high limit\", \"Timer 01\" .. \"Timer 64\", "
         "\"Missed call 001\" .. \"Missed call 500\")"},
        {R"({"ShortCuts": {"1": {"Shortcut": "x", "Instruction": "123456789012345678901234567890123"}}})",
         "ShortCuts.1.Instruction: \"123456789012345678901234567890123\" is longer than 32 characters"},
        {R"({"Unknown19": "00"})", "Unknown19: not 7744 hexadecimal digits"},
        {R"({"HiddenSetting": 256})", "HiddenSetting: 256 is out of range (0 to 255)"},
        {R"({"ADType": 256})", "ADType: 256 is out of range (0 to 255)"},
        {R"({"RawBytes": {"TimerLabels[65]": "00"}})", "RawBytes.TimerLabels[65]: unknown key (a field, or an element as kvxctl diff names it)"},
        {R"({"RawBytes": {"TimerLabels[5]": "00"}})", "RawBytes.TimerLabels[5]: not 32 hexadecimal digits"},
        {R"({"RawBytes": {"LockArray": null}})", "RawBytes.LockArray: the password never goes into a template (kvxctl password set puts it into the KVX)"},
        {R"({"RawBytes": []})", "RawBytes: expected an object of hexadecimal bytes by field or element name"},
        {R"([1, 2])", "(top): expected an object of fields by name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Json);
        const TKVXConfig design = DesignConfig();
        TKVXConfig built = design;
        // A good field beside the bad one is not stored either.
        json edits = json::parse(c.Json);
        if (edits.is_object()) edits["UnitID"] = edits.value("UnitID", json("Good name"));
        EXPECT_EQ(ApplyConfigJson(edits, built), std::vector<std::string>{c.Problem});
        EXPECT_EQ(Differences(design, built), "");
    }
    std::string problem;
    EXPECT_FALSE(ParseConfigJson("{\"UnitID\": \"x\",\n}", problem));
    EXPECT_EQ(problem.substr(0, 31), "parse error at line 2, column 1");
}

TEST(ConfigBuild, SetTakesEditsTogetherAndValuesAsTheTextDumpWritesThem)
{
    TKVXConfig image = ErasedConfig();
    const std::vector<std::string> edits = {"AutoTestTimeHours=08", "AutoTestTimeMinutes=30", "DayOfWeek=Mon Fri", "VerifySender=no",
                                            "DistributeMessages.MainsFail=1 3", "ADType=not set", "PIN=0042",
                                            "RawBytes.RemoteControl[2].Command=" + std::string(128, '0')};
    ASSERT_EQ(ApplyAssignments(edits, image), std::vector<std::string>{});
    EXPECT_EQ(DecodeSelfTest(image), (TSelfTest{8, 30, Monday | Friday}));
    EXPECT_FALSE(DecodeVerifySender(image));
    EXPECT_EQ(DecodeDistributionMask(image, TDistributionEvent::MainsFail), 0x0005);
    EXPECT_EQ(image.ADType, 0xFF);
    EXPECT_EQ(DecodeCommandPIN(image), u"0042");
    EXPECT_EQ(image.RemoteControl[80 + 16], 0x00);
    // One of a pair alone is refused, and so is everything given with it.
    const TKVXConfig before = image;
    EXPECT_EQ(ApplyAssignments({"UnitID=x", "AutoTestTimeHours=not set"}, image),
              std::vector<std::string>{"AutoTestTimeMinutes: the self test needs both AutoTestTimeHours and AutoTestTimeMinutes, or neither"});
    EXPECT_EQ(Differences(before, image), "");
}

TEST(ConfigBuild, SetEditsSingleFieldsByName)
{
    const TKVXConfig before = Site();
    TKVXConfig image = before;
    for (const char* assignment : {"UnitID=Farm 13", "PIN=2468", "VerifySender=false", "Relay2PulseTime=30", "TimerEvents.64.Time=06:15",
                                   "MissedCallNumbers.500.Count=3", "MissedCallNumbers.2.Number=+4411", "ShortCuts.10.Shortcut=\"open\"",
                                   "DistributeMessages.PowerUp=[1,2]", "UnitID=true", "M2MID=00042"})
        EXPECT_EQ(ApplyAssignments({assignment}, image), std::vector<std::string>{}) << assignment;
    EXPECT_EQ(DecodeUnitID(image), u"true");
    EXPECT_EQ(DecodeCommandPIN(image), u"2468");
    EXPECT_FALSE(DecodeVerifySender(image));
    EXPECT_EQ(image.Relay2PulseTime.Value(), 30);
    const TTimerLocation timer = DecodeTimer(image, 63);
    EXPECT_EQ(timer.Label, u"Last");
    EXPECT_EQ(timer.Hour * 100 + timer.Minute, 615);
    EXPECT_EQ(DecodeMissedCall(image, 499).Count, 3);
    EXPECT_EQ(DecodeMissedCall(image, 499).StopMinute, 30) << "the rest of the location stays";
    EXPECT_EQ(DecodeMissedCall(image, 1).Number, u"4411");
    EXPECT_EQ(DecodeShortcut(image, 9), (TShortcut{u"open", u"rly1 pulse"}));
    EXPECT_EQ(DecodeDistributionMask(image, TDistributionEvent::PowerUp), 0x0003);
    EXPECT_EQ(DecodeM2MID(image), u"00042");

    const TKVXConfig edited = image;
    EXPECT_EQ(ApplyAssignments({"Relay2PulseTime=2000"}, image), std::vector<std::string>{"Relay2PulseTime: 2000 is out of range (0 to 1000)"});
    EXPECT_EQ(ApplyAssignments({"UnitID"}, image).size(), 1u);
    EXPECT_EQ(ApplyAssignments({"TimerEvents.64.Colour=red"}, image), std::vector<std::string>{"TimerEvents.64.Colour: unknown key"});
    EXPECT_EQ(ApplyAssignments({"a.a.a.a.a.a.a.a.a.a=1"}, image), std::vector<std::string>{"a.a.a.a.a.a.a.a.a.a: unknown key (no field lies that deep)"});
    EXPECT_EQ(Differences(edited, image), "");
}

} // namespace
} // namespace kvx
