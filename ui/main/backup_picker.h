#pragma once
// The restore's choice of backup: one row per backup (unit, when it was made, size), newest
// first, the newest chosen; OK or a double click takes the chosen one.
#include <QDialog>
#include <vector>

#include "transfer/backup_store.h"
#include "ui/main/dialog_service.h"

class QTableWidget;

namespace kvx::ui {

// The picker's rows for the backups as ListBackups gives them.
std::vector<TBackupRow> BackupRows(const std::vector<TBackupFile>& Backups);

class TBackupPicker : public QDialog {
    Q_OBJECT
public:
    TBackupPicker(const std::vector<TBackupRow>& Backups, QWidget* Parent);
    int ChosenRow() const;

    QTableWidget* lvBackups;
};

} // namespace kvx::ui
