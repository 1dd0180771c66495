#include "ui/pages/distribute_messages_page.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <array>

#include "ui/main/menu_table.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

// What switches a row's event on, for UpdateDistributions.
enum class TRowSwitch : uint8_t {
    Always,
    CheckBox,       // a check box or radio button of another page is checked
    TamperOn,       // the tamper edit holds anything but "255"
    TimersDefined,  // at least one timer location exists
    NotDriven,      // left alone
};

struct TRowInfo {
    const char* Panel;
    TRowSwitch Switch;
    int PageNo = 0;
    const char* Control = "";
};

// In the order of the image's masks, one per TDistributionEvent.
constexpr std::array<TRowInfo, DistributeMessageCount> RowTable{{
    {"pnlPowerUp", TRowSwitch::Always},
    {"pnlIP1H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP1H"},
    {"pnlIP1L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP1L"},
    {"pnlIP2H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP2H"},
    {"pnlIP2L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP2L"},
    {"pnlIP3H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP3H"},
    {"pnlIP3L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP3L"},
    {"pnlIP4H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP4H"},
    {"pnlIP4L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP4L"},
    {"pnlIP5H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP5H"},
    {"pnlIP5L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP5L"},
    {"pnlIP6H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP6H"},
    {"pnlIP6L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP6L"},
    {"pnlIP7H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP7H"},
    {"pnlIP7L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP7L"},
    {"pnlIP8H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP8H"},
    {"pnlIP8L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP8L"},
    {"pnlIP9H", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP9H"},
    {"pnlIP9L", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIP9L"},
    {"pnlMainsFail", TRowSwitch::Always},
    {"pnlMainsRestore", TRowSwitch::Always},
    {"pnlBatteryLow", TRowSwitch::Always},
    {"pnlBatteryCritical", TRowSwitch::Always},
    {"pnlBatteryRestore", TRowSwitch::Always},
    {"pnlAutoTest", TRowSwitch::CheckBox, GeneralSetupPageNo, "cbSelfTest"},
    {"pnlTamper", TRowSwitch::TamperOn, GeneralSetupPageNo, "edTamper"},
    {"pnlIllegalAccess", TRowSwitch::Always},
    {"pnlTimerEvents", TRowSwitch::TimersDefined, TimersPageNo},
    {"pnlTestButton", TRowSwitch::Always},
    {"pnlBundleThreshold", TRowSwitch::NotDriven},
    {"pnlADL", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIPAL"},
    {"pnlADH", TRowSwitch::CheckBox, InputMessagesPageNo, "cbIPAH"},
    {"pnlIOCommsFail", TRowSwitch::CheckBox, GeneralSetupPageNo, "rbIOExpander"},
    {"pnlSIMChangeReport", TRowSwitch::NotDriven},
}};

constexpr int RowLeft = 8;
constexpr int RowTop = 4;
constexpr int RowHeight = 22;
constexpr int RowPitch = 24;
constexpr int CaptionWidth = 170;
constexpr int BoxTop = (RowHeight - CheckBoxTileSize) / 2;
constexpr int RowWidth = CaptionWidth + RecipientBoxPitch * (static_cast<int>(RecipientCount) + 1);

TDistributionEvent EventOf(size_t Row) { return static_cast<TDistributionEvent>(Row); }

} // namespace

TDistributeMessagesPage::TDistributeMessagesPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    const QString hint = QStringLiteral("Only recipient numbers which have been input on the message recipients tab are selectable.");
    NewHeading(this, QStringLiteral("Select recipients to receive the related input messages."), QRect(24, 16, 600, 22))->setToolTip(hint);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setGeometry(16, 56, RowLeft + RowWidth + 16, 480);
    ScrollBox->verticalScrollBar()->setSingleStep(RowPitch);
    auto* grid = new QWidget;
    grid->setObjectName("ScrollBoxGrid");

    int top = RowTop;
    FRows.reserve(RowTable.size());
    for (size_t row = 0; row < RowTable.size(); ++row) {
        auto* panel = new QWidget(grid);
        panel->setObjectName(RowTable[row].Panel);
        panel->setToolTip(hint);
        NewLabel(panel, QString::fromLatin1(DistributionEventCaption(EventOf(row))), QRect(0, 0, CaptionWidth - 8, RowHeight));
        const TRecipientBoxes boxes = CreateRecipientBoxes(panel, QPoint(CaptionWidth, BoxTop), false,
                                                           [this](TImageCheckBox* Sender) { HandleCheckBox(Sender); });
        panel->setGeometry(RowLeft, top, RowWidth, RowHeight);
        if (EventOf(row) == TDistributionEvent::BundleThreshold) {
            panel->hide();  // stored like the others, never shown
        } else {
            top += RowPitch;
        }
        FRows.push_back({panel, boxes});
    }
    grid->resize(RowLeft + RowWidth, top);
    ScrollBox->setWidget(grid);
    // The rows sit on the page's own dark background.
    grid->setAutoFillBackground(false);
    ScrollBox->viewport()->setAutoFillBackground(false);
}

QScrollBar* TDistributeMessagesPage::WheelScrollBar()
{
    return ScrollBox->verticalScrollBar();
}

QWidget* TDistributeMessagesPage::RowPanel(TDistributionEvent Event) const
{
    return FRows.at(static_cast<size_t>(Event)).Panel;
}

const TRecipientBoxes& TDistributeMessagesPage::RowBoxes(TDistributionEvent Event) const
{
    return FRows.at(static_cast<size_t>(Event)).Boxes;
}

TDistributeMessagesPage::TRow* TDistributeMessagesPage::RowOf(const QWidget* Panel)
{
    const auto it = std::find_if(FRows.begin(), FRows.end(), [Panel](const TRow& row) { return row.Panel == Panel; });
    return it == FRows.end() ? nullptr : &*it;
}

void TDistributeMessagesPage::UpdateAllBox(const TRow& Row)
{
    int enabled = 0;
    int checked = 0;
    for (const TImageCheckBox* box : Row.Boxes.Recipients) {
        if (!box->Enabled()) continue;
        ++enabled;
        if (box->Checked()) ++checked;
    }
    Row.Boxes.All->SetEnabled(enabled >= 2);
    Row.Boxes.All->SetChecked(checked >= 2);
}

void TDistributeMessagesPage::CheckGroup(QWidget* Panel, bool Check)
{
    TRow* row = RowOf(Panel);
    if (!row) return;
    for (TImageCheckBox* box : row->Boxes.Recipients) box->SetChecked(Check);
    UpdateAllBox(*row);
}

void TDistributeMessagesPage::CheckRow(TDistributionEvent Event, bool Check)
{
    CheckGroup(RowPanel(Event), Check);
}

void TDistributeMessagesPage::CheckOneBox(QWidget* Panel, bool Check, int DistributionNumber)
{
    TRow* row = RowOf(Panel);
    if (!row) return;
    row->Boxes.Recipient(DistributionNumber)->SetChecked(Check);
    UpdateAllBox(*row);
}

void TDistributeMessagesPage::EnableDistribution(int DistributionNumber, bool Enable)
{
    FHost.MarkConfigChanged();
    for (const TRow& row : FRows) {
        TImageCheckBox* box = row.Boxes.Recipient(DistributionNumber);
        box->SetEnabled(Enable);
        UpdateAllBox(row);
        HandleCheckBox(box);
    }
}

bool TDistributeMessagesPage::RowSwitchedOn(size_t Row) const
{
    const TRowInfo& info = RowTable[Row];
    TKVXPage* page = info.PageNo != 0 ? FHost.Page(info.PageNo) : nullptr;
    switch (info.Switch) {
    case TRowSwitch::Always: return true;
    case TRowSwitch::CheckBox: {
        const auto* button = page ? page->findChild<QAbstractButton*>(info.Control) : nullptr;
        return button && button->isChecked();
    }
    case TRowSwitch::TamperOn: {
        const auto* edit = page ? page->findChild<QLineEdit*>(info.Control) : nullptr;
        return edit && edit->text() != QLatin1String("255");
    }
    case TRowSwitch::TimersDefined: {
        const auto* timers = dynamic_cast<const ITimerCount*>(page);
        return timers && timers->GetTimersCount() > 0;
    }
    case TRowSwitch::NotDriven: break;
    }
    return false;
}

void TDistributeMessagesPage::UpdateDistributions(int DistributionNumber)
{
    for (size_t row = 0; row < FRows.size(); ++row)
        if (RowTable[row].Switch != TRowSwitch::NotDriven) CheckOneBox(FRows[row].Panel, RowSwitchedOn(row), DistributionNumber);
}

void TDistributeMessagesPage::HandleCheckBox(TImageCheckBox* Sender)
{
    if (!Sender->Enabled()) return;
    FHost.MarkConfigChanged();
    TRow* row = RowOf(Sender->Owner());
    if (!row) return;
    if (Sender->Tag != 0) UpdateAllBox(*row);
    else ApplyAllBox(row->Boxes);
}

void TDistributeMessagesPage::BitsToPanel(const TRow& Row, uint16_t Mask)
{
    CheckFromMask(Row.Boxes, Mask);
    UpdateAllBox(Row);
}

void TDistributeMessagesPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (size_t row = 0; row < FRows.size(); ++row) BitsToPanel(FRows[row], DecodeDistributionMask(KVXConfig, EventOf(row)));
}

bool TDistributeMessagesPage::FormToConfig(TKVXConfig& KVXConfig, bool)
{
    for (size_t row = 0; row < FRows.size(); ++row) EncodeDistributionMask(KVXConfig, EventOf(row), CheckedEnabledMask(FRows[row].Boxes));
    return true;
}

} // namespace kvx::ui
