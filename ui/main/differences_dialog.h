#pragma once
// The list of where two configurations differ: a message above, the rows grouped under their
// pages' names in menu order, each with its caption and both values in the pages' words, and
// an OK button. A double-click or Enter on a row closes the list and names that row, so the
// window can take the user to its page and control.
#include <QDialog>
#include <optional>

#include "ui/main/dialog_service.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvx::ui {

class TDifferencesDialog : public QDialog {
    Q_OBJECT
public:
    TDifferencesDialog(const TDifferenceList& List, QWidget* Parent);

    // The row chosen to go to; none while no row was chosen.
    std::optional<size_t> ChosenRow() const { return FChosenRow; }

    QLabel* lblHeading;
    QTreeWidget* lvDifferences;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void GoToRow(const QTreeWidgetItem* Item);

    std::optional<size_t> FChosenRow;
};

} // namespace kvx::ui
