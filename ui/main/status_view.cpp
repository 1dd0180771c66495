#include "ui/main/status_view.h"

#include <QLabel>
#include <QLocale>
#include <QWindow>

#include "image/utils.h"
#include "ui/main/assets.h"
#include "ui/main/colours.h"
#include "ui/main/kvx_image.h"
#include "ui/main/kvx_panel.h"
#include "program_version.h"

namespace kvx::ui {

namespace {

constexpr int NoSIMShown = -1;
constexpr uint8_t VoltageMode = 1;  // the analogue input's modes in a state frame
constexpr uint8_t CurrentMode = 2;

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

} // namespace

QColor FontColour(const QLabel* Label)
{
    return Label->property("fontColour").value<QColor>();
}

TfrmStatus::TfrmStatus(QWidget* Parent) : QWidget(Parent)
{
    setObjectName("frmStatus1");
    auto* background = MakeImage(this, "Image1", QRect(0, 0, 1024, 730), StatusBackground());
    background->setScaledContents(true);
    MakeImage(this, "Image2", QRect(0, 0, 255, 128), LogoPicture());
    Label2 = MakeLabel(this, "Label2", QStringLiteral("v") + ProgramVersion, QRect(205, 100, 40, 18), IdleTextColour);
    auto* heading = MakeLabel(this, "Panel4", "Unit status", QRect(280, 60, 300, 40), Qt::white);
    heading->setStyleSheet(heading->styleSheet() + " font-size: 20pt;");
    auto* dragArea = new QWidget(this);
    dragArea->setObjectName("Panel3");
    dragArea->setGeometry(600, 0, 424, 60);

    imgConnectionStatus = MakeImage(this, "imgConnectionStatus", QRect(790, 84, 27, 27), {});
    imgConnectionStatus->ShowListImage(DisconnectedIcon, ConnectionIcon(DisconnectedIcon));
    pnlUnitStatus = new TPanel("pnlUnitStatus", "Back to main menu", this);
    pnlUnitStatus->Tag = 13;
    pnlUnitStatus->Alignment = Qt::AlignCenter;
    pnlUnitStatus->setGeometry(830, 82, 170, 30);
    connect(pnlUnitStatus, &TPanel::Clicked, this, [this] { pnlUnitStatusClick(); });
    connect(pnlUnitStatus, &TPanel::MouseEnter, this, [](TPanel* p) { p->SetColours(HoverColour, HoverTextColour); });
    connect(pnlUnitStatus, &TPanel::MouseLeave, this, [](TPanel* p) { p->SetColours(WindowColour, IdleTextColour); });

    BuildIdentity();
    BuildInputs();
    BuildOutputs();
    lblLinkProblem = MakeLabel(this, "lblLinkProblem", QString(), QRect(40, 670, 950, 40), AlarmRed);
    lblLinkProblem->setWordWrap(true);
    lblLinkProblem->hide();

    for (QWidget* control : LiveControls()) control->hide();
    for (auto* images : {&InputHigh, &InputLow})
        for (const auto& input : *images)
            for (TImage* image : input) image->hide();
}

void TfrmStatus::BuildIdentity()
{
    lblConnected = MakeLabel(this, "lblConnected", "Status - None", QRect(60, 190, 260, 22));
    lblOperator = MakeLabel(this, "lblOperator", "No operator", QRect(60, 216, 260, 22));
    lblFirmwareVersion = MakeLabel(this, "lblFirmwareVersion", "Firmware version", QRect(60, 242, 260, 22));
    lblIMSI = MakeLabel(this, "lblIMSI", "IMSI", QRect(60, 268, 260, 22));
    lblIMEI = MakeLabel(this, "lblIMEI", "IMEI", QRect(60, 294, 260, 22));
    imgSignalStrength = MakeImage(this, "imgSignalStrength", QRect(60, 340, 18, 134), SignalPicture(0));
    imgSignalStrength->ImageIndex = 0;
    imgSIM1 = MakeImage(this, "imgSIM1", QRect(120, 380, 44, 56), SIMPicture("SIM1ACTIVE"));
    imgSIM2 = MakeImage(this, "imgSIM2", QRect(190, 380, 44, 56), SIMPicture("SIM2INACTIVE"));
    imgSIM1->Tag = NoSIMShown;
}

void TfrmStatus::BuildInputs()
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

void TfrmStatus::BuildOutputs()
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

std::vector<QWidget*> TfrmStatus::LiveControls() const
{
    std::vector<QWidget*> controls{imgSignalStrength, imgSIM1, imgSIM2,    lblConnected, lblOperator, lblFirmwareVersion,
                                   lblIMSI,           lblIMEI, lblVoltage, imgACL,       imgACH,      lblAI,
                                   lblAV};
    controls.insert(controls.end(), lblRelay.begin(), lblRelay.end());
    return controls;
}

void TfrmStatus::HideControls(bool State)
{
    for (QWidget* control : LiveControls()) control->setVisible(!State);
    for (const auto& input : InputLow)
        for (TImage* image : input) image->setVisible(!State);
    // A fresh connection starts from the low pictures; the first frame shows the real levels.
    for (const auto& input : InputHigh)
        for (TImage* image : input) image->hide();
}

void TfrmStatus::ShowSIMs(int State)
{
    if (State == imgSIM1->Tag) return;
    imgSIM1->Tag = State;
    const QString sim1 = State == 0 ? "SIM1ACTIVE" : "SIM1INACTIVE";
    const QString sim2 = State == 0 ? "SIM2INACTIVE" : "SIM2ACTIVE";
    imgSIM1->ShowNamedImage(sim1, SIMPicture(sim1));
    imgSIM2->ShowNamedImage(sim2, SIMPicture(sim2));
}

void TfrmStatus::ApplyUnitStatus(const TUnitStatus& Status)
{
    const char16_t separator = QLocale().decimalPoint().at(0).unicode();
    lblFirmwareVersion->setText(QString::fromStdU16String(FirmwareCaption(Status)));
    if (const auto state = StateCaption(Status.State)) lblConnected->setText(QString::fromStdU16String(*state));

    imgSignalStrength->ShowListImage(Status.SignalImage, SignalPicture(Status.SignalImage));
    imgSignalStrength->raise();
    ShowSIMs(Status.SIM2Active ? 1 : 0);

    for (size_t input = 0; input < Status.InputHigh.size(); ++input) {
        for (TImage* image : InputLow[input]) image->setVisible(!Status.InputHigh[input]);
        for (TImage* image : InputHigh[input]) image->setVisible(Status.InputHigh[input]);
    }
    imgACL->setVisible(!Status.MainsHigh);
    imgACH->setVisible(Status.MainsHigh);
    for (size_t relay = 0; relay < lblRelay.size(); ++relay)
        lblRelay[relay]->setText(QString::fromStdU16String(RelayCaption(Status.RelayClosed[relay])));

    const QColor supplyColour = SupplyIsLow(Status.SupplyDeciVolts) ? AlarmRed : HealthyGreen;
    SetFontColour(lblVoltage, supplyColour);
    SetFontColour(lblSupply, supplyColour);
    lblVoltage->setText(QString::fromStdU16String(SupplyText(Status.SupplyDeciVolts, separator)));

    const bool voltage = Status.AnalogueMode == VoltageMode;
    const bool current = Status.AnalogueMode == CurrentMode;
    for (QLabel* label : {lblAVRange, lblAV, lblAVDesignator}) SetFontColour(label, voltage ? ActiveLight : InactiveGrey);
    for (QLabel* label : {lblAIRange, lblAI, lblAIDesignator}) SetFontColour(label, current ? ActiveLight : InactiveGrey);
    lblAV->setText(QString::fromStdU16String(AnalogueVoltageText(Status, separator)));
    lblAI->setText(QString::fromStdU16String(AnalogueCurrentText(Status, separator)));
}

void TfrmStatus::ApplyOperator(const std::u16string& Text)
{
    lblOperator->setText(QString::fromStdU16String(OperatorCaption(TUtils::Trim(Text))));
}

void TfrmStatus::ApplyIMEI(const std::u16string& Text)
{
    lblIMEI->setText(QString::fromStdU16String(IMEICaption(TUtils::Trim(Text))));
}

void TfrmStatus::ApplyIMSI(const std::u16string& Text)
{
    lblIMSI->setText(QString::fromStdU16String(IMSICaption(TUtils::Trim(Text))));
}

void TfrmStatus::ShowLinkProblem(const QString& Problem)
{
    lblLinkProblem->setText(Problem);
    lblLinkProblem->setVisible(!Problem.isEmpty());
}

void TfrmStatus::pnlUnitStatusClick()
{
    if (DisplayLastForm) DisplayLastForm();
    lower();
    hide();
}

} // namespace kvx::ui
