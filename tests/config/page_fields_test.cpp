// The plain fields of the setup pages: names, numbers, PIN, self test, delays, switches.
#include <gtest/gtest.h>

#include "config/general_setup.h"
#include "config/relay_pulse_times.h"
#include "config/security_setup.h"
#include "config/sim_setup.h"
#include "config/text_fields.h"
#include "config/week_days.h"
#include "tests/config/image_expect.h"

namespace kvx {
namespace {

using test::Bytes;
using test::OnlyWritten;
using test::PatternedConfig;
using test::TextBytes;
using test::Unchanged;

TEST(UnitID, DefaultIsSpacePaddedAndCutAt16)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeUnitID(config, u"Default");
    EXPECT_TRUE(OnlyWritten(before, config, {{176, TextBytes("Default", 16, 0x20)}}));
    EXPECT_EQ(DecodeUnitID(config), u"Default");

    EncodeUnitID(config, u"ABCDEFGHIJKLMNOPQRST");
    EXPECT_TRUE(OnlyWritten(before, config, {{176, TextBytes("ABCDEFGHIJKLMNOP", 16, 0)}}));
    EXPECT_EQ(DecodeUnitID(config), u"ABCDEFGHIJKLMNOP");
}

TEST(UnitID, LoadsWithoutBlanksAroundIt)
{
    TKVXConfig config = ErasedConfig();
    WriteText(config.UnitID, u"  Farm  ", PadZero);
    EXPECT_EQ(DecodeUnitID(config), u"Farm");
    EXPECT_EQ(DecodeUnitID(ErasedConfig()), u"");
}

TEST(SelfTest, StoredAsBCDWithDays)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeSelfTest(config, TSelfTest{7, 5, Monday | Friday});
    EXPECT_TRUE(OnlyWritten(before, config, {{80, Bytes({0x07, 0x05})}, {98, Bytes({0x11})}}));

    EncodeSelfTest(config, TSelfTest{23, 59, 0xFF});  // bit 7 is never stored
    EXPECT_TRUE(OnlyWritten(before, config, {{80, Bytes({0x23, 0x59})}, {98, Bytes({0x7F})}}));
    EXPECT_EQ(DecodeSelfTest(config), (TSelfTest{23, 59, 0x7F}));
}

TEST(SelfTest, OffWritesNothingAndEitherErasedTimeByteReadsOff)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeSelfTest(config, std::nullopt);
    EXPECT_TRUE(Unchanged(before, config));

    config = ErasedConfig();
    config.AutoTestTimeHours = 0x12;
    EXPECT_FALSE(DecodeSelfTest(config));
    config.AutoTestTimeMinutes = 0x30;
    config.AutoTestTimeHours = 0xFF;
    EXPECT_FALSE(DecodeSelfTest(config));
    config.AutoTestTimeHours = 0x00;
    config.DayOfWeek = 0;
    EXPECT_EQ(DecodeSelfTest(config), (TSelfTest{0, 30, 0}));
}

TEST(MainsDelays, MinutesStoredAsSecondsMSBFirst)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeDelayMinutes(config.ACFailTimeout, 10);
    EncodeDelayMinutes(config.ACRestoreTimeout, 999);
    EXPECT_TRUE(OnlyWritten(before, config, {{90, Bytes({0x02, 0x58, 0xEA, 0x24})}}));
    EXPECT_EQ(DecodeDelayMinutes(config.ACRestoreTimeout), 999u);

    config.ACFailTimeout.SetValue(90);  // whole minutes, remainder dropped
    EXPECT_EQ(DecodeDelayMinutes(config.ACFailTimeout), 1u);
}

TEST(SerialInterface, UnknownValuesReadAsDisabled)
{
    TKVXConfig config = ErasedConfig();
    for (auto [stored, expected] : {std::pair{0, TSerialInterface::IOExpander}, {1, TSerialInterface::DSC},
                                    {255, TSerialInterface::Disabled}, {7, TSerialInterface::Disabled}}) {
        config.SerialInterface = static_cast<uint8_t>(stored);
        EXPECT_EQ(DecodeSerialInterface(config), expected) << stored;
    }
    EncodeSerialInterface(config, TSerialInterface::DSC);
    EXPECT_EQ(config.SerialInterface, 1);
}

TEST(ServiceCentreNumbers, PlusAndDigitsZeroPaddedEachInItsOwnField)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeServiceCentreNumber(config, TSIM::Primary, u"447785016005");
    EncodeServiceCentreNumber(config, TSIM::Secondary, u"123456789012345");
    EXPECT_TRUE(OnlyWritten(before, config, {{64, TextBytes("+447785016005", 16, 0)},
                                             {1024, TextBytes("+123456789012345", 16, 0)}}));
    EXPECT_EQ(DecodeServiceCentreNumber(config, TSIM::Primary), u"447785016005");
    EXPECT_EQ(DecodeServiceCentreNumber(config, TSIM::Secondary), u"123456789012345");
}

TEST(ServiceCentreNumbers, EmptyLeavesTheFieldAndFirstCharacterIsAlwaysDropped)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeServiceCentreNumber(config, TSIM::Primary, u"");
    EXPECT_TRUE(Unchanged(before, config));

    config = ErasedConfig();
    WriteText(config.SIM1ServiceCentreNumber, u"07700900555", PadZero);
    EXPECT_EQ(DecodeServiceCentreNumber(config, TSIM::Primary), u"7700900555");
    EXPECT_EQ(DecodeServiceCentreNumber(ErasedConfig(), TSIM::Secondary), u"");
}

TEST(SecondarySIM, OnlyTwoFiftyFiveIsOn)
{
    TKVXConfig config = ErasedConfig();
    EXPECT_TRUE(DecodeSecondarySIMEnabled(config));  // an unprogrammed unit
    EncodeSecondarySIMEnabled(config, false);
    EXPECT_EQ(config.SIM2Enable, 0);
    config.SIM2Enable = 1;
    EXPECT_FALSE(DecodeSecondarySIMEnabled(config));
    EncodeSecondarySIMEnabled(config, true);
    EXPECT_EQ(config.SIM2Enable, 255);
}

TEST(CommandPIN, DigitsWithoutPaddingAndEmptyLeavesTheField)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeCommandPIN(config, u"0042");
    EXPECT_TRUE(OnlyWritten(before, config, {{160, Bytes({0x30, 0x30, 0x34, 0x32})}}));
    EXPECT_EQ(DecodeCommandPIN(config), u"0042");

    TKVXConfig untouched = before;
    EncodeCommandPIN(untouched, u"");
    EXPECT_TRUE(Unchanged(before, untouched));
    EXPECT_EQ(DecodeCommandPIN(ErasedConfig()), u"");
}

TEST(VerifySender, OnlyTwoFiftyFiveIsOn)
{
    TKVXConfig config = ErasedConfig();
    EXPECT_TRUE(DecodeVerifySender(config));
    config.VerifySender = 1;
    EXPECT_FALSE(DecodeVerifySender(config));
    EncodeVerifySender(config, true);
    EXPECT_EQ(config.VerifySender, 255);
    EncodeVerifySender(config, false);
    EXPECT_EQ(config.VerifySender, 0);
}

TEST(RelayPulseTimes, EachRelayInItsOwnWordMSBFirst)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeRelayPulseTime(config, 0, 300);
    EncodeRelayPulseTime(config, 7, 1000);
    EncodeRelayPulseTime(config, 8, 1);  // no ninth relay
    EXPECT_TRUE(OnlyWritten(before, config, {{256, Bytes({0x01, 0x2C})}, {270, Bytes({0x03, 0xE8})}}));
    EXPECT_EQ(DecodeRelayPulseTime(config, 0), 300);
    EXPECT_EQ(DecodeRelayPulseTime(config, 7), 1000);

    EncodeRelayPulseTime(config, 3, 65536 + 5);  // low 16 bits, as the page stores them
    EXPECT_EQ(DecodeRelayPulseTime(config, 3), 5);
}

} // namespace
} // namespace kvx
