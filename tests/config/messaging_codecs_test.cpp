// Recipients, input messages, the analogue input, distribution masks and Contact ID.
#include <gtest/gtest.h>

#include "config/analogue_input.h"
#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/input_messages.h"
#include "config/recipients.h"
#include "config/text_fields.h"
#include "tests/config/image_expect.h"

namespace kvx {
namespace {

using test::Bytes;
using test::OnlyWritten;
using test::PatternedConfig;
using test::TextBytes;
using test::Unchanged;

TEST(Recipients, NumbersLoadWithoutFirstCharacterAndStoreBackByteForByte)
{
    TKVXConfig config = ErasedConfig();
    WriteText(&config.ReportingNumbers[16], 16, u"+447700900123", PadZero);
    const TKVXConfig loaded = config;
    EXPECT_EQ(DecodeRecipient(config, 1), u"447700900123");
    EncodeRecipient(config, 1, DecodeRecipient(config, 1));
    EXPECT_TRUE(Unchanged(loaded, config));

    WriteText(&config.ReportingNumbers[0], 16, u"07700900123", PadZero);  // no plus sign
    EXPECT_EQ(DecodeRecipient(config, 0), u"7700900123");
    EXPECT_EQ(DecodeRecipient(config, 9), u"");  // 16 x 0xFF
}

TEST(Recipients, FullLengthFillsSlotAndEmptyOrOutOfRangeWritesNothing)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeRecipient(config, 9, u"123456789012345");
    EXPECT_TRUE(OnlyWritten(before, config, {{28672 + 144, TextBytes("+123456789012345", 16, 0)}}));
    EXPECT_EQ(DecodeRecipient(config, 9), u"123456789012345");

    TKVXConfig untouched = before;
    EncodeRecipient(untouched, 3, u"");
    EncodeRecipient(untouched, 10, u"123");
    EXPECT_TRUE(Unchanged(before, untouched));
}

TEST(InputMessages, EnabledMessageIsSpacePaddedWithDelayTimesTwenty)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    const size_t slot = InputMessageSlot(3, TInputSide::Low);
    EXPECT_EQ(slot, 5u);
    EncodeInputMessage(config, slot, {true, u"Gate open", 12});
    EXPECT_TRUE(OnlyWritten(before, config, {{24656, TextBytes("Gate open", 16, 0x20)}, {346, Bytes({0x00, 0xF0})}}));
    EXPECT_EQ(DecodeInputMessage(config, slot), (TInputMessage{true, u"Gate open", 12}));

    EncodeInputMessage(config, slot, {true, u"Gate open", 3000});
    EXPECT_EQ(config.Input3LowDelay.Value(), 0xEA60);
    EXPECT_EQ(DecodeInputMessage(config, slot).DelaySeconds, 3000u);
}

TEST(InputMessages, DisabledLeavesTextAndZeroesDelay)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeInputMessage(config, InputMessageSlot(1, TInputSide::High), {false, u"ignored", 40});
    EXPECT_TRUE(OnlyWritten(before, config, {{336, Bytes({0, 0})}}));

    config = before;  // enabled with no text writes only the delay
    EncodeInputMessage(config, InputMessageSlot(7, TInputSide::Low), {true, u"", 1});
    EXPECT_TRUE(OnlyWritten(before, config, {{362, Bytes({0, 20})}}));
}

TEST(InputMessages, InputsEightAndNineHaveNoDelay)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    const size_t slot = InputMessageSlot(9, TInputSide::Low);
    EncodeInputMessage(config, slot, {true, u"Flood", 99});
    EncodeInputMessage(config, InputMessageSlot(8, TInputSide::High), {false, u"", 5});
    EXPECT_TRUE(OnlyWritten(before, config, {{24848, TextBytes("Flood", 16, 0x20)}}));
    EXPECT_EQ(DecodeInputMessage(config, slot), (TInputMessage{true, u"Flood", 0}));
}

TEST(InputMessages, ErasedSlotIsOffAndTrimmedTextLoads)
{
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(DecodeInputMessage(config, 0), (TInputMessage{false, u"", 0xFFFF / 20}));
    WriteText(&config.InputMessages[16], 16, u"  Low  ", PadSpace);
    EXPECT_EQ(DecodeInputMessage(config, 1).Text, u"Low");
}

TEST(AnalogueInput, HighBreachOnlyWithVoltageType)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    TAnalogueInput input;
    input.High = {true, u"Tank full", TruncatedHundredths(10.0), TruncatedHundredths(20.0), 1000};
    EncodeAnalogueInput(config, input);
    EXPECT_TRUE(OnlyWritten(before, config,
                            {{512, Bytes({1})},
                             {515, Bytes({0x03, 0xE8})},
                             {519, Bytes({0x07, 0xD0})},
                             {523, Bytes({0xC3, 0x50})},
                             {544, TextBytes("Tank full", 16, 0x20)}}));
}

TEST(AnalogueInput, LowBreachOnlyWithCurrentTypeKeepsHighFields)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    TAnalogueInput input;
    input.VoltageInput = false;
    input.Low = {true, u"Low", TruncatedHundredths(0.0), TruncatedHundredths(4.0), 2};
    input.High = {false, u"Not stored", 1, 2, 3};
    EncodeAnalogueInput(config, input);
    EXPECT_TRUE(OnlyWritten(before, config,
                            {{512, Bytes({2})},
                             {513, Bytes({0x00, 0x00})},
                             {517, Bytes({0x01, 0x90})},
                             {521, Bytes({0x00, 100})},
                             {528, TextBytes("Low", 16, 0x20)}}));

    const auto loaded = DecodeAnalogueInput(config);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->VoltageInput);
    EXPECT_EQ(loaded->Low, input.Low);
}

TEST(AnalogueInput, NoBreachStoresTypeZeroAndTypeZeroLoadsNothing)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeAnalogueInput(config, TAnalogueInput{});
    EXPECT_TRUE(OnlyWritten(before, config, {{512, Bytes({0})}}));
    EXPECT_FALSE(DecodeAnalogueInput(config));
}

TEST(AnalogueInput, ErasedImageLoadsAsCurrentWithUpperBoundsAndNoMessages)
{
    const auto loaded = DecodeAnalogueInput(ErasedConfig());
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->VoltageInput);  // 0xFF is neither 0 nor 1
    EXPECT_FALSE(loaded->High.Enabled);
    EXPECT_EQ(loaded->High.VoltageHundredths, 0xFFFF);
    EXPECT_EQ(loaded->Low.ResponseSeconds, 0xFFFFu / 50);
}

TEST(AnalogueInput, ResponseTimeWrapsAbove1310Seconds)
{
    TKVXConfig config = ErasedConfig();
    TAnalogueInput input;
    input.High = {true, u"H", 0, 400, 1311};
    EncodeAnalogueInput(config, input);
    EXPECT_EQ(config.ADHighThresholdDelay.Value(), (1311 * 50) % 65536);
}

TEST(AnalogueInput, ThresholdsAreTruncatedHundredths)
{
    EXPECT_EQ(TruncatedHundredths(10.0), 1000);
    EXPECT_EQ(TruncatedHundredths(4.0), 400);
    EXPECT_EQ(TruncatedHundredths(4.1), 410);    // not 409 from the binary approximation
    EXPECT_EQ(TruncatedHundredths(0.29), 29);
    EXPECT_EQ(TruncatedHundredths(4.109), 410);  // truncated, not rounded
    EXPECT_EQ(TruncatedHundredths(-1.0), 0);
    EXPECT_EQ(TruncatedHundredths(1e9), 65535);
}

TEST(DistributionMasks, LeastSignificantByteFirst)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeDistributionMask(config, TDistributionEvent::MainsFail, RecipientBit(1) | RecipientBit(3));
    EncodeDistributionMask(config, TDistributionEvent::SIMChange, RecipientBit(10));
    EncodeDistributionMask(config, TDistributionEvent::PowerUp, 0);
    EXPECT_TRUE(OnlyWritten(before, config, {{28928 + 38, Bytes({0x05, 0x00})},
                                             {28928 + 66, Bytes({0x00, 0x02})},
                                             {28928, Bytes({0x00, 0x00})}}));
}

TEST(DistributionMasks, BitsTenToFifteenAreDroppedBothWays)
{
    TKVXConfig config = ErasedConfig();
    EncodeDistributionMask(config, TDistributionEvent::IP4L, 0xFFFF);
    EXPECT_EQ(config.DistributeMessages.Masks[8].Bytes[0], 0xFF);
    EXPECT_EQ(config.DistributeMessages.Masks[8].Bytes[1], 0x03);
    EXPECT_EQ(DecodeDistributionMask(ErasedConfig(), TDistributionEvent::BundleThreshold), 0x03FF);
}

TEST(DistributionMasks, EventsFollowTheUnitsOrder)
{
    EXPECT_STREQ(DistributionEventName(TDistributionEvent::MaindRest), "MaindRest");
    EXPECT_STREQ(DistributionEventCaption(TDistributionEvent::IP9L), "Input 9 low");
    EXPECT_EQ(static_cast<int>(TDistributionEvent::AutoTest), 24);
    EXPECT_EQ(static_cast<int>(TDistributionEvent::CommsFailure), 32);
}

TEST(ContactIDLabels, EachKindInItsOwnBlockSpacePadded)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeCIDLabel(config, TCIDLabelKind::Partition, 32, u"Main House");
    EncodeCIDLabel(config, TCIDLabelKind::Zone, 128, u"Master Bedroom16");
    EncodeCIDLabel(config, TCIDLabelKind::User, 1, u"Anna");
    EXPECT_TRUE(OnlyWritten(before, config, {{4096 + 16 * 32, TextBytes("Main House", 16, 0x20)},
                                             {4624 + 16 * 128, TextBytes("Master Bedroom16", 16, 0)},
                                             {6688 + 16, TextBytes("Anna", 16, 0x20)}}));
    EXPECT_EQ(DecodeCIDLabel(config, TCIDLabelKind::Zone, 128), u"Master Bedroom16");
    EXPECT_EQ(DecodeCIDLabel(config, TCIDLabelKind::User, 1), u"Anna");
}

TEST(ContactIDLabels, EmptyOrOutOfRangeWritesNothingAndErasedReadsEmpty)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EncodeCIDLabel(config, TCIDLabelKind::Partition, 0, u"");
    EncodeCIDLabel(config, TCIDLabelKind::Partition, 33, u"Past the end");
    EncodeCIDLabel(config, TCIDLabelKind::User, 65, u"Past the end");
    EXPECT_TRUE(Unchanged(before, config));
    EXPECT_EQ(DecodeCIDLabel(ErasedConfig(), TCIDLabelKind::Zone, 0), u"");
    EXPECT_EQ(DecodeCIDLabel(config, TCIDLabelKind::Zone, 129), u"");
}

TEST(ContactIDReporting, MasksLSBFirstAndNothingPastTheBlock)
{
    const TKVXConfig before = PatternedConfig();
    TKVXConfig config = before;
    EXPECT_TRUE(EncodeCIDReportingMask(config, 1, RecipientBit(2) | RecipientBit(10) | 0x8000));
    EXPECT_TRUE(EncodeCIDReportingMask(config, 224, RecipientBit(1)));
    EXPECT_FALSE(EncodeCIDReportingMask(config, 225, 0x3FF));
    EXPECT_TRUE(OnlyWritten(before, config, {{29186, Bytes({0x02, 0x02})}, {29184 + 448, Bytes({0x01, 0x00})}}));
    EXPECT_EQ(DecodeCIDReportingMask(config, 1), RecipientBit(2) | RecipientBit(10));
    EXPECT_EQ(DecodeCIDReportingMask(ErasedConfig(), 0), 0x03FF);
}

TEST(DialTone, AnyNonZeroIsOnAndOnIsStoredAsFF)
{
    TKVXConfig config = ErasedConfig();
    config.DialTone = 0x01;
    EXPECT_TRUE(DecodeDialTone(config));
    EncodeDialTone(config, DecodeDialTone(config));
    EXPECT_EQ(config.DialTone, 0xFF);
    EncodeDialTone(config, false);
    EXPECT_EQ(config.DialTone, 0x00);
    EXPECT_FALSE(DecodeDialTone(config));
}

} // namespace
} // namespace kvx
