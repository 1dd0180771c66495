#include "ui/pages/timers_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "config/page_captions.h"
#include "config/text_fields.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/location_lines.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/relay_lists.h"
#include "ui/widgets/step_edit.h"

namespace kvx::ui {

namespace {

constexpr int LabelLength = LabelWidth;
constexpr int LastHour = 23;
constexpr int LastMinute = 59;
constexpr uint8_t Confirmed = 0xFF;

constexpr int ListLeft = 16;
constexpr int ListTop = 60;
constexpr int ListWidth = 440;
constexpr int ControlsLeft = 490;

// A stored time outside the day (an unprogrammed 0xFF) as the edits show it, and so as it is
// stored again: what the user saw is what goes to the unit.
TTimerLocation WithinTheDay(TTimerLocation Location)
{
    Location.Hour = static_cast<uint8_t>(std::min<int>(Location.Hour, LastHour));
    Location.Minute = static_cast<uint8_t>(std::min<int>(Location.Minute, LastMinute));
    return Location;
}

} // namespace

TTimersPage::TTimersPage(IPageHost& Host, QWidget* Parent)
    : TKVXPage(Parent), FHost(Host),
      FList(this, "lbTimer", static_cast<int>(TimerCount),
            [this](int Index) { return TimerLine(Index + 1, FRecords[static_cast<size_t>(Index)]); },
            QRect(ListLeft, ListTop, ListWidth, 476), [this](int Index) { ShowLocation(Index); })
{
    lbTimer = FList.View;
    NewHeading(this, QStringLiteral("Timer locations"), QRect(ListLeft, 10, 200, 20));
    NewLabel(this, QStringLiteral("up to 64 timers"), QRect(ListLeft + 150, 10, 200, 20));
    NewColumnHeads(this, "pnlColumnHeads", QPoint(ListLeft + 5, ListTop - 22), TimerHeads());
    BuildControls();
    FList.Select(0);
}

void TTimersPage::BuildControls()
{
    NewHeading(this, TimerLabelCaption, QRect(ControlsLeft, 10, 200, 20));
    edTimerLabel = NewTextEdit(this, "edTimerLabel", LabelLength, QRect(ControlsLeft, 34, 200, 26));
    btnTimerLabelClear = NewClearButton(this, "btnTimerLabelClear", edTimerLabel);

    NewLabel(this, RelayCaption, QRect(ControlsLeft, 76, 120, 20));
    cbRelay = new QComboBox(this);
    cbRelay->setObjectName("cbRelay");
    cbRelay->setGeometry(ControlsLeft, 98, 180, 26);
    FillRelayList(cbRelay, false);
    NewLabel(this, RelayOperationCaption, QRect(ControlsLeft, 136, 160, 20));
    cbRelayFunction = new QComboBox(this);
    cbRelayFunction->setObjectName("cbRelayFunction");
    cbRelayFunction->setGeometry(ControlsLeft, 158, 180, 26);
    FillActionList(cbRelayFunction);

    NewLabel(this, OperationTimeCaption, QRect(ControlsLeft, 196, 160, 20));
    const auto update = [this] { UpdateLocation(); };
    edHours = NewSteppedEdit(this, {"edHours", "Button6", "Button7", 2, LastHour}, QPoint(ControlsLeft, 218), update);
    NewLabel(this, QStringLiteral(":"), QRect(ControlsLeft + 94, 218, 8, 24));
    edMinutes = NewSteppedEdit(this, {"edMinutes", "Button1", "Button2", 2, LastMinute}, QPoint(ControlsLeft + 104, 218), update);

    NewLabel(this, DaysOfWeekCaption, QRect(ControlsLeft, 256, 160, 20));
    WeekDays = CreateWeekDayBoxes(this, QPoint(ControlsLeft, 280), [this](TImageCheckBox*) { UpdateLocation(); });
    cbConfirmation = NewCheckBox(this, "cbConfirmation", ConfirmationSMSCaption, QRect(ControlsLeft, 312, 240, 24));
    btnResetLocation = NewButton(this, "Button12", QStringLiteral("Reset location"), QRect(ControlsLeft, 356, 140, 30));

    connect(edTimerLabel, &QLineEdit::textChanged, this, [this](const QString& Text) {
        btnTimerLabelClear->setEnabled(!Text.isEmpty());
        UpdateLocation();
    });
    connect(cbRelay, &QComboBox::currentIndexChanged, this, update);
    connect(cbRelayFunction, &QComboBox::currentIndexChanged, this, update);
    connect(cbConfirmation, &QCheckBox::toggled, this, update);
    connect(btnResetLocation, &QPushButton::clicked, this, [this] { ResetLocation(); });
}

QScrollBar* TTimersPage::WheelScrollBar()
{
    return lbTimer->verticalScrollBar();
}

int TTimersPage::GetTimersCount() const
{
    return static_cast<int>(std::count_if(FRecords.begin(), FRecords.end(), [](const TTimerLocation& l) { return l.IsDefined(); }));
}

QString TTimersPage::LocationName(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(TimerCount)) return {};
    const TTimerLocation& location = FRecords[static_cast<size_t>(Index)];
    return location.IsDefined() ? QString::fromStdU16String(location.Label).trimmed() : QString();
}

void TTimersPage::IOExpanderFunctions(bool State)
{
    const int index = FList.Selected();
    FShowing = true;
    RefillRelayList(cbRelay, State, index >= 0 ? std::optional(FRecords[static_cast<size_t>(index)].Relay) : std::nullopt);
    FShowing = false;
}

void TTimersPage::ShowLocation(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(TimerCount)) return;
    const TTimerLocation location = FRecords[static_cast<size_t>(Index)];
    FShowing = true;
    edTimerLabel->setText(QString::fromStdU16String(location.Label));
    ShowRelay(cbRelay, location.Relay);
    ShowAction(cbRelayFunction, location.Action);
    edHours->setText(RangedNumberText(location.Hour, 0, LastHour, 2));
    edMinutes->setText(RangedNumberText(location.Minute, 0, LastMinute, 2));
    CheckFromWeekDayMask(WeekDays, location.WeekDays);
    cbConfirmation->setChecked(location.Confirmation != 0);
    FShowing = false;
}

void TTimersPage::UpdateLocation()
{
    if (FShowing) return;
    FHost.MarkConfigChanged();
    const int index = FList.Selected();
    if (index < 0) return;
    const bool wereDefined = GetTimersCount() > 0;
    TTimerLocation& record = FRecords[static_cast<size_t>(index)];
    TTimerLocation edited;
    edited.Label = edTimerLabel->text().left(LabelLength).toStdU16String();
    edited.Relay = ChosenByte(*cbRelay, record.Relay);
    edited.Action = ChosenByte(*cbRelayFunction, record.Action);
    edited.Confirmation = cbConfirmation->isChecked() ? Confirmed : 0;
    // A time edit emptied while typing leaves the stored time as it was.
    edited.Hour = EditedByte(*edHours, record.Hour);
    edited.Minute = EditedByte(*edMinutes, record.Minute);
    edited.WeekDays = WeekDayMask(WeekDays);
    record = edited;
    FList.LineChanged(index);
    TimersDefinedChanged(wereDefined);
}

void TTimersPage::ResetLocation()
{
    const int index = FList.Selected();
    if (index < 0) return;
    FHost.MarkConfigChanged();
    const bool wereDefined = GetTimersCount() > 0;
    FRecords[static_cast<size_t>(index)] = TTimerLocation{};
    ShowLocation(index);
    FList.LineChanged(index);
    TimersDefinedChanged(wereDefined);
}

void TTimersPage::TimersDefinedChanged(bool WereDefined)
{
    const bool defined = GetTimersCount() > 0;
    if (defined == WereDefined) return;
    CheckDistributionRow(FHost, TDistributionEvent::TimerEvents, defined);
}

void TTimersPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    // No distribution row is ticked here: the image's own masks stand.
    for (size_t i = 0; i < TimerCount; ++i) FRecords[i] = WithinTheDay(DecodeTimer(KVXConfig, i));
    FList.AllLinesChanged();
    FList.Select(0);
}

bool TTimersPage::TimeEditsHoldNumbers()
{
    const int index = FList.Selected();
    if (index < 0 || !FRecords[static_cast<size_t>(index)].IsDefined()) return true;
    if (EditsHoldWholeNumbers(std::array<const QLineEdit*, 2>{edHours, edMinutes})) return true;
    FHost.BringPageForward(TimersPageNo);
    lbTimer->scrollTo(lbTimer->currentIndex());
    return false;
}

bool TTimersPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    // Writes and template saves alike: a half-typed time would leave as the last one kept.
    if (!TimeEditsHoldNumbers()) return false;
    for (size_t i = 0; i < TimerCount; ++i) {
        const TTimerLocation& location = FRecords[i];
        if (!location.IsDefined()) continue;
        if (ConfigAssistant && location.WeekDays == 0) {
            TKVXMessageDlg::ShowMessageEx(QStringLiteral("Please select at least one week day for timer location %1.").arg(i + 1),
                                          TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
            // The message names the location; the line the user is editing stays chosen.
            FHost.BringPageForward(TimersPageNo);
            return false;
        }
        EncodeTimer(KVXConfig, i, location);
    }
    return true;
}

} // namespace kvx::ui
