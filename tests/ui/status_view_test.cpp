#include <QLabel>

#include "tests/ui/window_fixture.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/kvx_image.h"
#include "ui/main/status_view.h"

namespace kvx::ui::test {
namespace {

// Type 1 data bytes 1..30 (index 0 here is frame byte 1).
struct TStateFrame {
    std::vector<uint8_t> Data = std::vector<uint8_t>(30, 0);
    TStateFrame& Set(size_t FrameOffset, uint8_t Value)
    {
        Data.at(FrameOffset - 1) = Value;
        return *this;
    }
    TStateFrame& Word(size_t FrameOffset, uint16_t Value)
    {
        return Set(FrameOffset, static_cast<uint8_t>(Value >> 8)).Set(FrameOffset + 1, static_cast<uint8_t>(Value));
    }
    std::vector<uint8_t> Bytes() const { return StatusFrame(1, Data); }
};

std::vector<uint8_t> TextFrame(uint8_t Type, const std::string& Text)
{
    std::vector<uint8_t> data(30, 0);
    std::copy(Text.begin(), Text.end(), data.begin());
    return StatusFrame(Type, data);
}

class StatusViewTest : public WindowTest {
protected:
    void SetUp() override
    {
        CreateWindow({});
        ConnectDongle();
        View = Window->StatusView();
    }
    void Deliver(std::vector<uint8_t> Bytes)
    {
        Link->Receive(Bytes);
        Link->OnRxData(static_cast<uint32_t>(Bytes.size()));
    }
    size_t SetTimes() const { return Link->CountOf(TKVXCommand::SetTime); }

    TfrmStatus* View = nullptr;
};

TEST_F(StatusViewTest, StartsHiddenWithDesignTimeCaptionsAndShowsLowInputsOnConnect)
{
    EXPECT_FALSE(View->isVisible());
    EXPECT_EQ(View->lblConnected->text(), "Status - None");
    EXPECT_EQ(View->lblOperator->text(), "No operator");
    EXPECT_FALSE(View->InputLow[0][0]->isHidden());
    EXPECT_TRUE(View->InputHigh[0][0]->isHidden());
    EXPECT_FALSE(View->InputLow[7][1]->isHidden());
    EXPECT_FALSE(View->imgACL->isHidden());
    EXPECT_FALSE(View->imgACH->isHidden());
}

TEST_F(StatusViewTest, StateFrameUpdatesLabelsPicturesAndSetsTheClock)
{
    Deliver(TStateFrame{}
                .Set(1, 2).Set(2, 7).Set(3, 4).Set(4, 51).Set(5, 1)
                .Set(6, 0b1000'0101).Set(7, 0b10)
                .Set(8, 0b01).Set(9, 0b10'0000)
                .Word(11, 138).Set(14, 1).Word(15, 1000)
                .Bytes());
    EXPECT_EQ(SetTimes(), 1u);
    EXPECT_EQ(View->lblFirmwareVersion->text(), "Firmware version 2.7");
    EXPECT_EQ(View->lblConnected->text(), "Status - GSM connected");
    EXPECT_EQ(View->imgSignalStrength->ImageIndex, 15);
    EXPECT_EQ(View->imgSIM1->LoadedName, "SIM1INACTIVE");
    EXPECT_EQ(View->imgSIM2->LoadedName, "SIM2ACTIVE");

    const bool high[9] = {true, false, true, false, false, false, false, false, true};
    for (size_t input = 0; input < 9; ++input) {
        for (TImage* image : View->InputHigh[input]) EXPECT_EQ(image->isHidden(), !high[input]) << input + 1;
        for (TImage* image : View->InputLow[input]) EXPECT_EQ(image->isHidden(), high[input]) << input + 1;
    }
    EXPECT_TRUE(View->imgACL->isHidden());
    EXPECT_FALSE(View->imgACH->isHidden());

    EXPECT_EQ(View->lblRelay[0]->text(), "Closed");
    EXPECT_EQ(View->lblRelay[1]->text(), "Open");
    EXPECT_EQ(View->lblRelay[7]->text(), "Closed");
    EXPECT_EQ(View->lblVoltage->text(), "13.8V");
    EXPECT_EQ(FontColour(View->lblVoltage), HealthyGreen);
    EXPECT_EQ(View->lblAV->text(), "10.00");
    EXPECT_EQ(FontColour(View->lblAV), ActiveLight);
    EXPECT_EQ(View->lblAI->text(), "--");
    EXPECT_EQ(FontColour(View->lblAI), InactiveGrey);
}

TEST_F(StatusViewTest, SupplyTurnsRedBelowTenPointEight)
{
    Deliver(TStateFrame{}.Word(11, 107).Bytes());
    EXPECT_EQ(View->lblVoltage->text(), "10.7V");
    EXPECT_EQ(FontColour(View->lblVoltage), AlarmRed);
    EXPECT_EQ(FontColour(View->lblSupply), AlarmRed);
    Deliver(TStateFrame{}.Word(11, 108).Bytes());
    EXPECT_EQ(FontColour(View->lblSupply), HealthyGreen);
}

TEST_F(StatusViewTest, AnalogueModesLightOneGroup)
{
    Deliver(TStateFrame{}.Set(14, 2).Word(17, 1234).Bytes());
    EXPECT_EQ(View->lblAI->text(), "12.34");
    EXPECT_EQ(FontColour(View->lblAIDesignator), ActiveLight);
    EXPECT_EQ(View->lblAV->text(), "--");
    Deliver(TStateFrame{}.Set(14, 0).Bytes());
    EXPECT_EQ(View->lblAI->text(), "--");
    EXPECT_EQ(FontColour(View->lblAIRange), InactiveGrey);
}

TEST_F(StatusViewTest, UnknownStateLeavesTheStateLabelOnly)
{
    Deliver(TStateFrame{}.Set(3, 1).Bytes());
    Deliver(TStateFrame{}.Set(3, 7).Set(1, 3).Bytes());
    EXPECT_EQ(View->lblConnected->text(), "Status - Config error");
    EXPECT_EQ(View->lblFirmwareVersion->text(), "Firmware version 3.0");
}

TEST_F(StatusViewTest, TextFramesAndStrayBytesAroundThem)
{
    std::vector<uint8_t> bytes{0x09, 0x01, 0x77};
    for (const auto& frame : {TStateFrame{}.Set(3, 2).Bytes(), TextFrame(2, "  Vodafone  ")})
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    Deliver(bytes);
    EXPECT_EQ(View->lblConnected->text(), "Status - GSM register");
    EXPECT_EQ(View->lblOperator->text(), "Vodafone");

    Deliver(TextFrame(4, "351234567890123"));
    Deliver(TextFrame(5, "234150000000001"));
    EXPECT_EQ(View->lblIMEI->text(), "IMEI - 351234567890123");
    EXPECT_EQ(View->lblIMSI->text(), "IMSI - 234150000000001");
    Deliver(TextFrame(2, "    "));
    EXPECT_EQ(View->lblOperator->text(), "No operator");
    EXPECT_EQ(SetTimes(), 1u);  // only state frames set the clock
}

TEST_F(StatusViewTest, BadChecksumChangesNothing)
{
    auto frame = TStateFrame{}.Set(3, 4).Bytes();
    frame[31] ^= 0xFF;
    Deliver(frame);
    EXPECT_EQ(View->lblConnected->text(), "Status - None");
    EXPECT_EQ(SetTimes(), 0u);
}

TEST_F(StatusViewTest, SIMPicturesLoadOnlyWhenTheActiveSIMChanges)
{
    Deliver(TStateFrame{}.Set(5, 0).Bytes());
    EXPECT_EQ(View->imgSIM1->LoadedName, "SIM1ACTIVE");
    View->imgSIM1->LoadedName.clear();
    Deliver(TStateFrame{}.Set(5, 0).Bytes());
    EXPECT_TRUE(View->imgSIM1->LoadedName.isEmpty());
    Deliver(TStateFrame{}.Set(5, 9).Bytes());
    EXPECT_EQ(View->imgSIM1->LoadedName, "SIM1INACTIVE");
}

TEST_F(StatusViewTest, DisconnectHidesLiveValuesAndKeepsThem)
{
    Deliver(TextFrame(2, "Operator"));
    Link->OnDeviceDisconnect(DongleInfo());
    EXPECT_TRUE(View->lblOperator->isHidden());
    EXPECT_TRUE(View->lblRelay[3]->isHidden());
    EXPECT_TRUE(View->imgSignalStrength->isHidden());
    ConnectDongle();
    EXPECT_FALSE(View->lblOperator->isHidden());
    EXPECT_EQ(View->lblOperator->text(), "Operator");
}

TEST(StatusViewProblem, NamesTheLibraryThatCouldNotBeLoaded)
{
    TfrmStatus view(nullptr);
    EXPECT_TRUE(view.lblLinkProblem->isHidden());
    view.ShowLinkProblem("libSiUSBXp.so: cannot open shared object file");
    EXPECT_FALSE(view.lblLinkProblem->isHidden());
    EXPECT_TRUE(view.lblLinkProblem->text().contains("libSiUSBXp.so"));
}

} // namespace
} // namespace kvx::ui::test
