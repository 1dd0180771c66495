#include "ui/pages/missed_call_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "config/missed_call_list.h"
#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/list_files.h"
#include "ui/widgets/location_lines.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/phone_number_edit.h"
#include "ui/widgets/relay_lists.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui {

namespace {

constexpr int LastHour = 23;
constexpr int LastMinute = 59;
constexpr int LastCount = 255;
constexpr uint8_t ActionMask = 0x7F;

constexpr int ListLeft = 16;
constexpr int ListTop = 60;
constexpr int ListWidth = 488;
constexpr int ControlsLeft = 522;

uint8_t ClampedTo(uint8_t Value, int Last)
{
    return static_cast<uint8_t>(std::min<int>(Value, Last));
}

// Stored window times outside the day (an unprogrammed 0xFF) as the edits show them, and so
// as they are stored again: what the user saw is what goes to the unit.
TMissedCallLocation WithinTheDay(TMissedCallLocation Location)
{
    Location.StartHour = ClampedTo(Location.StartHour, LastHour);
    Location.StartMinute = ClampedTo(Location.StartMinute, LastMinute);
    Location.StopHour = ClampedTo(Location.StopHour, LastHour);
    Location.StopMinute = ClampedTo(Location.StopMinute, LastMinute);
    return Location;
}

} // namespace

TMissedCallPage::TMissedCallPage(IPageHost& Host, QWidget* Parent)
    : TKVXPage(Parent), FHost(Host),
      FList(this, "lbMissedCall", static_cast<int>(MissedCallCount),
            [this](int Index) { return MissedCallLine(Index + 1, FRecords[static_cast<size_t>(Index)]); },
            QRect(ListLeft, ListTop, ListWidth, 476), [this](int Index) { ShowLocation(Index); })
{
    lbMissedCall = FList.View;
    NewHeading(this, QStringLiteral("Missed call locations"), QRect(ListLeft, 10, 200, 20));
    NewLabel(this, QStringLiteral("up to 500 numbers"), QRect(ListLeft + 180, 10, 200, 20));
    NewColumnHeads(this, "pnlColumnHeads", QPoint(ListLeft + 5, ListTop - 22), MissedCallHeads());
    btnImport = NewButton(this, "btnImport", QStringLiteral("Import\u2026"), QRect(ListLeft + ListWidth - 166, 4, 80, 26));
    btnExport = NewButton(this, "btnExport", QStringLiteral("Export\u2026"), QRect(ListLeft + ListWidth - 80, 4, 80, 26));
    connect(btnImport, &QPushButton::clicked, this, [this] { ImportNumbers(); });
    connect(btnExport, &QPushButton::clicked, this, [this] { SaveListFile(ExportMissedCalls(FRecords)); });
    BuildControls();
    FList.Select(0);
}

void TMissedCallPage::BuildControls()
{
    const auto update = [this] { UpdateLocation(); };
    NewHeading(this, MissedCallNumberCaption, QRect(ControlsLeft, 10, 200, 20));
    NewLabel(this, QStringLiteral("+"), QRect(ControlsLeft, 34, 10, 26));
    edMissedCallNumber = NewPhoneNumberEdit(this, "edMissedCallNumber", QRect(ControlsLeft + 12, 34, 170, 26),
                                            [this] { return FHost.DefaultCountryCode(); });
    edMissedCallNumber->setToolTip(QStringLiteral("International format"));
    btnMissedCallNumberClear = NewClearButton(this, "btnMissedCallNumberClear", edMissedCallNumber);

    NewLabel(this, RelayCaption, QRect(ControlsLeft, 72, 180, 20));
    cbRelay = new QComboBox(this);
    cbRelay->setObjectName("cbRelay");
    cbRelay->setGeometry(ControlsLeft, 94, 180, 26);
    FillRelayList(cbRelay, false);
    NewLabel(this, RelayActionCaption, QRect(ControlsLeft, 128, 180, 20));
    cbRelayFunction = new QComboBox(this);
    cbRelayFunction->setObjectName("cbRelayFunction");
    cbRelayFunction->setGeometry(ControlsLeft, 150, 180, 26);
    FillActionList(cbRelayFunction);

    NewLabel(this, OperationalCountCaption, QRect(ControlsLeft, 188, 200, 20));
    edAccessCount = NewSteppedEdit(this, {"edAccessCount", "Button9", "Button10", 3, LastCount}, QPoint(ControlsLeft, 210), update);
    NewNote(this, QStringLiteral("Limits total number of operations"), QRect(ControlsLeft, 238, 230, 20));
    cbConfirmation = NewCheckBox(this, "cbConfirmation", ConfirmationSMSCaption, QRect(ControlsLeft, 266, 230, 24));
    cbAccessRules = NewCheckBox(this, "cbAccessRules", TimeWindowCaption, QRect(ControlsLeft, 300, 230, 24));
    BuildAccessRules(328);
    btnResetLocation = NewButton(this, "btnResetLocation", QStringLiteral("Reset location"), QRect(ControlsLeft, 478, 140, 30));

    connect(edMissedCallNumber, &QLineEdit::textChanged, this, [this](const QString& Text) {
        btnMissedCallNumberClear->setEnabled(!Text.isEmpty());
        UpdateLocation();
    });
    connect(cbRelay, &QComboBox::currentIndexChanged, this, update);
    connect(cbRelayFunction, &QComboBox::currentIndexChanged, this, update);
    connect(cbConfirmation, &QCheckBox::toggled, this, update);
    connect(cbAccessRules, &QCheckBox::toggled, this, [this] {
        ApplyAccessRules();
        UpdateLocation();
    });
    connect(btnResetLocation, &QPushButton::clicked, this, [this] { ResetLocation(); });
}

void TMissedCallPage::BuildAccessRules(int Top)
{
    const auto update = [this] { UpdateLocation(); };
    pnlAccessRules = new QWidget(this);
    pnlAccessRules->setObjectName("pnlAccessRules");
    pnlAccessRules->setGeometry(ControlsLeft, Top, 240, 136);
    NewLabel(pnlAccessRules, DaysOfWeekCaption, QRect(0, 4, 160, 20));
    WeekDays = CreateWeekDayBoxes(pnlAccessRules, QPoint(0, 28), [this](TImageCheckBox*) { UpdateLocation(); });
    const struct {
        const char* Caption;
        int Top;
        TSteppedEdit Hour;
        TSteppedEdit Minute;
    } rows[] = {{"From", 58, {"edStartHour", "Button6", "Button7", 2, LastHour}, {"edStartMinute", "Button1", "Button2", 2, LastMinute}},
                {"To", 94, {"edStopHour", "Button3", "Button4", 2, LastHour}, {"edStopMinute", "Button5", "Button8", 2, LastMinute}}};
    std::vector<QLineEdit*> edits;
    for (const auto& row : rows) {
        NewLabel(pnlAccessRules, QString::fromLatin1(row.Caption), QRect(0, row.Top, 40, 24));
        edits.push_back(NewSteppedEdit(pnlAccessRules, row.Hour, QPoint(40, row.Top), update));
        NewLabel(pnlAccessRules, QStringLiteral(":"), QRect(132, row.Top, 8, 24));
        edits.push_back(NewSteppedEdit(pnlAccessRules, row.Minute, QPoint(140, row.Top), update));
    }
    edStartHour = edits[0];
    edStartMinute = edits[1];
    edStopHour = edits[2];
    edStopMinute = edits[3];
}

QScrollBar* TMissedCallPage::WheelScrollBar()
{
    return lbMissedCall->verticalScrollBar();
}

QString TMissedCallPage::LocationName(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(MissedCallCount)) return {};
    const TMissedCallLocation& location = FRecords[static_cast<size_t>(Index)];
    return location.IsDefined() ? QString::fromStdU16String(location.Number).trimmed() : QString();
}

void TMissedCallPage::IOExpanderFunctions(bool State)
{
    const int index = FList.Selected();
    FShowing = true;
    RefillRelayList(cbRelay, State, index >= 0 ? std::optional(FRecords[static_cast<size_t>(index)].Relay) : std::nullopt);
    FShowing = false;
}

void TMissedCallPage::ApplyAccessRules()
{
    const bool on = cbAccessRules->isChecked();
    pnlAccessRules->setEnabled(on);
    EnableWeekDayBoxes(WeekDays, on);
}

void TMissedCallPage::ShowLocation(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(MissedCallCount)) return;
    const TMissedCallLocation location = FRecords[static_cast<size_t>(Index)];
    FShowing = true;
    edMissedCallNumber->setText(QString::fromStdU16String(location.Number));
    ShowRelay(cbRelay, location.Relay);
    ShowAction(cbRelayFunction, location.Action & ActionMask);
    edAccessCount->setText(RangedNumberText(location.Count, 0, LastCount, 3));
    cbConfirmation->setChecked((location.Action & ConfirmationBit) != 0);
    cbAccessRules->setChecked(location.TimeWindow);
    edStartHour->setText(RangedNumberText(location.StartHour, 0, LastHour, 2));
    edStartMinute->setText(RangedNumberText(location.StartMinute, 0, LastMinute, 2));
    edStopHour->setText(RangedNumberText(location.StopHour, 0, LastHour, 2));
    edStopMinute->setText(RangedNumberText(location.StopMinute, 0, LastMinute, 2));
    CheckFromWeekDayMask(WeekDays, location.WeekDays);
    ApplyAccessRules();
    FShowing = false;
}

void TMissedCallPage::UpdateLocation()
{
    if (FShowing) return;
    FHost.MarkConfigChanged();
    const int index = FList.Selected();
    if (index < 0) return;
    TMissedCallLocation& record = FRecords[static_cast<size_t>(index)];
    TMissedCallLocation edited;
    edited.Number = edMissedCallNumber->text().toStdU16String();
    edited.Relay = ChosenByte(*cbRelay, record.Relay);
    const uint8_t action = ChosenByte(*cbRelayFunction, record.Action & ActionMask) & ActionMask;
    edited.Action = static_cast<uint8_t>(action | (cbConfirmation->isChecked() ? ConfirmationBit : 0));
    // An edit emptied while typing leaves its stored value as it was.
    edited.Count = EditedByte(*edAccessCount, record.Count);
    edited.TimeWindow = cbAccessRules->isChecked();
    edited.StartHour = EditedByte(*edStartHour, record.StartHour);
    edited.StartMinute = EditedByte(*edStartMinute, record.StartMinute);
    edited.StopHour = EditedByte(*edStopHour, record.StopHour);
    edited.StopMinute = EditedByte(*edStopMinute, record.StopMinute);
    edited.WeekDays = WeekDayMask(WeekDays);
    record = edited;
    FList.LineChanged(index);
}

void TMissedCallPage::ResetLocation()
{
    const int index = FList.Selected();
    if (index < 0) return;
    FHost.MarkConfigChanged();
    FRecords[static_cast<size_t>(index)] = TMissedCallLocation{};
    ShowLocation(index);
    FList.LineChanged(index);
}

void TMissedCallPage::ImportNumbers()
{
    const auto file = OpenListFile();
    if (!file) return;
    const TMissedCallImport import = ImportMissedCalls(file->Text, FRecords, FHost.DefaultCountryCode());
    if (!ImportConfirmed(*file, import.Report, "location")) return;
    FHost.MarkConfigChanged();
    FRecords = import.Records;
    FList.AllLinesChanged();
    ShowLocation(FList.Selected());
}

void TMissedCallPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (size_t i = 0; i < MissedCallCount; ++i) FRecords[i] = WithinTheDay(DecodeMissedCall(KVXConfig, i));
    FList.AllLinesChanged();
    FList.Select(0);
}

bool TMissedCallPage::EditsHoldNumbers()
{
    const int index = FList.Selected();
    if (index < 0 || !FRecords[static_cast<size_t>(index)].IsDefined()) return true;
    std::vector<const QLineEdit*> edits{edAccessCount};
    if (cbAccessRules->isChecked()) edits.insert(edits.end(), {edStartHour, edStartMinute, edStopHour, edStopMinute});
    if (EditsHoldWholeNumbers(edits)) return true;
    FHost.BringPageForward(MissedCallPageNo);
    lbMissedCall->scrollTo(lbMissedCall->currentIndex());
    return false;
}

bool TMissedCallPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    // Writes and template saves alike: a half-typed count or window would leave as the last one kept.
    if (!EditsHoldNumbers()) return false;
    const auto refuse = [this](const QString& Problem, TMsgDlgType Type, size_t Index, QWidget* Focus = nullptr) {
        TKVXMessageDlg::ShowMessageEx(Problem, Type, {TMsgDlgBtn::mbOK}, 0);
        FHost.BringPageForward(MissedCallPageNo);
        FList.Select(static_cast<int>(Index));
        if (Focus) Focus->setFocus(Qt::OtherFocusReason);
        return false;
    };
    for (size_t i = 0; i < MissedCallCount; ++i) {
        TMissedCallLocation location = FRecords[i];
        if (!location.IsDefined()) continue;
        QString problem;
        const auto digits = NumberToStore(QString::fromStdU16String(location.Number), FHost.DefaultCountryCode(),
                                          ConfigAssistant, QStringLiteral("Missed call location %1").arg(i + 1), problem);
        if (!digits) return refuse(problem, TMsgDlgType::mtWarning, i, edMissedCallNumber);
        location.Number = *digits;
        if (ConfigAssistant && location.TimeWindow && location.WeekDays == 0)
            return refuse(QStringLiteral("Please select at least one week day for missed call location %1.").arg(i + 1),
                          TMsgDlgType::mtInformation, i);
        EncodeMissedCall(KVXConfig, i, location);
    }
    return true;
}

} // namespace kvx::ui
