#pragma once
// The Qt form of the message box: no icon, empty caption, a tool window that only its
// buttons close (no close box). Escape presses the answer that changes nothing: Cancel, else
// No, else a lone button.
#include <QMessageBox>
#include <map>

#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

class TKVXMessageBox : public QMessageBox {
    Q_OBJECT
public:
    TKVXMessageBox(const QString& Msg, const TMsgDlgButtons& Buttons, const QStringList& ButtonCaptions,
                   QWidget* Parent = nullptr);

    QAbstractButton* ButtonOf(TMsgDlgBtn Which) const;
    // The result of the button the user pressed, 0 before any.
    int ModalResult() const { return FModalResult; }

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    std::map<TMsgDlgBtn, QAbstractButton*> FButtons;
    int FModalResult = 0;
};

// Carriage returns break lines in the program's messages.
QString MessageText(const QString& Msg);

// Which caption each button takes: walking from the right-most button leftwards, each takes
// the next non-empty caption; the first empty one ends the walk. Buttons in standing order.
std::map<TMsgDlgBtn, QString> ReplacedCaptions(const TMsgDlgButtons& Buttons, const QStringList& ButtonCaptions);

} // namespace kvx::ui
