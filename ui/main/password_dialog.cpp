#include "ui/main/password_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

namespace {
constexpr int PasswordMaxLength = 32;
}

TPasswordDialog::TPasswordDialog(QWidget* Parent) : QDialog(Parent, Qt::Tool)
{
    setObjectName("frmPassword");
    setWindowTitle(QString());
    setModal(true);
    setFixedSize(222, 138);
    setStyleSheet("QDialog { background: white; } QLabel { color: black; }");

    Label1 = new QLabel("The KVX has been programmed with an acces protection password.", this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 6, 206, 40);
    Label13 = new QLabel("Please enter your password", this);
    Label13->setObjectName("Label13");
    Label13->setGeometry(8, 48, 206, 18);
    edPassword = new QLineEdit(this);
    edPassword->setObjectName("edPassword");
    edPassword->setMaxLength(PasswordMaxLength);
    edPassword->setEchoMode(QLineEdit::Password);
    edPassword->setGeometry(8, 70, 206, 24);
    btnSetPassword = new QPushButton("OK", this);
    btnSetPassword->setObjectName("btnSetPassword");
    btnSetPassword->setGeometry(36, 104, 72, 26);
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(114, 104, 72, 26);
    for (QPushButton* button : {btnSetPassword, Button1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(btnSetPassword, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(Button1, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TPasswordDialog::reject()
{
    // The close box: Cancel, as for any modal window.
    done(mrCancel);
}

void TPasswordDialog::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
    case Qt::Key_Escape:
        done(mrCancel);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(mrOk);
        return;
    default:
        QDialog::keyPressEvent(Event);
    }
}

} // namespace kvx::ui
