#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "tests/ui/window_fixture.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/commissioning_texts.h"
#include "ui/main/kvx_image.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"

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

    TStatusView* View = nullptr;
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

TEST_F(StatusViewTest, SignalInDbmAndItsHistoryWithStatisticsSinceOpeningOrReset)
{
    const struct {
        uint64_t AtMs;
        uint8_t Level;
        const char* Shown;
        const char* Statistics;
    } walk[] = {
        {1000, 70, "-70 dBm", "Min -70  Max -70  Average -70.0 dBm"},
        {2000, 90, "-90 dBm", "Min -90  Max -70  Average -80.0 dBm"},
        {3000, 120, "no signal", "Min -90  Max -70  Average -80.0 dBm"},  // no reading: not counted
        {4000, 51, "-51 dBm", "Min -90  Max -51  Average -70.3 dBm"},
        // Ten minutes on, the first samples have left the plot; the statistics keep them.
        {SignalWindowMs + 2500, 60, "-60 dBm", "Min -90  Max -51  Average -67.8 dBm"},
    };
    for (const auto& step : walk) {
        Pump.Now = step.AtMs;
        Deliver(TStateFrame{}.Set(4, step.Level).Bytes());
        EXPECT_EQ(View->lblSignalLevel->text().toStdString(), step.Shown) << step.AtMs;
        EXPECT_EQ(View->lblSignalStatistics->text().toStdString(), step.Statistics) << step.AtMs;
    }
    EXPECT_EQ(View->SignalHistory().Samples().size(), 3u);

    View->ResetSignalClick();
    EXPECT_EQ(View->lblSignalStatistics->text(), "No readings yet");
    Deliver(TStateFrame{}.Set(4, 75).Bytes());
    Window->MenuItemClicked(Window->UnitStatusButton);  // opening the view starts them afresh too
    EXPECT_EQ(View->lblSignalStatistics->text(), "No readings yet");
    EXPECT_EQ(View->SignalHistory().Samples().size(), 4u);
    EXPECT_FALSE(View->findChild<QLabel*>("lblLegendHigh")->text().isEmpty());
}

TEST_F(StatusViewTest, RecordStatusWritesARowForEveryStateFrameWhileTheMarkShows)
{
    QTemporaryDir folder;
    const QString log = folder.filePath("site.csv");
    Dialogs.ExpectSaveFile(log);
    View->RecordStatusClick();
    EXPECT_FALSE(View->lblRecording->isHidden());
    EXPECT_EQ(View->pnlRecordStatus->Caption(), StopRecordingCaption);
    Deliver(TextFrame(2, "Vodafone"));
    Deliver(TStateFrame{}.Set(3, 4).Set(4, 67).Set(6, 0b1000'0001).Set(8, 0b01).Word(11, 138).Bytes());
    Deliver(TStateFrame{}.Set(3, 4).Set(4, 130).Set(5, 1).Set(14, 2).Word(17, 1234).Bytes());
    EXPECT_EQ(View->lblRecording->text(), RecordingText("site.csv", 2));
    View->RecordStatusClick();
    EXPECT_TRUE(View->lblRecording->isHidden());
    EXPECT_EQ(View->pnlRecordStatus->Caption(), RecordStatusCaption);
    Deliver(TStateFrame{}.Bytes());  // after the stop: not recorded

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "time,state,operator,signal_dbm,sim,inputs,mains,relays,supply_volts,analogue_volts,analogue_milliamps\r\n"
              "2026-03-23 14:05:09,GSM connected,Vodafone,-67,1,HLLLLLLLL,H,COOOOOOO,13.8,,\r\n"
              "2026-03-23 14:05:09,GSM connected,Vodafone,,2,LLLLLLLLL,L,OOOOOOOO,0.0,,12.34\r\n");

    // A log that cannot be made says why (in the system's words) and records nothing.
    QFile unwritable(folder.filePath("no-such-folder/site.csv"));
    ASSERT_FALSE(unwritable.open(QIODevice::WriteOnly));
    Dialogs.ExpectSaveFile(unwritable.fileName());
    Dialogs.ExpectMessage(RecordStartFailedMessage(QDir::toNativeSeparators(unwritable.fileName()), unwritable.errorString()));
    View->RecordStatusClick();
    EXPECT_FALSE(View->Recording().Active());
    EXPECT_TRUE(View->lblRecording->isHidden());
}

TEST_F(StatusViewTest, SaveReportNamesTheUnitThereAndOffersTheInstallersAnswersAgain)
{
    QTemporaryDir folder;
    const auto contents = [&](const QString& Name) {
        QFile file(folder.filePath(Name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    Deliver(TextFrame(4, "356938035643809"));
    Deliver(TStateFrame{}.Set(1, 1).Set(2, 2).Set(3, 4).Set(4, 67).Bytes());
    TReportDetails typed;
    typed.Installer = "Ann Fitter";
    typed.Site = "Farm 12";
    Dialogs.ExpectReportDetails(typed);
    Dialogs.ExpectSaveFile(folder.filePath("farm.html"));
    Window->SaveReport();
    const std::string html = contents("farm.html");
    for (const char* expected : {"<td>Ann Fitter</td>", "<td>Farm 12</td>", "<td>356938035643809</td>", "<td>-67 dBm</td>", "<td>1.2</td>"})
        EXPECT_NE(html.find(expected), std::string::npos) << expected;

    Dialogs.ExpectReportDetails(typed);
    Dialogs.ExpectSaveFile(folder.filePath("farm.pdf"));
    Window->SaveReport();
    EXPECT_EQ(Dialogs.ReportDetailsShown.back().Installer, "Ann Fitter");
    EXPECT_EQ(contents("farm.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(Window->StatusLine->Caption(), SavedText("farm.pdf"));

    // Without a dongle the report names no unit but by its settings; a cancel writes nothing.
    Link->OnDeviceDisconnect(DongleInfo());
    Dialogs.ExpectReportDetails(typed);
    Dialogs.ExpectSaveFile(folder.filePath("template.html"));
    Window->SaveReport();
    EXPECT_EQ(contents("template.html").find("356938035643809"), std::string::npos);
    Dialogs.ExpectReportDetails(std::nullopt);
    Window->SaveReport();
    EXPECT_TRUE(Dialogs.Done());
}

TEST(StatusViewProblem, NamesTheLibraryThatCouldNotBeLoaded)
{
    kvx::test::TFakePump pump;
    TStatusView view(nullptr, pump, SystemLocalDateTime);
    EXPECT_TRUE(view.lblLinkProblem->isHidden());
    view.ShowLinkProblem("libSiUSBXp.so: cannot open shared object file");
    EXPECT_FALSE(view.lblLinkProblem->isHidden());
    EXPECT_TRUE(view.lblLinkProblem->text().contains("libSiUSBXp.so"));
}

} // namespace
} // namespace kvx::ui::test
