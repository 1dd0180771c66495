#pragma once
// What the installer adds to a commissioning report: their name, the site and notes, each
// optional; the fields start from what was given last.
#include <QDialog>

#include "transfer/commissioning_report.h"

class QLineEdit;
class QPlainTextEdit;

namespace kvx::ui {

class TReportDetailsDialog : public QDialog {
    Q_OBJECT
public:
    TReportDetailsDialog(const TReportDetails& Details, QWidget* Parent);
    // The installer's fields of Details as typed.
    void TakeInto(TReportDetails& Details) const;

    QLineEdit* edInstaller;
    QLineEdit* edSite;
    QPlainTextEdit* edNotes;
};

} // namespace kvx::ui
