#include "ui/pages/contact_id_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "config/cid_list.h"
#include "config/page_captions.h"
#include "ui/main/dialog_service.h"
#include "ui/main/shipped_file.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

constexpr int Margin = 16;
constexpr int ListTop = 54;
constexpr int ListHeight = 250;
constexpr int ListWidth = 562;
constexpr int RowsTop = 2;
constexpr int LabelsTop = 316;
constexpr int ConnectionLeft = ListWidth + 2 * Margin;
constexpr int ConnectionWidth = 170;
constexpr int LabelMaxLength = 16;
constexpr int ItemLabelMaxLength = 17;

struct TLabelListInfo {
    TCIDLabelKind Kind;
    const char* Caption;  // also the start of each item's first label: "Partition 0"
    const char* Combo;
    const char* Edit;
    const char* Clear;
};

constexpr std::array<TLabelListInfo, 3> LabelListTable{{
    {TCIDLabelKind::Partition, CIDPartitionCaption, "cbPartition", "edPM", "btnPMC"},
    {TCIDLabelKind::Zone, CIDZoneCaption, "cbZone", "edZM", "btnZMC"},
    {TCIDLabelKind::User, CIDUserCaption, "cbUser", "edUM", "btnUMC"},
}};

} // namespace

TContactIDPage::TContactIDPage(IPageHost& Host, QWidget* Parent, const QString& CIDListPath) : TKVXPage(Parent), FHost(Host)
{
    BuildDistribution();
    BuildLabelLists();
    BuildConnection();
    LoadCIDList(CIDListPath);
    FillLabelLists();
}

QString TContactIDPage::ProgramCIDListPath()
{
    return ShippedFilePath(QStringLiteral("CIDList.txt"));
}

void TContactIDPage::BuildDistribution()
{
    NewHeading(this, QStringLiteral("Contact ID message distribution"), QRect(Margin, 10, 400, 20));
    NewLabel(this, QStringLiteral("Telemetry"), QRect(Margin + 4, 34, 60, 18));
    NewLabel(this, QStringLiteral("Event"), QRect(Margin + 70, 34, 100, 18));
    NewLabel(this, QStringLiteral("Select recipients"), QRect(Margin + 306, 34, 200, 18));

    sbCIDList = new QScrollArea(this);
    sbCIDList->setObjectName("sbCIDList");
    sbCIDList->setGeometry(Margin, ListTop, ListWidth, ListHeight);
    sbCIDList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbCIDList->verticalScrollBar()->setSingleStep(TContactIDEventRow::RowPitch);
    FRowArea = new QWidget;
    FRowArea->setObjectName("sbCIDListRows");
    lblCIDListMissing = NewNote(FRowArea,
                                QStringLiteral("The Contact ID event list \"CIDList.txt\" was not found beside the program "
                                               "or could not be read, so no Contact ID events can be chosen."),
                                QRect(8, 8, ListWidth - 40, 60));
    lblCIDListMissing->setObjectName("lblCIDListMissing");
    lblCIDListMissing->hide();
}

void TContactIDPage::BuildLabelLists()
{
    NewHeading(this, QStringLiteral("Custom Contact ID messages"), QRect(Margin, LabelsTop, 400, 20));
    NewLabel(this, QStringLiteral("Standard Contact ID terms can be replaced with understandable messages."),
             QRect(Margin, LabelsTop + 22, 600, 18));
    NewLabel(this, QStringLiteral("Examples"), QRect(Margin, LabelsTop + 44, 80, 18));
    NewLabel(this, QStringLiteral("Standard"), QRect(Margin, LabelsTop + 62, 70, 18));
    NewLabel(this, QStringLiteral("- Alert CID, Alarm, Partition #1, Zone #2, 14:36:28, 20/12/2012"), QRect(Margin + 70, LabelsTop + 62, 600, 18));
    NewLabel(this, QStringLiteral("Defined"), QRect(Margin, LabelsTop + 80, 70, 18));
    NewLabel(this, QStringLiteral("- Alert CID, Alarm, Main House, Master Bedroom, 14:36:28, 20/12/2012"),
             QRect(Margin + 70, LabelsTop + 80, 600, 18));
    NewLabel(this, QStringLiteral("Select"), QRect(Margin + 80, LabelsTop + 104, 60, 18));
    NewLabel(this, QStringLiteral("Set custom message"), QRect(Margin + 150, LabelsTop + 104, 160, 18));

    for (size_t index = 0; index < LabelListTable.size(); ++index) {
        const TLabelListInfo& info = LabelListTable[index];
        const int top = LabelsTop + 124 + static_cast<int>(index) * 30;
        NewLabel(this, QString::fromLatin1(info.Caption), QRect(Margin, top, 70, 24));
        TLabelList& list = FLabelLists[index];
        list.Kind = info.Kind;
        list.Combo = new QComboBox(this);  // pick-only: a typed number could select no item
        list.Combo->setObjectName(info.Combo);
        list.Combo->setGeometry(Margin + 80, top, 62, 24);
        list.Combo->setMaxVisibleItems(16);
        list.Edit = NewTextEdit(this, info.Edit, LabelMaxLength, QRect(Margin + 150, top, 200, 24));
        list.Clear = NewClearButton(this, info.Clear, list.Edit);
    }
    cbPartition = FLabelLists[0].Combo;
    cbZone = FLabelLists[1].Combo;
    cbUser = FLabelLists[2].Combo;
    edPM = FLabelLists[0].Edit;
    edZM = FLabelLists[1].Edit;
    edUM = FLabelLists[2].Edit;
    btnPMC = FLabelLists[0].Clear;
    btnZMC = FLabelLists[1].Clear;
    btnUMC = FLabelLists[2].Clear;
}

void TContactIDPage::BuildConnection()
{
    NewHeading(this, QStringLiteral("Contact ID connection"), QRect(ConnectionLeft, 10, ConnectionWidth, 20));
    NewNote(this, QStringLiteral("Connect to alarm panel telephone interface and install jumper J17 on the KVX"),
            QRect(ConnectionLeft, ListTop, ConnectionWidth, 72));
    cbDialTone = NewCheckBox(this, "cbDialTone", DialToneCaption, QRect(ConnectionLeft, ListTop + 84, ConnectionWidth, 22));
    NewNote(this, QStringLiteral("Speeds up Contact ID communication by simulating a dial tone on the alarm panel telephone interface."),
            QRect(ConnectionLeft, ListTop + 110, ConnectionWidth, 110));
    connect(cbDialTone, &QCheckBox::toggled, this, [this] { FHost.MarkConfigChanged(); });
}

void TContactIDPage::LoadCIDList(const QString& CIDListPath)
{
    QFile file(CIDListPath);
    if (!file.open(QIODevice::ReadOnly)) {
        lblCIDListMissing->show();
        FRowArea->resize(ListWidth - 20, 80);
        ShowRowArea();
        return;
    }
    const QByteArray bytes = file.readAll();
    const TCIDList list = ParseCIDList(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), CIDReportingCapacity);
    if (list.StoppedAtInvalidCode) Dialogs().ShowPlainMessage(QStringLiteral("Invalid integer"));

    CIDControlList.reserve(list.Events.size());
    int top = RowsTop;
    for (const TCIDEvent& event : list.Events) {
        auto* row = new TContactIDEventRow(FHost, event.Code, QString::fromStdU16String(event.Description), FRowArea);
        row->setObjectName(QStringLiteral("CIDControl%1").arg(CIDControlList.size()));
        row->move(0, top);
        top += TContactIDEventRow::RowPitch;
        CIDControlList.push_back(row);
    }
    FRowArea->resize(CIDControlList.empty() ? ListWidth - 20 : CIDControlList.front()->width(), top);
    ShowRowArea();
}

void TContactIDPage::ShowRowArea()
{
    sbCIDList->setWidget(FRowArea);
    // The rows sit on the page's own dark background.
    FRowArea->setAutoFillBackground(false);
    sbCIDList->viewport()->setAutoFillBackground(false);
}

void TContactIDPage::FillLabelLists()
{
    for (size_t index = 0; index < FLabelLists.size(); ++index) {
        const TLabelList& list = FLabelLists[index];
        const QString caption = QString::fromLatin1(LabelListTable[index].Caption);
        for (size_t item = 0; item < CIDLabelCount(list.Kind); ++item)
            list.Combo->addItem(QString::number(item), QStringLiteral("%1 %2").arg(caption).arg(item));
        list.Combo->setCurrentIndex(0);
        list.Edit->setText(list.Combo->currentData().toString());
        list.Clear->setEnabled(!list.Edit->text().isEmpty());
        // Connected only now: filling the lists is no edit of the configuration.
        connect(list.Combo, &QComboBox::currentIndexChanged, this, [this, &list] { LabelSelected(list); });
        connect(list.Edit, &QLineEdit::textChanged, this, [this, &list] { LabelEdited(list); });
    }
}

void TContactIDPage::LabelSelected(const TLabelList& List)
{
    List.Edit->setText(List.Combo->currentData().toString());
}

void TContactIDPage::LabelEdited(const TLabelList& List)
{
    FHost.MarkConfigChanged();
    List.Clear->setEnabled(!List.Edit->text().isEmpty());
    if (List.Combo->currentIndex() >= 0) List.Combo->setItemData(List.Combo->currentIndex(), List.Edit->text().left(ItemLabelMaxLength));
}

QScrollBar* TContactIDPage::WheelScrollBar()
{
    return sbCIDList->verticalScrollBar();
}

void TContactIDPage::EnableDistribution(int DistributionNumber, bool Enable)
{
    FHost.MarkConfigChanged();
    for (TContactIDEventRow* row : CIDControlList) row->EnableDistribution(DistributionNumber, Enable);
}

void TContactIDPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    for (const TLabelList& list : FLabelLists) {
        for (int item = 0; item < list.Combo->count(); ++item)
            list.Combo->setItemData(item, QString::fromStdU16String(DecodeCIDLabel(KVXConfig, list.Kind, static_cast<size_t>(item))));
        list.Combo->setCurrentIndex(0);
        LabelSelected(list);
    }
    for (size_t entry = 0; entry < CIDControlList.size(); ++entry)
        CIDControlList[entry]->FlagsToPanel(DecodeCIDReportingMask(KVXConfig, entry));
    cbDialTone->setChecked(DecodeDialTone(KVXConfig));
}

bool TContactIDPage::FormToConfig(TKVXConfig& KVXConfig, bool)
{
    for (const TLabelList& list : FLabelLists)
        for (int item = 0; item < list.Combo->count(); ++item)
            EncodeCIDLabel(KVXConfig, list.Kind, static_cast<size_t>(item), list.Combo->itemData(item).toString().toStdU16String());
    for (size_t entry = 0; entry < CIDControlList.size(); ++entry)
        EncodeCIDReportingMask(KVXConfig, entry, CIDControlList[entry]->FormToReportingUsers());
    EncodeDialTone(KVXConfig, cbDialTone->isChecked());
    return true;
}

} // namespace kvx::ui
