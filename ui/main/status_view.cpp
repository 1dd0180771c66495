#include "ui/main/status_view.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include "image/utils.h"
#include "transfer/status_log.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/commissioning_texts.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_image.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/signal_plot.h"
#include "program_version.h"

namespace kvx::ui {

namespace {

constexpr int NoSIMShown = -1;

void SetFontColour(QLabel* Label, const QColor& Colour)
{
    Label->setProperty("fontColour", Colour);
    Label->setStyleSheet(QString("color: %1; background: transparent;").arg(Colour.name()));
}

QLabel* MakeLabel(QWidget* Parent, const QString& Name, const QString& Caption, QRect Geometry,
                  const QColor& Colour = ActiveLight)
{
    auto* label = new QLabel(Caption, Parent);
    label->setObjectName(Name);
    label->setGeometry(Geometry);
    SetFontColour(label, Colour);
    return label;
}

TImage* MakeImage(QWidget* Parent, const QString& Name, QRect Geometry, const QPixmap& Picture)
{
    auto* image = new TImage(Name, Parent);
    image->setGeometry(Geometry);
    image->setPixmap(Picture);
    return image;
}

// A small button of the view, in the colours of "Back to main menu".
TPanel* MakeButton(QWidget* Parent, const QString& Name, const QString& Caption, QRect Geometry)
{
    auto* button = new TPanel(Name, Caption, Parent);
    button->Alignment = Qt::AlignCenter;
    button->setGeometry(Geometry);
    QObject::connect(button, &TPanel::MouseEnter, Parent, [](TPanel* p) { p->SetColours(HoverColour, HoverTextColour); });
    QObject::connect(button, &TPanel::MouseLeave, Parent, [](TPanel* p) { p->SetColours(WindowColour, IdleTextColour); });
    return button;
}

QString SignalStatisticsText(const TSignalStatistics& Statistics)
{
    if (Statistics.Count == 0) return "No readings yet";
    return QString("Min %1  Max %2  Average %3 dBm")
        .arg(Statistics.MinimumDbm)
        .arg(Statistics.MaximumDbm)
        .arg(QLocale().toString(Statistics.AverageDbm(), 'f', 1));
}

} // namespace

QColor FontColour(const QLabel* Label)
{
    return Label->property("fontColour").value<QColor>();
}

TStatusView::TStatusView(QWidget* Parent, IEventPump& Pump, TLocalClock Clock) : QWidget(Parent), FPump(Pump), FClock(std::move(Clock))
{
    setObjectName("frmStatus1");
    auto* background = MakeImage(this, "Image1", QRect(0, 0, 1024, 730), StatusBackground());
    background->setScaledContents(true);
    MakeImage(this, "Image2", QRect(0, 0, 255, 128), LogoPicture());
    VersionLabel = MakeLabel(this, "Label2", QStringLiteral("v") + ProgramVersion, QRect(205, 100, 40, 18), IdleTextColour);
    auto* heading = MakeLabel(this, "Panel4", "Unit status", QRect(280, 60, 300, 40), Qt::white);
    heading->setStyleSheet(heading->styleSheet() + " font-size: 20pt;");
    auto* dragArea = new QWidget(this);
    dragArea->setObjectName("Panel3");
    dragArea->setGeometry(600, 0, 424, 60);

    ConnectionIndicator = MakeImage(this, "imgConnectionStatus", QRect(790, 84, 27, 27), {});
    ConnectionIndicator->ShowListImage(DisconnectedIcon, ConnectionIcon(DisconnectedIcon));
    BackButton = MakeButton(this, "pnlUnitStatus", "Back to main menu", QRect(830, 82, 170, 30));
    BackButton->Tag = 13;
    connect(BackButton, &TPanel::Clicked, this, [this] { BackClicked(); });
    pnlRecordStatus = MakeButton(this, "pnlRecordStatus", RecordStatusCaption, QRect(610, 82, 160, 30));
    pnlRecordStatus->setToolTip("Write every status frame to a CSV file while the unit is watched");
    connect(pnlRecordStatus, &TPanel::Clicked, this, [this] { RecordStatusClick(); });
    lblRecording = MakeLabel(this, "lblRecording", QString(), QRect(280, 112, 490, 20), AlarmRed);
    lblRecording->hide();

    BuildIdentity();
    BuildSignalHistory();
    BuildInputs();
    BuildInputLegend();
    BuildOutputs();
    lblLinkProblem = MakeLabel(this, "lblLinkProblem", QString(), QRect(40, 670, 950, 40), AlarmRed);
    lblLinkProblem->setWordWrap(true);
    lblLinkProblem->hide();

    for (QWidget* control : LiveControls()) control->hide();
    for (auto* images : {&InputHigh, &InputLow})
        for (const auto& input : *images)
            for (TImage* image : input) image->hide();
}

void TStatusView::BuildIdentity()
{
    lblConnected = MakeLabel(this, "lblConnected", "Status - None", QRect(60, 190, 260, 22));
    lblOperator = MakeLabel(this, "lblOperator", "No operator", QRect(60, 216, 260, 22));
    lblFirmwareVersion = MakeLabel(this, "lblFirmwareVersion", "Firmware version", QRect(60, 242, 260, 22));
    lblIMSI = MakeLabel(this, "lblIMSI", "IMSI", QRect(60, 268, 260, 22));
    lblIMEI = MakeLabel(this, "lblIMEI", "IMEI", QRect(60, 294, 260, 22));
    imgSignalStrength = MakeImage(this, "imgSignalStrength", QRect(60, 340, 18, 134), SignalPicture(0));
    imgSignalStrength->ImageIndex = 0;
    lblSignalLevel = MakeLabel(this, "lblSignalLevel", "-- dBm", QRect(88, 397, 70, 20));
    imgSIM1 = MakeImage(this, "imgSIM1", QRect(170, 380, 44, 56), SIMPicture("SIM1ACTIVE"));
    imgSIM2 = MakeImage(this, "imgSIM2", QRect(240, 380, 44, 56), SIMPicture("SIM2INACTIVE"));
    imgSIM1->Tag = NoSIMShown;
}

void TStatusView::BuildSignalHistory()
{
    MakeLabel(this, "lblSignalHistory", "Signal, last 10 minutes", QRect(60, 492, 190, 20), Qt::white);
    pnlResetSignal = MakeButton(this, "pnlResetSignal", ResetSignalCaption, QRect(260, 490, 60, 22));
    pnlResetSignal->setToolTip("Count the lowest, highest and average signal from now on");
    connect(pnlResetSignal, &TPanel::Clicked, this, [this] { ResetSignalClick(); });
    pbSignalHistory = new TSignalPlot(FSignal, [this] { return FPump.NowMs(); }, this);
    pbSignalHistory->setGeometry(54, 518, 266, 96);
    lblSignalStatistics = MakeLabel(this, "lblSignalStatistics", SignalStatisticsText({}), QRect(60, 618, 270, 20), IdleTextColour);
}

void TStatusView::BuildInputs()
{
    MakeLabel(this, "lblInputs", "Inputs", QRect(390, 180, 200, 22), Qt::white);
    for (int input = 0; input < 9; ++input) {
        const int y = 214 + input * 40;
        const QString number = QString::number(input + 1);
        MakeLabel(this, "lblInput" + number, number, QRect(400, y, 20, 20), IdleTextColour);
        const QStringList suffixes = input < 7 ? QStringList{QString()} : QStringList{"A", "B"};
        for (qsizetype part = 0; part < suffixes.size(); ++part) {
            const QRect at(430 + static_cast<int>(part) * 22, y, 20, 20);
            InputLow[static_cast<size_t>(input)].push_back(
                MakeImage(this, "imgIPL" + number + suffixes[part], at, InputPicture(false)));
            InputHigh[static_cast<size_t>(input)].push_back(
                MakeImage(this, "imgIPH" + number + suffixes[part], at, InputPicture(true)));
        }
    }
    MakeLabel(this, "lblMains", "Mains", QRect(520, 214, 60, 20), IdleTextColour);
    imgACL = MakeImage(this, "imgACL", QRect(580, 214, 32, 20), MainsPicture(false));
    imgACH = MakeImage(this, "imgACH", QRect(580, 214, 32, 20), MainsPicture(true));
}

void TStatusView::BuildInputLegend()
{
    MakeImage(this, "imgLegendHigh", QRect(400, 600, 20, 20), InputPicture(true));
    MakeLabel(this, "lblLegendHigh", "High", QRect(426, 600, 60, 20), IdleTextColour);
    MakeImage(this, "imgLegendLow", QRect(500, 600, 20, 20), InputPicture(false));
    MakeLabel(this, "lblLegendLow", "Low", QRect(526, 600, 60, 20), IdleTextColour);
}

void TStatusView::BuildOutputs()
{
    MakeLabel(this, "lblRelays", "Relays", QRect(720, 180, 200, 22), Qt::white);
    for (size_t relay = 0; relay < lblRelay.size(); ++relay) {
        const int y = 214 + static_cast<int>(relay) * 26;
        const QString number = QString::number(relay + 1);
        MakeLabel(this, "lblRelayName" + number, "Relay " + number, QRect(730, y, 70, 20), IdleTextColour);
        lblRelay[relay] = MakeLabel(this, "lblRelay" + number, "closed", QRect(810, y, 80, 20));
    }
    lblSupply = MakeLabel(this, "lblSupply", "Supply", QRect(730, 440, 70, 20), IdleTextColour);
    lblVoltage = MakeLabel(this, "lblVoltage", "0.00V", QRect(810, 440, 80, 20));
    lblAVRange = MakeLabel(this, "lblAVRange", "0-10", QRect(730, 480, 60, 20), InactiveGrey);
    lblAVDesignator = MakeLabel(this, "lblAVDesignator", "V", QRect(880, 480, 30, 20), InactiveGrey);
    lblAV = MakeLabel(this, "lblAV", "00.00", QRect(810, 480, 60, 20), InactiveGrey);
    lblAIRange = MakeLabel(this, "lblAIRange", "4-20", QRect(730, 506, 60, 20), InactiveGrey);
    lblAIDesignator = MakeLabel(this, "lblAIDesignator", "mA", QRect(880, 506, 30, 20), InactiveGrey);
    lblAI = MakeLabel(this, "lblAI", "00.00", QRect(810, 506, 60, 20), InactiveGrey);
}

std::vector<QWidget*> TStatusView::LiveControls() const
{
    std::vector<QWidget*> controls{imgSignalStrength, lblSignalLevel, imgSIM1, imgSIM2, lblConnected, lblOperator,
                                   lblFirmwareVersion, lblIMSI,     lblIMEI, lblVoltage, imgACL,   imgACH,
                                   lblAI,              lblAV};
    controls.insert(controls.end(), lblRelay.begin(), lblRelay.end());
    return controls;
}

void TStatusView::HideLiveValues(bool Hide)
{
    // Another dongle, or none: nothing is known of the unit behind it until it speaks.
    FSnapshot = {};
    for (QWidget* control : LiveControls()) control->setVisible(!Hide);
    for (const auto& input : InputLow)
        for (TImage* image : input) image->setVisible(!Hide);
    // A fresh connection starts from the low pictures; the first frame shows the real levels.
    for (const auto& input : InputHigh)
        for (TImage* image : input) image->hide();
}

void TStatusView::ShowSIMs(int State)
{
    if (State == imgSIM1->Tag) return;
    imgSIM1->Tag = State;
    const QString sim1 = State == 0 ? "SIM1ACTIVE" : "SIM1INACTIVE";
    const QString sim2 = State == 0 ? "SIM2INACTIVE" : "SIM2ACTIVE";
    imgSIM1->ShowNamedImage(sim1, SIMPicture(sim1));
    imgSIM2->ShowNamedImage(sim2, SIMPicture(sim2));
}

void TStatusView::ApplyUnitStatus(const TUnitStatus& Status)
{
    const char16_t separator = QLocale().decimalPoint().at(0).unicode();
    lblFirmwareVersion->setText(QString::fromStdU16String(FirmwareCaption(Status)));
    if (const auto state = StateCaption(Status.State)) lblConnected->setText(QString::fromStdU16String(*state));

    FSnapshot.Unit = Status;
    imgSignalStrength->ShowListImage(Status.SignalImage, SignalPicture(Status.SignalImage));
    imgSignalStrength->raise();
    lblSignalLevel->setText(QString::fromStdString(SignalText(Status.SignalLevel)));
    FSignal.Add(FPump.NowMs(), Status.SignalLevel);
    pbSignalHistory->update();
    ShowSignalStatistics();
    ShowSIMs(Status.SIM2Active ? 1 : 0);

    for (size_t input = 0; input < Status.InputHigh.size(); ++input) {
        for (TImage* image : InputLow[input]) image->setVisible(!Status.InputHigh[input]);
        for (TImage* image : InputHigh[input]) image->setVisible(Status.InputHigh[input]);
    }
    imgACL->setVisible(!Status.MainsHigh);
    imgACH->setVisible(Status.MainsHigh);
    for (size_t relay = 0; relay < lblRelay.size(); ++relay)
        lblRelay[relay]->setText(QString::fromStdU16String(RelayStateCaption(Status.RelayClosed[relay])));

    const QColor supplyColour = SupplyIsLow(Status.SupplyDeciVolts) ? AlarmRed : HealthyGreen;
    SetFontColour(lblVoltage, supplyColour);
    SetFontColour(lblSupply, supplyColour);
    lblVoltage->setText(QString::fromStdU16String(SupplyText(Status.SupplyDeciVolts, separator)));

    const bool voltage = Status.AnalogueMode == AnalogueVoltageMode;
    const bool current = Status.AnalogueMode == AnalogueCurrentMode;
    for (QLabel* label : {lblAVRange, lblAV, lblAVDesignator}) SetFontColour(label, voltage ? ActiveLight : InactiveGrey);
    for (QLabel* label : {lblAIRange, lblAI, lblAIDesignator}) SetFontColour(label, current ? ActiveLight : InactiveGrey);
    lblAV->setText(QString::fromStdU16String(AnalogueVoltageText(Status, separator)));
    lblAI->setText(QString::fromStdU16String(AnalogueCurrentText(Status, separator)));
    RecordRow(Status);
}

void TStatusView::ApplyOperator(const std::u16string& Text)
{
    FSnapshot.Operator = TUtils::Trim(Text);
    lblOperator->setText(QString::fromStdU16String(OperatorCaption(*FSnapshot.Operator)));
}

void TStatusView::ApplyIMEI(const std::u16string& Text)
{
    FSnapshot.IMEI = TUtils::Trim(Text);
    lblIMEI->setText(QString::fromStdU16String(IMEICaption(*FSnapshot.IMEI)));
}

void TStatusView::ApplyIMSI(const std::u16string& Text)
{
    FSnapshot.IMSI = TUtils::Trim(Text);
    lblIMSI->setText(QString::fromStdU16String(IMSICaption(*FSnapshot.IMSI)));
}

void TStatusView::showEvent(QShowEvent* Event)
{
    if (!Event->spontaneous()) ResetSignalClick();
    QWidget::showEvent(Event);
}

void TStatusView::ResetSignalClick()
{
    FSignal.ResetStatistics();
    ShowSignalStatistics();
}

void TStatusView::ShowSignalStatistics()
{
    lblSignalStatistics->setText(SignalStatisticsText(FSignal.Statistics()));
}

void TStatusView::RecordStatusClick()
{
    if (FRecording.Active()) {
        FRecording.Stop();
        ShowRecording();
        return;
    }
    const QString fileName = Dialogs().SaveFileName({StatusLogFilterText, StatusLogExtension, {}});
    if (fileName.isEmpty()) return;
    QString reason;
    if (!FRecording.Start(fileName, reason)) ShowError(RecordStartFailedMessage(QDir::toNativeSeparators(fileName), reason));
    ShowRecording();
}

void TStatusView::RecordRow(const TUnitStatus& Status)
{
    if (!FRecording.Active()) return;
    if (FRecording.Append(StatusLogRow(FClock(), Status, FSnapshot.Operator))) {
        ShowRecording();
        return;
    }
    ShowRecording();
    // Not inside the decoder that is handing out the frames: the message waits for an answer.
    QTimer::singleShot(0, this, [this, message = RecordStoppedMessage(QDir::toNativeSeparators(FRecording.FileName()), FRecording.Problem())] {
        ShowError(message);
    });
}

void TStatusView::ShowRecording()
{
    const bool active = FRecording.Active();
    pnlRecordStatus->SetCaption(active ? StopRecordingCaption : RecordStatusCaption);
    lblRecording->setVisible(active);
    if (!active) return;
    lblRecording->setText(RecordingText(QFileInfo(FRecording.FileName()).fileName(), FRecording.Rows()));
    lblRecording->setToolTip(QDir::toNativeSeparators(FRecording.FileName()));
}

void TStatusView::ShowLinkProblem(const QString& Problem)
{
    lblLinkProblem->setText(Problem);
    lblLinkProblem->setVisible(!Problem.isEmpty());
}

void TStatusView::BackClicked()
{
    if (ShowLastPage) ShowLastPage();
    lower();
    hide();
}

} // namespace kvx::ui
