#include "ui/pages/general_setup_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "config/general_setup.h"
#include "config/page_captions.h"
#include "config/text_fields.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui {

namespace {

// The pages with I/O expander items.
constexpr std::array<int, 4> ExpanderPageNos{MissedCallPageNo, TimersPageNo, RelaysPageNo, InputMessagesPageNo};

constexpr const char* DefaultUnitID = "Default";
constexpr int UnitIDLength = LabelWidth;
const QString TamperOff = QStringLiteral("255");

const QString DefaultNameQuestion = QStringLiteral("The unit reporting name has a default value.\r\rWould you like to proceed?");
const QString NoNameNotice = QStringLiteral("Please enter a unit reporting name.");
const QString SelfTestOffQuestion = QStringLiteral(
    "Self test messages have been disabled.\rRegular messages confirm a working unit\rwith available airtime and "
    "prevent SIM churning.\r\rWould you like to proceed anyway?");
const QString NoTimeNotice = QStringLiteral("Please enter a valid time for self test messages.");

struct TNumberEditInfo {
    const char* Name;
    const char* Down;
    const char* Up;
    int Maximum;  // every minimum is 0
    int Length;
    bool Padded;  // written with Length digits
    const char* Initial;
};

constexpr std::array<TNumberEditInfo, 5> NumberEditTable{{
    {"edHours", "Button6", "Button7", 23, 2, true, "12"},
    {"edMinutes", "Button1", "Button2", 59, 2, true, "00"},
    {"edACFailDelay", "Button39", "Button40", DelayMinutesMaximum, 4, false, "10"},
    {"edACRestoreDelay", "Button3", "Button4", DelayMinutesMaximum, 4, false, "10"},
    {"edTamper", "Button5", "Button8", 255, 3, false, "255"},
}};

constexpr int LeftColumn = 24;
constexpr int RightColumn = 410;
constexpr int ColumnWidth = 340;
constexpr int EditHeight = 26;
constexpr int NumberEditWidth = 50;
constexpr int FieldLeft = 170;  // number edits beside their captions

int Answer(const QString& Msg, const TMsgDlgButtons& Buttons)
{
    return TKVXMessageDlg::ShowMessageEx(Msg, TMsgDlgType::mtInformation, Buttons, 0);
}

} // namespace

TGeneralSetupPage::TGeneralSetupPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    BuildNameAndSelfTest();
    BuildMainsAndBattery();
    BuildTamperAndSerial();
}

QLineEdit* TGeneralSetupPage::NewNumberEdit(QWidget* Parent, TNumberEdit Which, const QRect& Geometry)
{
    const TNumberEditInfo& info = NumberEditTable[Which];
    QLineEdit* edit = NewEdit(Parent, info.Name, info.Length, Geometry);
    edit->setAlignment(Qt::AlignCenter);
    edit->setText(info.Initial);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, Which] {
        FHost.MarkConfigChanged();
        ClampIntegerEdit(edit, 0, NumberEditTable[Which].Maximum);
        if (Which == Tamper) TamperEdited();
    });
    NewStepButtons(Parent, info.Down, info.Up, edit, [edit, &info](bool Up) {
        if (info.Padded) StepEditValuePadded(edit, 0, info.Maximum, true, Up);
        else StepEditValue(edit, 0, info.Maximum, Up);
    });
    FNumberEdits[Which] = edit;
    return edit;
}

void TGeneralSetupPage::BuildNameAndSelfTest()
{
    NewHeading(this, UnitReportingNameCaption, QRect(LeftColumn, 16, ColumnWidth, 20));
    edUnitID = NewTextEdit(this, "edUnitID", UnitIDLength, QRect(LeftColumn, 40, 200, EditHeight));
    edUnitID->setText(DefaultUnitID);
    connect(edUnitID, &QLineEdit::textChanged, this, [this] { FHost.MarkConfigChanged(); });
    NewNote(this, QStringLiteral("Identifies the unit in received SMS messages."), QRect(LeftColumn, 70, ColumnWidth, 20));

    cbSelfTest = NewCheckBox(this, "cbSelfTest", SelfTestCaption, QRect(LeftColumn, 108, ColumnWidth, 22));
    cbSelfTest->setChecked(true);
    cbSelfTest->setStyleSheet("font-weight: bold;");
    NewNote(this,
            QStringLiteral("Sends regular test messages. Useful to indicate when airtime has run out and to avoid "
                           "deactivation (churning) on prepaid SIMs."),
            QRect(LeftColumn, 134, ColumnWidth, 48));

    pnlSelfTest = new QWidget(this);
    pnlSelfTest->setObjectName("pnlSelfTest");
    pnlSelfTest->setGeometry(LeftColumn, 188, ColumnWidth, 72);
    NewLabel(pnlSelfTest, MessageTimeCaption, QRect(0, 0, 100, EditHeight));
    edHours = NewNumberEdit(pnlSelfTest, Hours, QRect(110, 0, 36, EditHeight));
    NewLabel(pnlSelfTest, QStringLiteral(":"), QRect(204, 0, 8, EditHeight));
    edMinutes = NewNumberEdit(pnlSelfTest, Minutes, QRect(214, 0, 36, EditHeight));
    NewLabel(pnlSelfTest, DaysOfWeekCaption, QRect(0, 40, 100, 22));
    Days = CreateWeekDayBoxes(pnlSelfTest, QPoint(110, 42), [this](TImageCheckBox* Sender) {
        if (Sender->Enabled()) FHost.MarkConfigChanged();
    });
    connect(cbSelfTest, &QCheckBox::toggled, this, &TGeneralSetupPage::SelfTestToggled);
}

void TGeneralSetupPage::BuildMainsAndBattery()
{
    NewHeading(this, QStringLiteral("AC monitoring"), QRect(RightColumn, 16, ColumnWidth, 20));
    NewNote(this,
            QStringLiteral("reports mains fail/restore messages. Set delays to avoid accidental "
                           "unplugging and tripping messages (standard 10 min) or brownout (1 min)."),
            QRect(RightColumn, 40, ColumnWidth, 52));
    NewLabel(this, ACFailDelayCaption, QRect(RightColumn, 98, 160, EditHeight));
    edACFailDelay = NewNumberEdit(this, ACFailDelay, QRect(RightColumn + FieldLeft, 98, NumberEditWidth, EditHeight));
    NewLabel(this, ACRestoreDelayCaption, QRect(RightColumn, 132, 160, EditHeight));
    edACRestoreDelay = NewNumberEdit(this, ACRestoreDelay, QRect(RightColumn + FieldLeft, 132, NumberEditWidth, EditHeight));

    NewHeading(this, QStringLiteral("DC monitoring"), QRect(LeftColumn, 290, ColumnWidth, 20));
    NewNote(this, QStringLiteral("reports battery conditions automatically as shown."), QRect(LeftColumn, 314, ColumnWidth, 20));
    const char* levels[] = {"Battery low - below 10.8V", "Battery critical - 10V", "Battery restored - above 12.6V"};
    for (int i = 0; i < 3; ++i) NewLabel(this, QString::fromLatin1(levels[i]), QRect(LeftColumn + 16, 340 + 22 * i, ColumnWidth - 16, 20));
    NewNote(this, QStringLiteral("To disable, uncheck message recipients on the message distribution page."),
            QRect(LeftColumn, 412, ColumnWidth, 40));
}

void TGeneralSetupPage::BuildTamperAndSerial()
{
    NewHeading(this, TamperCaption, QRect(RightColumn, 184, ColumnWidth, 20));
    edTamper = NewNumberEdit(this, Tamper, QRect(RightColumn, 208, NumberEditWidth, EditHeight));
    const char* notes[] = {"0 = most sensitive", "255 = disabled", "Recommended default = 180"};
    for (int i = 0; i < 3; ++i) NewLabel(this, QString::fromLatin1(notes[i]), QRect(RightColumn + 120, 204 + 18 * i, 200, 18));

    NewHeading(this, SerialOptionsCaption, QRect(RightColumn, 290, ColumnWidth, 20));
    rbDisabled = new QRadioButton(SerialDisabledCaption, this);
    rbIOExpander = new QRadioButton(SerialIOExpanderCaption, this);
    rbDSC = new QRadioButton(SerialDSCCaption, this);
    const struct {
        QRadioButton* Button;
        const char* Name;
        const char* Note;
    } options[] = {{rbDisabled, "rbDisabled", ""},
                   {rbIOExpander, "rbIOExpander", "I/O expander board functions"},
                   {rbDSC, "rbDSC", "SMS command functions for DSC alarm panels"}};
    int top = 316;
    for (const auto& option : options) {
        option.Button->setObjectName(option.Name);
        option.Button->setGeometry(RightColumn, top, ColumnWidth, 22);
        connect(option.Button, &QRadioButton::clicked, this, &TGeneralSetupPage::HandleRadioButton);
        top += 24;
        if (*option.Note == '\0') continue;
        NewNote(this, QString::fromLatin1(option.Note), QRect(RightColumn + 24, top, ColumnWidth - 24, 20));
        top += 24;
    }
    rbDisabled->setChecked(true);
    NewNote(this,
            QStringLiteral("- Arm/disarm remotely - stay/away modes - by partition\n"
                           "- SMS reports with status - when actioned by SMS or onsite keypad\n"
                           "- Trigger panic alarm remotely"),
            QRect(RightColumn + 24, top - 4, ColumnWidth - 24, 90));
}

void TGeneralSetupPage::SelfTestToggled()
{
    FHost.MarkConfigChanged();
    const bool on = cbSelfTest->isChecked();
    EnableChildren(pnlSelfTest, on);
    EnableWeekDayBoxes(Days, on);
    CheckDistributionRow(FHost, TDistributionEvent::AutoTest, on);
}

void TGeneralSetupPage::TamperEdited()
{
    // Only a switch between on and off re-ticks the row: 180 to 200 keeps the user's choice.
    const bool on = edTamper->text() != TamperOff;
    if (on == FTamperOn) return;
    FTamperOn = on;
    CheckDistributionRow(FHost, TDistributionEvent::Tamper, on);
}

void TGeneralSetupPage::HandleRadioButton()
{
    // A click on the option already chosen changes nothing: the comms-failure row keeps the
    // user's ticks.
    const TSerialInterface chosen = ChosenSerialInterface();
    if (chosen == FSerialInterface) return;
    FSerialInterface = chosen;
    FHost.MarkConfigChanged();
    IOExpanderChosen(chosen == TSerialInterface::IOExpander);
}

TSerialInterface TGeneralSetupPage::ChosenSerialInterface() const
{
    return rbIOExpander->isChecked() ? TSerialInterface::IOExpander
           : rbDSC->isChecked()      ? TSerialInterface::DSC
                                     : TSerialInterface::Disabled;
}

void TGeneralSetupPage::IOExpanderChosen(bool State)
{
    for (const int no : ExpanderPageNos)
        if (auto* page = dynamic_cast<IIOExpanderPage*>(FHost.Page(no))) page->IOExpanderFunctions(State);
    CheckDistributionRow(FHost, TDistributionEvent::CommsFailure, State);
}

void TGeneralSetupPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    cbSelfTest->setChecked(false);
    edHours->setText("00");
    edMinutes->setText("00");
    CheckFromWeekDayMask(Days, 0);
    for (QLineEdit* edit : {edACFailDelay, edACRestoreDelay, edTamper}) edit->setText("0");

    edUnitID->setText(QString::fromStdU16String(DecodeUnitID(KVXConfig)));
    if (const std::optional<TSelfTest> selfTest = DecodeSelfTest(KVXConfig)) {
        cbSelfTest->setChecked(true);
        edHours->setText(RangedNumberText(selfTest->Hours, 0, NumberEditTable[Hours].Maximum, 2));
        edMinutes->setText(RangedNumberText(selfTest->Minutes, 0, NumberEditTable[Minutes].Maximum, 2));
        CheckFromWeekDayMask(Days, selfTest->WeekDays);
    }
    SelfTestToggled();
    edACFailDelay->setText(RangedNumberText(static_cast<int>(DecodeDelayMinutes(KVXConfig.ACFailTimeout)), 0, NumberEditTable[ACFailDelay].Maximum));
    edACRestoreDelay->setText(RangedNumberText(static_cast<int>(DecodeDelayMinutes(KVXConfig.ACRestoreTimeout)), 0, NumberEditTable[ACRestoreDelay].Maximum));
    edTamper->setText(QString::number(KVXConfig.TremmorCount));

    // Loading tells the other pages whatever was chosen before.
    FSerialInterface = DecodeSerialInterface(KVXConfig);
    switch (FSerialInterface) {
    case TSerialInterface::IOExpander: rbIOExpander->setChecked(true); break;
    case TSerialInterface::DSC: rbDSC->setChecked(true); break;
    case TSerialInterface::Disabled: rbDisabled->setChecked(true); break;
    }
    FHost.MarkConfigChanged();
    IOExpanderChosen(FSerialInterface == TSerialInterface::IOExpander);
}

bool TGeneralSetupPage::Refuse()
{
    FHost.BringPageForward(GeneralSetupPageNo);
    return false;
}

bool TGeneralSetupPage::CheckInput()
{
    const QString name = edUnitID->text();
    if (name == DefaultUnitID && Answer(DefaultNameQuestion, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == mrNo) return false;
    if (name.isEmpty()) {
        Answer(NoNameNotice, {TMsgDlgBtn::mbOK});
        return false;
    }
    if (!cbSelfTest->isChecked()) return Answer(SelfTestOffQuestion, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrNo;
    if (edHours->text().isEmpty() || edMinutes->text().isEmpty()) {
        Answer(NoTimeNotice, {TMsgDlgBtn::mbOK});
        return false;
    }
    return true;
}

bool TGeneralSetupPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    if (ConfigAssistant && !CheckInput()) return Refuse();
    // Every number is read before anything is stored: an edit without one stops writes and
    // template saves alike, rather than sending the unit 0xFFFF delays or tamper 255.
    const bool selfTest = cbSelfTest->isChecked();
    std::array<int, NumberEditCount> numbers{};
    for (size_t i = 0; i < NumberEditCount; ++i) {
        if (!selfTest && (i == Hours || i == Minutes)) continue;
        const std::optional<int> value = EditWholeNumber(*FNumberEdits[i]);
        if (!value) return Refuse();
        numbers[i] = std::clamp(*value, 0, NumberEditTable[i].Maximum);
    }

    EncodeUnitID(KVXConfig, edUnitID->text().toStdU16String());
    if (selfTest)
        EncodeSelfTest(KVXConfig, TSelfTest{static_cast<uint8_t>(numbers[Hours]), static_cast<uint8_t>(numbers[Minutes]), WeekDayMask(Days)});
    EncodeDelayMinutes(KVXConfig.ACFailTimeout, static_cast<uint32_t>(numbers[ACFailDelay]));
    EncodeDelayMinutes(KVXConfig.ACRestoreTimeout, static_cast<uint32_t>(numbers[ACRestoreDelay]));
    KVXConfig.TremmorCount = static_cast<uint8_t>(numbers[Tamper]);
    EncodeSerialInterface(KVXConfig, ChosenSerialInterface());
    return true;
}

} // namespace kvx::ui
