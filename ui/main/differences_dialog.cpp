#include "ui/main/differences_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/main/kvx_message_box.h"

namespace kvx::ui {

namespace {

constexpr int DialogWidth = 820;
constexpr int DialogHeight = 480;
constexpr int RowRole = Qt::UserRole;
// A page's name stands out from its rows as the menu's section headings do.
constexpr QRgb PageHeadingColour = 0xFFC2C1C1;
constexpr QRgb PageHeadingBackground = 0xFF292829;
const QString GoToHint = QStringLiteral("Double-click a row, or press Enter, to go to it on its page.");

QString Text(const std::string& Words) { return QString::fromStdString(Words); }

// The image fields behind a row, by name with their raw values.
QString FieldsTip(const TWordedDifference& Row)
{
    QStringList lines;
    for (const TFieldDifference& field : Row.Fields)
        lines << Text(field.Name) + QStringLiteral(": ") + Text(field.First) + QStringLiteral(" \u2192 ") + Text(field.Second);
    return lines.join(u'\n');
}

} // namespace

TDifferencesDialog::TDifferencesDialog(const TDifferenceList& List, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("dlgDifferences");
    setWindowTitle("KVX");
    resize(DialogWidth, DialogHeight);
    auto* layout = new QVBoxLayout(this);
    lblHeading = new QLabel(MessageText(List.Heading), this);
    lblHeading->setObjectName("lblDifferences");
    lblHeading->setWordWrap(true);
    layout->addWidget(lblHeading);

    lvDifferences = new QTreeWidget(this);
    lvDifferences->setObjectName("lvDifferences");
    lvDifferences->setColumnCount(3);
    lvDifferences->setHeaderLabels({QStringLiteral("Field"), List.FirstCaption, List.SecondCaption});
    lvDifferences->setRootIsDecorated(false);
    lvDifferences->setUniformRowHeights(true);
    lvDifferences->setSelectionBehavior(QAbstractItemView::SelectRows);
    QTreeWidgetItem* page = nullptr;
    for (size_t i = 0; i < List.Rows.size(); ++i) {
        const TWordedDifference& row = List.Rows[i];
        const QString heading = Text(PageHeading(row.PageNo));
        if (!page || page->text(0) != heading) {
            page = new QTreeWidgetItem(lvDifferences, {heading});
            page->setFirstColumnSpanned(true);
            page->setFlags(Qt::ItemIsEnabled);
            QFont bold = page->font(0);
            bold.setBold(true);
            page->setFont(0, bold);
            page->setForeground(0, QColor(PageHeadingColour));
            page->setBackground(0, QColor(PageHeadingBackground));
            page->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(page, {Text(row.Caption), Text(row.First), Text(row.Second)});
        if (row.PageNo > 0 && !row.Control.Path.empty()) item->setData(0, RowRole, QVariant::fromValue(i));
        const QString tip = FieldsTip(row);
        for (int column = 0; column < 3; ++column) item->setToolTip(column, tip);
    }
    lvDifferences->expandAll();
    lvDifferences->header()->setStretchLastSection(false);
    lvDifferences->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const int column : {1, 2}) {
        lvDifferences->resizeColumnToContents(column);
        lvDifferences->setColumnWidth(column, std::min(lvDifferences->columnWidth(column), DialogWidth / 3));
    }
    if (page) lvDifferences->setCurrentItem(lvDifferences->topLevelItem(0)->child(0));
    lvDifferences->installEventFilter(this);
    connect(lvDifferences, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* Item) { GoToRow(Item); });
    layout->addWidget(lvDifferences);

    auto* hint = new QLabel(GoToHint, this);
    hint->setObjectName("lblGoToHint");
    layout->addWidget(hint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool TDifferencesDialog::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == lvDifferences && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lvDifferences->currentItem()) {
            GoToRow(lvDifferences->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TDifferencesDialog::GoToRow(const QTreeWidgetItem* Item)
{
    const QVariant row = Item->data(0, RowRole);
    if (!row.isValid()) return;  // a page's heading, or a row with no control to go to
    FChosenRow = row.value<size_t>();
    accept();
}

} // namespace kvx::ui
