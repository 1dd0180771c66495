#include "ui/main/differences_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/main/kvx_message_box.h"

namespace kvx::ui {

namespace {

constexpr int DialogWidth = 720;
constexpr int DialogHeight = 440;

} // namespace

TdlgDifferences::TdlgDifferences(const TDifferenceList& List, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("dlgDifferences");
    setWindowTitle("KVX");
    resize(DialogWidth, DialogHeight);
    auto* layout = new QVBoxLayout(this);
    lblHeading = new QLabel(MessageText(List.Heading), this);
    lblHeading->setObjectName("lblDifferences");
    lblHeading->setWordWrap(true);
    layout->addWidget(lblHeading);

    lvDifferences = new QTableWidget(static_cast<int>(List.Rows.size()), 3, this);
    lvDifferences->setObjectName("lvDifferences");
    lvDifferences->setHorizontalHeaderLabels({"Field", List.FirstCaption, List.SecondCaption});
    lvDifferences->verticalHeader()->hide();
    lvDifferences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvDifferences->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < lvDifferences->rowCount(); ++row) {
        const TFieldDifference& d = List.Rows[static_cast<size_t>(row)];
        const QString cells[] = {QString::fromStdString(d.Name), QString::fromStdString(d.First),
                                 QString::fromStdString(d.Second)};
        for (int column = 0; column < 3; ++column) lvDifferences->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    lvDifferences->resizeColumnToContents(0);
    lvDifferences->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lvDifferences->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(lvDifferences);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace kvx::ui
