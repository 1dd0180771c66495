#include "ui/main/backup_picker.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvx::ui {

namespace {

constexpr int DialogWidth = 620;
constexpr int DialogHeight = 400;

} // namespace

std::vector<TBackupRow> BackupRows(const std::vector<TBackupFile>& Backups)
{
    std::vector<TBackupRow> rows;
    for (const TBackupFile& b : Backups) {
        QString unit = QString::fromStdString(b.UnitName);
        if (!b.IMEI.empty()) unit += ", IMEI " + QString::fromStdString(b.IMEI);
        rows.push_back({unit, QString::fromStdString(DateTimeText(b.Time)), QString::number(b.Size) + " bytes"});
    }
    return rows;
}

TBackupPicker::TBackupPicker(const std::vector<TBackupRow>& Backups, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("dlgBackups");
    setWindowTitle("KVX");
    resize(DialogWidth, DialogHeight);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel("Choose the backup to restore to the KVX:", this);
    heading->setObjectName("lblBackups");
    layout->addWidget(heading);

    lvBackups = new QTableWidget(static_cast<int>(Backups.size()), 3, this);
    lvBackups->setObjectName("lvBackups");
    lvBackups->setHorizontalHeaderLabels({"Unit", "Made", "Size"});
    lvBackups->verticalHeader()->hide();
    lvBackups->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvBackups->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvBackups->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < lvBackups->rowCount(); ++row) {
        const TBackupRow& b = Backups[static_cast<size_t>(row)];
        const QString cells[] = {b.Unit, b.Made, b.Size};
        for (int column = 0; column < 3; ++column) lvBackups->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    lvBackups->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvBackups->resizeColumnToContents(1);
    lvBackups->resizeColumnToContents(2);
    if (lvBackups->rowCount() > 0) lvBackups->selectRow(0);
    layout->addWidget(lvBackups);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("Restore\u2026");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lvBackups, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int TBackupPicker::ChosenRow() const
{
    return lvBackups->currentRow();
}

} // namespace kvx::ui
