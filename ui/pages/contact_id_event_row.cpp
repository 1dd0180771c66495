#include "ui/pages/contact_id_event_row.h"

#include <QLabel>

namespace kvx::ui {

namespace {

constexpr int ValueLeft = 4;
constexpr int ValueWidth = 40;
constexpr int DescriptionLeft = 70;
constexpr int DescriptionWidth = 230;
constexpr int BoxesLeft = 306;
constexpr int BoxTop = (TContactIDEventRow::RowHeight - CheckBoxTileSize) / 2;
constexpr int RowWidth = BoxesLeft + RecipientBoxPitch * (static_cast<int>(RecipientCount) + 1);

} // namespace

TContactIDEventRow::TContactIDEventRow(IPageHost& Host, int Code, const QString& Description, QWidget* Parent)
    : QWidget(Parent), FHost(Host)
{
    resize(RowWidth, RowHeight);
    lbValue = new QLabel(QStringLiteral("%1").arg(Code, 3, 10, QLatin1Char('0')), this);
    lbValue->setObjectName("lbValue");
    lbValue->setGeometry(ValueLeft, 0, ValueWidth, RowHeight);
    lbDescription = new QLabel(Description, this);
    lbDescription->setObjectName("lbDescription");
    lbDescription->setGeometry(DescriptionLeft, 0, DescriptionWidth, RowHeight);
    FBoxes = CreateRecipientBoxes(this, QPoint(BoxesLeft, BoxTop), true, [this](TImageCheckBox* Sender) { HandleCheckBox(Sender); });
    FBoxes.All->setObjectName("cb11");
    for (TImageCheckBox* box : FBoxes.Recipients) box->setObjectName(QStringLiteral("cb%1").arg(box->Tag));
}

void TContactIDEventRow::EnableDistribution(int DistributionNumber, bool Enable)
{
    TImageCheckBox* box = FBoxes.Recipient(DistributionNumber);
    box->SetEnabled(Enable);
    if (Enable) box->SetChecked(true);
    CheckEnableAll();
    HandleCheckBox(box);
}

// The All box follows the running counts after every box, so its final state depends on the
// order of the ticks: 1, 2 ticked and 3 not leaves it checked; 1 not and 2, 3 ticked, not.
void TContactIDEventRow::CheckEnableAll()
{
    int enabled = 0;
    int checked = 0;
    bool allChecked = FBoxes.All->Checked();
    for (const TImageCheckBox* box : FBoxes.Recipients) {
        if (box->Enabled()) {
            ++enabled;
            if (box->Checked()) ++checked;
        }
        if (checked < 2) allChecked = false;
        else if (checked == enabled) allChecked = true;
    }
    FBoxes.All->SetEnabled(enabled >= 2);
    FBoxes.All->SetChecked(allChecked);
}

void TContactIDEventRow::FlagsToPanel(uint16_t Flags)
{
    CheckFromMask(FBoxes, Flags);
    CheckEnableAll();
}

uint16_t TContactIDEventRow::FormToReportingUsers() const
{
    return CheckedEnabledMask(FBoxes);
}

void TContactIDEventRow::HandleCheckBox(TImageCheckBox* Sender)
{
    if (!Sender->Enabled()) return;
    FHost.MarkConfigChanged();
    if (Sender->Tag != 0) CheckEnableAll();
    else ApplyAllBox(FBoxes);
}

} // namespace kvx::ui
