// The unit's status frames: framing, the per-type fields and the status view's texts.
#include <gtest/gtest.h>

#include <vector>

#include "link/crc8.h"
#include "link/status_frame.h"

namespace kvx {
namespace {

using TFrame = std::vector<uint8_t>;

TFrame Frame(uint8_t Type, std::initializer_list<std::pair<size_t, uint8_t>> Bytes = {})
{
    TFrame frame(StatusFrameSize, 0);
    frame[0] = Type;
    for (auto [offset, value] : Bytes) frame[offset] = value;
    frame[31] = Crc8Maxim(frame.data() + 1, 30);
    return frame;
}

TFrame TextFrame(uint8_t Type, const std::vector<uint8_t>& Text)
{
    TFrame frame(StatusFrameSize, 0);
    frame[0] = Type;
    std::copy(Text.begin(), Text.end(), frame.begin() + 1);
    frame[31] = Crc8Maxim(frame.data() + 1, 30);
    return frame;
}

TFrame Join(std::initializer_list<TFrame> Parts)
{
    TFrame all;
    for (const TFrame& p : Parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<TStatusUpdate> Decode(const TFrame& Bytes) { return DecodeStatusFrames(Bytes.data(), Bytes.size()); }

TUnitStatus DecodeOne(const TFrame& Bytes)
{
    const auto updates = Decode(Bytes);
    EXPECT_EQ(updates.size(), 1u);
    return updates.empty() ? TUnitStatus{} : std::get<TUnitStatus>(updates.front());
}

const TFrame Status = Frame(1, {{1, 1}, {2, 2}, {3, 4}, {4, 60}, {11, 0x00}, {12, 0x8A}});
const TFrame Operator = TextFrame(2, {'V', 'o', 'd', 'a', 'f', 'o', 'n', 'e', ' ', 'U', 'K'});

TEST(StatusFraming, StateThenOperatorAlsoAfterStrayBytes)
{
    for (const TFrame& bytes : {Join({Status, Operator}), Join({TFrame{0x01, 0x33, 0x06}, Status, Operator})}) {
        const auto updates = Decode(bytes);
        ASSERT_EQ(updates.size(), 2u);
        EXPECT_EQ(FirmwareCaption(std::get<TUnitStatus>(updates[0])), u"Firmware version 1.2");
        EXPECT_EQ(std::get<TOperatorName>(updates[1]).Text, u"Vodafone UK");
    }
}

TEST(StatusFraming, BadChecksumWrongTypeAndCutFrameAreSkipped)
{
    TFrame bad = Status;
    bad[31] ^= 1;
    TFrame type7 = Status;
    type7[0] = 7;
    TFrame type0 = Status;
    type0[0] = 0;
    const TFrame cut(Status.begin(), Status.end() - 1);
    EXPECT_TRUE(Decode(Join({bad, type7, type0, cut})).empty());
    EXPECT_TRUE(Decode({}).empty());
}

TEST(StatusFraming, TypesThreeAndSixGiveNothing)
{
    const auto updates = Decode(Join({Frame(3), Frame(6), Frame(5)}));
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<TSimIMSI>(updates[0]));
}

TEST(StatusFraming, FramesMustEndBeforeTheBufferEnd)
{
    // A frame at 991 still fits (991 + 32 < 1024); one at 992 does not.
    for (auto [start, expected] : {std::pair{size_t{991}, size_t{1}}, {size_t{992}, size_t{0}}}) {
        TFrame bytes(start, 0xEE);
        const TFrame tail = Join({Status, TFrame(8, 0)});
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        EXPECT_EQ(Decode(bytes).size(), expected) << start;
    }
}

TEST(UnitStatusFrame, FieldsByBit)
{
    const TUnitStatus s = DecodeOne(Frame(1, {{3, 7},
                                               {5, 2},
                                               {6, 0b1000'0101},
                                               {7, 0b1111'1110},
                                               {8, 0b0000'0010},
                                               {9, 0b1010'0001},
                                               {14, 2},
                                               {15, 0x03},
                                               {16, 0xE8},
                                               {17, 0x07},
                                               {18, 0xD0}}));
    EXPECT_FALSE(s.State);  // 7: the state label stays
    EXPECT_TRUE(s.SIM2Active);
    const std::array<bool, 9> inputs{true, false, true, false, false, false, false, false, true};
    EXPECT_EQ(s.InputHigh, inputs);
    EXPECT_TRUE(s.MainsHigh);
    const std::array<bool, 8> relays{false, true, true, false, false, false, false, true};
    EXPECT_EQ(s.RelayClosed, relays);
    EXPECT_EQ(s.AnalogueMode, 2);
    EXPECT_EQ(s.AnalogueCentiVolts, 1000);
    EXPECT_EQ(s.AnalogueCentiMilliAmps, 2000);
    EXPECT_EQ(AnalogueVoltageText(s, u'.'), u"--");
    EXPECT_EQ(AnalogueCurrentText(s, u','), u"20,00");
}

TEST(UnitStatusFrame, StateCaptions)
{
    EXPECT_EQ(StateCaption(0), u"Status - Power up");
    EXPECT_EQ(StateCaption(4), u"Status - GSM connected");
    EXPECT_EQ(StateCaption(5), u"Status - SIM locked");
    EXPECT_FALSE(StateCaption(6));
    EXPECT_FALSE(StateCaption(std::nullopt));
    EXPECT_EQ(DecodeOne(Frame(1, {{3, 5}})).State, 5);
}

TEST(UnitStatusFrame, SignalPictureBands)
{
    const std::pair<uint8_t, int> cases[] = {{0, 0},    {50, 0},   {51, 15},  {55, 15}, {56, 14}, {67, 12},
                                             {68, 11},  {70, 11},  {71, 10},  {82, 8},  {83, 7},  {101, 3},
                                             {102, 2},  {109, 1},  {110, 0},  {113, 0}, {114, 0}, {255, 0}};
    for (auto [level, image] : cases) EXPECT_EQ(SignalImageIndex(level), image) << int(level);
    EXPECT_EQ(DecodeOne(Frame(1, {{4, 51}})).SignalImage, 15);
    const std::pair<uint8_t, const char*> texts[] = {{50, "no signal"}, {51, "-51 dBm"}, {113, "-113 dBm"}, {114, "no signal"}};
    for (auto [level, text] : texts) EXPECT_EQ(SignalText(level), text) << int(level);
}

TEST(UnitStatusFrame, SupplyTextAndLowFlag)
{
    const TUnitStatus low = DecodeOne(Frame(1, {{11, 0x00}, {12, 0x6B}}));
    EXPECT_EQ(SupplyText(low.SupplyDeciVolts, u'.'), u"10.7V");
    EXPECT_TRUE(SupplyIsLow(low.SupplyDeciVolts));
    const TUnitStatus ok = DecodeOne(Frame(1, {{11, 0x00}, {12, 0x6C}}));
    EXPECT_EQ(SupplyText(ok.SupplyDeciVolts, u','), u"10,8V");
    EXPECT_FALSE(SupplyIsLow(ok.SupplyDeciVolts));
    EXPECT_EQ(SupplyText(138, u'.'), u"13.8V");
    EXPECT_EQ(SupplyText(0, u'.'), u"0.0V");
    EXPECT_EQ(SupplyText(1234, u'.'), u"123.0V");  // three significant digits
    EXPECT_EQ(SupplyText(1235, u'.'), u"124.0V");
    EXPECT_EQ(SupplyText(65535, u'.'), u"6550.0V");
}

TEST(UnitStatusFrame, AnalogueTextsByMode)
{
    TUnitStatus s = DecodeOne(Frame(1, {{14, 1}, {15, 0x03}, {16, 0xE8}}));
    EXPECT_EQ(AnalogueVoltageText(s, u'.'), u"10.00");
    EXPECT_EQ(AnalogueCurrentText(s, u'.'), u"--");
    s.AnalogueCentiVolts = 5;
    EXPECT_EQ(AnalogueVoltageText(s, u'.'), u"0.05");
    s.AnalogueCentiVolts = 65535;  // four significant digits
    EXPECT_EQ(AnalogueVoltageText(s, u'.'), u"655.40");
    s.AnalogueMode = 0;
    EXPECT_EQ(AnalogueVoltageText(s, u'.'), u"--");
    EXPECT_EQ(AnalogueCurrentText(s, u'.'), u"--");
}

TEST(TextFrames, OperatorIMEIAndIMSI)
{
    const auto updates = Decode(Join({TextFrame(2, std::vector<uint8_t>(16, ' ')), TextFrame(2, {}),
                                      TextFrame(2, std::vector<uint8_t>(16, 0xFF)), TextFrame(4, {'3', '5', '1'}),
                                      TextFrame(5, {' ', '2', '3', '4', ' ', 0x00, 'X'})}));
    ASSERT_EQ(updates.size(), 5u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(std::get<TOperatorName>(updates[i]).Text, u"") << i;
        EXPECT_EQ(OperatorCaption(std::get<TOperatorName>(updates[i]).Text), u"No operator");
    }
    EXPECT_EQ(IMEICaption(std::get<TModemIMEI>(updates[3]).Text), u"IMEI - 351");
    EXPECT_EQ(IMSICaption(std::get<TSimIMSI>(updates[4]).Text), u"IMSI - 234");
    EXPECT_EQ(OperatorCaption(u"O2"), u"O2");
}

TEST(TextFrames, TextStopsAtSixteenBytes)
{
    std::vector<uint8_t> text(30, 'A');
    const auto updates = Decode(TextFrame(2, text));
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(std::get<TOperatorName>(updates[0]).Text, std::u16string(16, u'A'));
}

TEST(RelayCaptions, ClosedOrOpen)
{
    EXPECT_EQ(RelayStateCaption(true), u"Closed");
    EXPECT_EQ(RelayStateCaption(false), u"Open");
}

} // namespace
} // namespace kvx
