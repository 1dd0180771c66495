#pragma once
// The modal prompt for the unit's access password. Enter is OK; Escape and the close box count
// as Cancel. The caller empties edPassword on every way out.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kvx::ui {

class TPasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDialog(QWidget* Parent);

    QLabel* Label1;
    QLabel* Label13;
    QLineEdit* edPassword;
    QPushButton* btnSetPassword;
    QPushButton* Button1;

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* Event) override;
};

} // namespace kvx::ui
