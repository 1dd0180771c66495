#include "ui/pages/input_messages_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "config/page_captions.h"
#include "config/text_fields.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui {

namespace {

constexpr int MaximumDelay = InputDelayMaximumSeconds;
constexpr int MaximumDelayStep = 9999;      // the step buttons run further; the clamp stops them at 3000
constexpr int MaximumResponse = AnalogueResponseMaximumSeconds;
constexpr double MaximumVolts = AnalogueVoltsMaximum;
constexpr double MinimumMilliamps = AnalogueMilliampsMinimum;
constexpr double MaximumMilliamps = AnalogueMilliampsMaximum;
constexpr double ThresholdStep = 0.01;
constexpr int MessageLength = LabelWidth;

const QString CheckBoxHint = QStringLiteral("Please check that the corresponding message distribution has been enabled.");

// The down and up buttons of each slot's delay edit.
constexpr std::array<std::array<const char*, 2>, InputMessageCount> DelayButtons{{
    {"btnClearRecipient0", "Button1"}, {"Button21", "Button22"}, {"Button3", "Button4"},   {"Button24", "Button25"},
    {"Button6", "Button7"},            {"Button27", "Button28"}, {"Button9", "Button10"}, {"Button30", "Button31"},
    {"Button12", "Button13"},          {"Button33", "Button34"}, {"Button15", "Button16"}, {"Button36", "Button37"},
    {"Button18", "Button19"},          {"Button39", "Button40"}, {"Button42", "Button43"}, {"Button48", "Button49"},
    {"Button45", "Button46"},          {"Button51", "Button52"},
}};

struct TBreachNames {
    const char* Check;
    const char* Panel;
    const char* Message;
    const char* Clear;
    const char* Voltage;
    const char* Current;
    const char* Response;
    std::array<const char*, 6> Steps;  // voltage, current, response: down, up
    const char* Initial;
    const char* InitialVolts;
    const char* InitialMilliamps;
    const char* Subject;  // as the missing-message notice names it
};

constexpr TBreachNames HighNames{"cbIPAH", "pnlAHB", "edMLBH", "btnMLBHC", "edVLBVH", "edVLBCH", "edVLBH",
                                 {"btnVHLVBD", "btnVHLVBU", "btnVHLCBD", "btnVHLCBU", "btnRTHVD", "btnRTHVU"},
                                 "High limit breach", "10.00", "20.00", "high breach"};
constexpr TBreachNames LowNames{"cbIPAL", "pnlALB", "edMLBL", "btnMLBLC", "edVLBVL", "edVLBCL", "edVLBL",
                                {"btnVLLVBD", "btnVLLVBU", "btnVLLCBD", "btnVLLCBU", "btnRTLVD", "btnRTLVU"},
                                "Low limit breach", "0.00", "4.00", "low breach"};

unsigned InputOf(size_t Slot) { return static_cast<unsigned>(Slot / 2 + 1); }
bool IsLowSide(size_t Slot) { return Slot % 2 != 0; }
bool OnExpander(size_t Slot) { return !InputMessageHasDelay(Slot); }
// "3L" for input 3 low: the end of every control name of its row.
QString RowTag(size_t Slot) { return QString("%1%2").arg(InputOf(Slot)).arg(IsLowSide(Slot) ? 'L' : 'H'); }
QString RowName(const char* Prefix, size_t Slot, const char* Suffix = "")
{
    return QLatin1String(Prefix) + RowTag(Slot) + QLatin1String(Suffix);
}
QString SideWord(size_t Slot) { return IsLowSide(Slot) ? QStringLiteral("low") : QStringLiteral("high"); }

TDistributionEvent EventOf(size_t Slot)
{
    return static_cast<TDistributionEvent>(static_cast<size_t>(TDistributionEvent::IP1H) + Slot);
}

QString NoMessageText(const QString& Subject)
{
    return QStringLiteral("No message has been defined for %1.\rPlease enter a message or deselect the option.").arg(Subject);
}

void EnableWithSteps(QLineEdit* Edit, const TStepButtons& Steps, bool Enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(Edit), static_cast<QWidget*>(Steps.Down), static_cast<QWidget*>(Steps.Up)})
        control->setEnabled(Enabled);
}

// Layout: two sides per input, each a check box and a row panel of message, clear and delay.
constexpr int NumberLeft = 24;
constexpr std::array<int, 2> CheckLeft{44, 384};
constexpr int PanelOffset = 22;  // row panel right of its check box
constexpr int RowWidth = 290;
constexpr int RowHeight = 26;
constexpr int RowPitch = 30;
constexpr int MessageWidth = 150;
constexpr int DelayLeft = 186;
constexpr int NumberWidth = 50;
constexpr int DigitalTop = 76;
constexpr int IsolatedTop = 290;
constexpr int AnalogueTop = 392;
constexpr int VoltageLeft = 250;
constexpr int CurrentLeft = 370;
constexpr int ResponseLeft = 490;

} // namespace

TInputMessagesPage::TInputMessagesPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewHeading(this, QStringLiteral("Enter the SMS messages to be sent to the recipient numbers when inputs are triggered."),
               QRect(NumberLeft, 16, 720, 20));
    for (const int side : {0, 1}) {
        const int left = CheckLeft[static_cast<size_t>(side)] + PanelOffset;
        NewLabel(this, side == 0 ? QStringLiteral("Message - input high") : QStringLiteral("Message - input low"),
                 QRect(left, 50, MessageWidth, 20));
        NewLabel(this, DelayCaption, QRect(left + DelayLeft, 38, NumberWidth, 18))->setAlignment(Qt::AlignCenter);
        NewLabel(this, SecondsCaption, QRect(left + DelayLeft, 54, NumberWidth, 18))->setAlignment(Qt::AlignCenter);
    }
    for (size_t slot = 0; slot < 2 * InputsWithDelay; ++slot)
        BuildDigitalRow(slot, this, DigitalTop + static_cast<int>(slot / 2) * RowPitch);

    pnlIOExpanderIsolatedInputs = new QWidget(this);
    pnlIOExpanderIsolatedInputs->setObjectName("pnlIOExpanderIsolatedInputs");
    pnlIOExpanderIsolatedInputs->setGeometry(0, IsolatedTop, 769, 98);
    FExpanderCaptions.push_back(NewHeading(pnlIOExpanderIsolatedInputs, QStringLiteral("I/O - Isolated inputs"), QRect(NumberLeft, 0, 300, 20)));
    FExpanderCaptions.push_back(NewLabel(pnlIOExpanderIsolatedInputs, QStringLiteral("Message - input high"),
                                         QRect(CheckLeft[0] + PanelOffset, 22, MessageWidth, 18)));
    FExpanderCaptions.push_back(NewLabel(pnlIOExpanderIsolatedInputs, QStringLiteral("Message - input low"),
                                         QRect(CheckLeft[1] + PanelOffset, 22, MessageWidth, 18)));
    for (size_t slot = 2 * InputsWithDelay; slot < InputMessageCount; ++slot)
        BuildDigitalRow(slot, pnlIOExpanderIsolatedInputs, 42 + static_cast<int>(slot / 2 - InputsWithDelay) * RowPitch);
    lblLink = NewLinkLabel(pnlIOExpanderIsolatedInputs, "lblLink", QStringLiteral("Enable I/O board in General Setup."),
                           QRect(CheckLeft[1], 0, 300, 20), [this] { FHost.BringPageForward(GeneralSetupPageNo); });

    pnlIOExpanderAnalogInputs = new QWidget(this);
    pnlIOExpanderAnalogInputs->setObjectName("pnlIOExpanderAnalogInputs");
    pnlIOExpanderAnalogInputs->setGeometry(0, AnalogueTop, 769, 152);
    QWidget* analogue = pnlIOExpanderAnalogInputs;
    FExpanderCaptions.push_back(NewHeading(analogue, AnalogueInputCaption, QRect(NumberLeft, 0, 300, 20)));
    FExpanderCaptions.push_back(NewLabel(analogue, BreachTypeCaption, QRect(CheckLeft[0] + PanelOffset, 24, 170, 22)));
    rbLBV = new QRadioButton(VoltageBreachCaption, analogue);
    rbLBV->setObjectName("rbLBV");
    rbLBV->setGeometry(VoltageLeft, 24, 110, 22);
    rbLBV->setChecked(true);
    rbLBC = new QRadioButton(CurrentBreachCaption, analogue);
    rbLBC->setObjectName("rbLBC");
    rbLBC->setGeometry(CurrentLeft, 24, 110, 22);
    for (QRadioButton* button : {rbLBV, rbLBC})
        connect(button, &QRadioButton::clicked, this, [this] {
            FHost.MarkConfigChanged();
            EnableAnalogue();
        });
    FExpanderCaptions.push_back(NewLabel(analogue, ResponseTimeCaption, QRect(ResponseLeft, 24, 96, 22)));
    FExpanderCaptions.push_back(NewLabel(analogue, SecondsCaption, QRect(ResponseLeft + 96, 24, 40, 22)));
    BuildBreachRow(High, true, 50);
    BuildBreachRow(Low, false, 102);

    // Every row follows its rule from the start: text goes in only once the message is on.
    for (size_t slot = 0; slot < 2 * InputsWithDelay; ++slot) EnableRow(Rows[slot], true);
    IOExpanderFunctions(false);
}

void TInputMessagesPage::BuildDigitalRow(size_t Slot, QWidget* Parent, int Top)
{
    const int side = IsLowSide(Slot) ? 1 : 0;
    const int checkLeft = CheckLeft[static_cast<size_t>(side)];
    if (side == 0) NewLabel(Parent, QString::number(InputOf(Slot)), QRect(NumberLeft, Top, 16, RowHeight));
    TMessageRow& row = Rows[Slot];
    row.Check = NewCheckBox(Parent, RowName("cbIP", Slot).toLatin1().constData(), QString(), QRect(checkLeft, Top, 20, RowHeight));
    row.Check->setToolTip(CheckBoxHint);
    row.Panel = new QWidget(Parent);
    row.Panel->setObjectName(RowName("pnlIP", Slot));
    row.Panel->setGeometry(checkLeft + PanelOffset, Top, RowWidth, RowHeight);
    row.Message = NewTextEdit(row.Panel, RowName("edMIP", Slot).toLatin1().constData(), MessageLength, QRect(0, 0, MessageWidth, RowHeight));
    row.Message->setText(QStringLiteral("Input %1 %2").arg(InputOf(Slot)).arg(SideWord(Slot)));
    if (Slot == 0) row.Message->setToolTip(QStringLiteral("You will receive this message when the input is high"));
    row.Clear = NewClearButton(row.Panel, RowName("btnIP", Slot, "C").toLatin1().constData(), row.Message);
    row.Delay = NewDigitsEdit(row.Panel, RowName("edVIP", Slot).toLatin1().constData(), 4, QRect(DelayLeft, 0, NumberWidth, RowHeight));
    row.Delay->setAlignment(Qt::AlignCenter);
    row.Delay->setText("0");
    // Rows alike but for their input: each control goes by its row.
    const QString rowName = QStringLiteral("Input %1 %2").arg(InputOf(Slot)).arg(SideWord(Slot));
    row.Check->setAccessibleName(rowName + QStringLiteral(": message on"));
    row.Message->setAccessibleName(rowName + QStringLiteral(" message"));
    row.Delay->setAccessibleName(QStringLiteral("%1 %2 %3").arg(rowName, DelayCaption, SecondsCaption));
    RestoreLastNumberWhenDisabledOrLeft(row.Delay, TNumberKind::Whole);
    QLineEdit* delay = row.Delay;
    row.Steps = NewStepButtons(row.Panel, DelayButtons[Slot][0], DelayButtons[Slot][1], delay,
                               [delay](bool Up) { StepEditValue(delay, 0, MaximumDelayStep, Up); });
    if (OnExpander(Slot))
        for (QWidget* control : {static_cast<QWidget*>(row.Delay), static_cast<QWidget*>(row.Steps.Down), static_cast<QWidget*>(row.Steps.Up)})
            control->hide();

    connect(row.Check, &QCheckBox::toggled, this, [this, box = row.Check] { HandleCheckBox(box); });
    connect(row.Message, &QLineEdit::textChanged, this, [this, &row] {
        FHost.MarkConfigChanged();
        row.Clear->setEnabled(row.Message->isEnabled() && !row.Message->text().isEmpty());
    });
    connect(delay, &QLineEdit::textChanged, this, [this, delay] {
        FHost.MarkConfigChanged();
        ClampIntegerEdit(delay, 0, MaximumDelay);
    });
}

void TInputMessagesPage::BuildBreachRow(TBreachRow& Row, bool HighSide, int Top)
{
    const TBreachNames& names = HighSide ? HighNames : LowNames;
    QWidget* analogue = pnlIOExpanderAnalogInputs;
    const int left = CheckLeft[0] + PanelOffset;
    FExpanderCaptions.push_back(NewLabel(analogue, HighSide ? HighBreachMessageCaption : LowBreachMessageCaption,
                                         QRect(left, Top, MessageWidth, 18)));
    const int rowTop = Top + 20;
    Row.Check = NewCheckBox(analogue, names.Check, QString(), QRect(CheckLeft[0], rowTop, 20, RowHeight));
    Row.Check->setToolTip(CheckBoxHint);
    Row.Panel = new QWidget(analogue);
    Row.Panel->setObjectName(names.Panel);
    Row.Panel->setGeometry(left, rowTop, 180, RowHeight);
    Row.Message = NewTextEdit(Row.Panel, names.Message, MessageLength, QRect(0, 0, MessageWidth, RowHeight));
    Row.Message->setText(QString::fromLatin1(names.Initial));
    const QString caption = HighSide ? HighBreachMessageCaption : LowBreachMessageCaption;
    Row.Check->setAccessibleName(caption + QStringLiteral(": on"));
    Row.Message->setAccessibleName(caption);
    Row.Clear = NewClearButton(Row.Panel, names.Clear, Row.Message);

    struct TNumberField {
        QLineEdit*& Edit;
        TStepButtons& Steps;
        const char* Name;
        int Left;
        const char* Initial;
        double Minimum;
        double Maximum;
    };
    const TNumberField decimals[] = {
        {Row.Voltage, Row.VoltageSteps, names.Voltage, VoltageLeft, names.InitialVolts, 0.0, MaximumVolts},
        {Row.Current, Row.CurrentSteps, names.Current, CurrentLeft, names.InitialMilliamps, MinimumMilliamps, MaximumMilliamps},
    };
    for (size_t i = 0; i < std::size(decimals); ++i) {
        const TNumberField& field = decimals[i];
        QLineEdit* edit = NewEdit(analogue, field.Name, 5, QRect(field.Left, rowTop, NumberWidth, RowHeight));
        edit->setAlignment(Qt::AlignCenter);
        edit->setText(QString::fromLatin1(field.Initial));
        RestoreLastNumberWhenDisabledOrLeft(edit, TNumberKind::Decimal);
        const double minimum = field.Minimum;
        const double maximum = field.Maximum;
        field.Steps = NewStepButtons(analogue, names.Steps[2 * i], names.Steps[2 * i + 1], edit,
                                     [edit, minimum, maximum](bool Up) { StepEditFloatValue(edit, minimum, maximum, Up, ThresholdStep); });
        connect(edit, &QLineEdit::textChanged, this, [this, edit, minimum, maximum] {
            FHost.MarkConfigChanged();
            ClampFloatEdit(edit, minimum, maximum);
        });
        connect(edit, &QLineEdit::editingFinished, this, [edit, minimum, maximum] { FinishFloatEdit(edit, minimum, maximum); });
        field.Edit = edit;
    }

    QLineEdit* response = NewDigitsEdit(analogue, names.Response, 4, QRect(ResponseLeft, rowTop, NumberWidth, RowHeight));
    response->setAlignment(Qt::AlignCenter);
    response->setText("0");
    RestoreLastNumberWhenDisabledOrLeft(response, TNumberKind::Whole);
    Row.ResponseSteps = NewStepButtons(analogue, names.Steps[4], names.Steps[5], response,
                                       [response](bool Up) { StepEditValue(response, 0, MaximumResponse, Up); });
    connect(response, &QLineEdit::textChanged, this, [this, response] {
        FHost.MarkConfigChanged();
        ClampIntegerEdit(response, 0, MaximumResponse);
    });
    Row.Response = response;

    connect(Row.Check, &QCheckBox::toggled, this, [this, box = Row.Check] { HandleCheckBox(box); });
    connect(Row.Message, &QLineEdit::textChanged, this, [this, &Row] {
        FHost.MarkConfigChanged();
        Row.Clear->setEnabled(Row.Message->isEnabled() && !Row.Message->text().isEmpty());
    });
}

void TInputMessagesPage::EnableRow(const TMessageRow& Row, bool Available)
{
    Row.Check->setEnabled(Available);
    const bool on = Available && Row.Check->isChecked();
    EnableChildren(Row.Panel, on);
    Row.Clear->setEnabled(on && !Row.Message->text().isEmpty());
}

void TInputMessagesPage::EnableAnalogue()
{
    rbLBV->setEnabled(FIOExpander && (High.Check->isChecked() || Low.Check->isChecked()));
    rbLBC->setEnabled(rbLBV->isEnabled());
    for (const TBreachRow* row : {&High, &Low}) {
        row->Check->setEnabled(FIOExpander);
        const bool on = FIOExpander && row->Check->isChecked();
        EnableChildren(row->Panel, on);
        row->Clear->setEnabled(on && !row->Message->text().isEmpty());
        EnableWithSteps(row->Response, row->ResponseSteps, on);
        EnableWithSteps(row->Voltage, row->VoltageSteps, on && rbLBV->isChecked());
        EnableWithSteps(row->Current, row->CurrentSteps, on && rbLBC->isChecked());
    }
}

void TInputMessagesPage::IOExpanderFunctions(bool State)
{
    FIOExpander = State;
    for (QWidget* caption : FExpanderCaptions) caption->setEnabled(State);
    for (size_t slot = 2 * InputsWithDelay; slot < InputMessageCount; ++slot) EnableRow(Rows[slot], State);
    EnableAnalogue();
}

void TInputMessagesPage::HandleCheckBox(QCheckBox* Sender)
{
    FHost.MarkConfigChanged();
    const auto row = std::find_if(Rows.begin(), Rows.end(), [Sender](const TMessageRow& r) { return r.Check == Sender; });
    const bool digital = row != Rows.end();
    const auto slot = static_cast<size_t>(row - Rows.begin());
    if (digital) EnableRow(*row, !OnExpander(slot) || FIOExpander);
    else EnableAnalogue();
    const TDistributionEvent event = digital ? EventOf(slot) : Sender == High.Check ? TDistributionEvent::ADH : TDistributionEvent::ADL;
    CheckDistributionRow(FHost, event, Sender->isChecked());
}

void TInputMessagesPage::LoadBreach(const TBreachRow& Row, const TAnalogueBreach& Breach)
{
    Row.Message->setText(QString::fromStdU16String(Breach.Message));
    Row.Voltage->setText(RangedDecimalText(Breach.VoltageHundredths / 100.0, 0.0, MaximumVolts));
    Row.Current->setText(RangedDecimalText(Breach.CurrentHundredths / 100.0, MinimumMilliamps, MaximumMilliamps));
    Row.Response->setText(RangedNumberText(static_cast<int>(Breach.ResponseSeconds), 0, MaximumResponse));
    Row.Check->setChecked(Breach.Enabled);
    HandleCheckBox(Row.Check);
}

void TInputMessagesPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (const TMessageRow& row : Rows) row.Check->setChecked(false);
    High.Check->setChecked(false);
    Low.Check->setChecked(false);
    for (size_t slot = 0; slot < InputMessageCount; ++slot) {
        const TMessageRow& row = Rows[slot];
        const TInputMessage message = DecodeInputMessage(KVXConfig, slot);
        row.Message->setText(QString::fromStdU16String(message.Text));
        if (InputMessageHasDelay(slot)) row.Delay->setText(RangedNumberText(static_cast<int>(message.DelaySeconds), 0, MaximumDelay));
        row.Check->setChecked(message.Enabled);
        HandleCheckBox(row.Check);
    }
    // Type 0: nothing to show; the analogue edits keep what they hold.
    if (const std::optional<TAnalogueInput> input = DecodeAnalogueInput(KVXConfig)) {
        LoadBreach(High, input->High);
        LoadBreach(Low, input->Low);
        (input->VoltageInput ? rbLBV : rbLBC)->setChecked(true);
        EnableAnalogue();
    }
}

bool TInputMessagesPage::Refuse(QWidget* Failing)
{
    FHost.BringPageForward(InputMessagesPageNo);
    if (Failing) Failing->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TInputMessagesPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    if (ConfigAssistant) {
        QString missing;
        for (size_t slot = 0; slot < InputMessageCount && missing.isEmpty(); ++slot)
            if (Rows[slot].Check->isChecked() && Rows[slot].Message->text().isEmpty())
                missing = QStringLiteral("input %1 %2").arg(InputOf(slot)).arg(SideWord(slot));
        for (const auto& [row, names] : {std::pair{&High, &HighNames}, {&Low, &LowNames}})
            if (missing.isEmpty() && row->Check->isChecked() && row->Message->text().isEmpty()) missing = QString::fromLatin1(names->Subject);
        if (!missing.isEmpty()) {
            TKVXMessageDlg::ShowMessageEx(NoMessageText(missing), TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
            return Refuse();
        }
    }

    // Every number is read before anything is stored: an edit without one stops writes and
    // template saves alike, rather than leaving 0xFFFF delays for the unit.
    std::array<TInputMessage, InputMessageCount> messages{};
    for (size_t slot = 0; slot < InputMessageCount; ++slot) {
        const TMessageRow& row = Rows[slot];
        TInputMessage& message = messages[slot];
        message.Enabled = row.Check->isChecked();
        message.Text = row.Message->text().toStdU16String();
        if (!message.Enabled || !InputMessageHasDelay(slot)) continue;
        const std::optional<int> delay = EditWholeNumber(*row.Delay);
        if (!delay) return Refuse(row.Delay);
        message.DelaySeconds = static_cast<uint32_t>(std::clamp(*delay, 0, MaximumDelay));
    }
    TAnalogueInput analogue;
    analogue.VoltageInput = rbLBV->isChecked();
    for (const auto& [row, breach] : {std::pair{&High, &analogue.High}, {&Low, &analogue.Low}}) {
        breach->Enabled = row->Check->isChecked();
        breach->Message = row->Message->text().toStdU16String();
        if (!breach->Enabled) continue;
        const std::optional<double> volts = StoredDecimal(*row->Voltage, 0.0, MaximumVolts);
        if (!volts) return Refuse(row->Voltage);
        const std::optional<double> milliamps = StoredDecimal(*row->Current, MinimumMilliamps, MaximumMilliamps);
        if (!milliamps) return Refuse(row->Current);
        const std::optional<int> response = EditWholeNumber(*row->Response);
        if (!response) return Refuse(row->Response);
        breach->VoltageHundredths = TruncatedHundredths(*volts);
        breach->CurrentHundredths = TruncatedHundredths(*milliamps);
        breach->ResponseSeconds = static_cast<uint32_t>(std::clamp(*response, 0, MaximumResponse));
    }

    for (size_t slot = 0; slot < InputMessageCount; ++slot) EncodeInputMessage(KVXConfig, slot, messages[slot]);
    EncodeAnalogueInput(KVXConfig, analogue);
    return true;
}

} // namespace kvx::ui
