#pragma once
// The list of fields in which two configurations differ: a message above, one row per field
// with both values, and an OK button.
#include <QDialog>

#include "ui/main/dialog_service.h"

class QLabel;
class QTableWidget;

namespace kvx::ui {

class TdlgDifferences : public QDialog {
    Q_OBJECT
public:
    TdlgDifferences(const TDifferenceList& List, QWidget* Parent);

    QLabel* lblHeading;
    QTableWidget* lvDifferences;
};

} // namespace kvx::ui
