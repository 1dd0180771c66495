#include "ui/pages/security_setup_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/page_captions.h"
#include "config/security_setup.h"
#include "link/new_password.h"
#include "ui/main/dialog_service.h"
#include "ui/main/transfer_texts.h"
#include "ui/widgets/page_controls.h"

namespace kvx::ui {

namespace {

constexpr int PINLength = 4;

constexpr const char* PINRequiredText = "Please enter a 4 digit command PIN.";
constexpr const char* FirstReadText = "First read the configuration.";
constexpr const char* SetPasswordQuestion =
    "You are about to limit future programming access to this unit.\r"
    "Please make sure that you remember your password for future programming access.\r\r"
    "Are you sure you would like to change the password?";
constexpr const char* ClearPasswordQuestion =
    "You are about to clear the password.\r\rAre you sure you would like to clear the password?";

void Show(const QString& Text, TMsgDlgType Type)
{
    TKVXMessageDlg::ShowMessageEx(Text, Type, {TMsgDlgBtn::mbOK}, 0);
}

bool Confirmed(const QString& Question)
{
    return TKVXMessageDlg::ShowMessageEx(Question, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0) == mrYes;
}

QLineEdit* NewPasswordEdit(QWidget* Parent, const char* Name, int Y)
{
    QLineEdit* edit = NewTextEdit(Parent, Name, static_cast<int>(PasswordLength), QRect(200, Y, 220, 26));
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

TSecuritySetupPage::TSecuritySetupPage(IPageHost& Host, QWidget* Parent) : TKVXPage(Parent), FHost(Host)
{
    NewHeading(this, CommandPINCaption, QRect(24, 16, 300, 20));
    edPIN = NewDigitsEdit(this, "edPIN", PINLength, QRect(24, 44, 80, 26));
    edPIN->setAlignment(Qt::AlignCenter);
    edPIN->setText("8642");
    NewNote(this, "PIN required to action remote SMS commands.", QRect(120, 48, 500, 20));

    cbSMSSenderVerify = NewCheckBox(this, "cbSMSSenderVerify", SMSSenderVerifyCaption, QRect(24, 96, 200, 24));
    NewNote(this,
            "If enabled, the KVX will only action SMS commands sent from mobile numbers contained in the message "
            "recipient fields - does not affect missed calls.",
            QRect(44, 124, 560, 40));
    btnGoToRecipients = NewButton(this, "Button9", "Go to message recipient list", QRect(44, 168, 220, 28));

    NewHeading(this, AccessPasswordCaption, QRect(24, 230, 400, 20));
    NewNote(this, "Enter a password where restricted unit programming access is required.", QRect(24, 254, 600, 20));
    NewLabel(this, "New password", QRect(24, 286, 170, 26));
    edNewPassword = NewPasswordEdit(this, "edNewPassword", 286);
    NewLabel(this, "Confirm password", QRect(24, 320, 170, 26));
    edVerifyPassword = NewPasswordEdit(this, "edVerifyPassword", 320);
    btnSetPassword = NewButton(this, "btnSetPassword", "Set password", QRect(200, 360, 140, 28));

    connect(edPIN, &QLineEdit::textChanged, this, [this] { FHost.MarkConfigChanged(); });
    connect(cbSMSSenderVerify, &QCheckBox::toggled, this, [this] { FHost.MarkConfigChanged(); });
    connect(btnGoToRecipients, &QPushButton::clicked, this, [this] { FHost.BringPageForward(MessageRecipientsPageNo); });
    connect(btnSetPassword, &QPushButton::clicked, this, [this] { SetPasswordClicked(); });
}

QString TSecuritySetupPage::CommandPin() const
{
    return edPIN->text();
}

void TSecuritySetupPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    edPIN->setText(QString::fromStdU16String(DecodeCommandPIN(KVXConfig)));
    cbSMSSenderVerify->setChecked(DecodeVerifySender(KVXConfig));
}

bool TSecuritySetupPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    if (ConfigAssistant && edPIN->text().size() != PINLength) {
        Show(PINRequiredText, TMsgDlgType::mtInformation);
        FHost.BringPageForward(SecuritySetupPageNo);
        return false;
    }
    EncodeCommandPIN(KVXConfig, edPIN->text().toStdU16String());
    EncodeVerifySender(KVXConfig, cbSMSSenderVerify->isChecked());
    return true;
}

bool TSecuritySetupPage::PasswordChangeAllowed()
{
    TKVX& kvx = *FHost.Device();
    if (!kvx.DeviceConnected()) {
        Show(DongleNotConnectedText, TMsgDlgType::mtError);
        return false;
    }
    if (!FHost.HasBeenRead()) {
        Show(FirstReadText, TMsgDlgType::mtInformation);
        return false;
    }
    // A password that could not be read is not "no password": say so and change nothing.
    std::u16string stored;
    if (const TKVXResult code = kvx.ReadPassword(stored); code != TKVXResult::OK) {
        Show(ReadFailureText(code), TMsgDlgType::mtError);
        return false;
    }
    if (!stored.empty() && stored != kvx.SessionPassword) {
        Show(FirstReadText, TMsgDlgType::mtInformation);
        return false;
    }
    return true;
}

void TSecuritySetupPage::ClearPasswordEdits()
{
    edNewPassword->clear();
    edVerifyPassword->clear();
}

void TSecuritySetupPage::SetPasswordClicked()
{
    if (!PasswordChangeAllowed()) return;
    const QString password = edNewPassword->text();
    if (password != edVerifyPassword->text()) {
        ClearPasswordEdits();
        Show(QString::fromUtf16(PasswordMismatchMessage), TMsgDlgType::mtError);
        return;
    }
    // Only what the unit stores and gives back unchanged: anything else locks the installer out.
    if (const auto problem = NewPasswordProblem(password.toStdU16String())) {
        Show(QString::fromStdU16String(*problem), TMsgDlgType::mtError);
        return;
    }
    if (!Confirmed(password.isEmpty() ? ClearPasswordQuestion : SetPasswordQuestion)) return;
    TKVX& kvx = *FHost.Device();
    const TPasswordStoreResult stored = StoreNewPassword(kvx, password.toStdU16String());
    switch (stored.Outcome) {
    case TPasswordStore::WriteFailed:
        Show(QString::fromUtf16(PasswordWriteFailedMessage), TMsgDlgType::mtError);
        return;
    case TPasswordStore::ReadBackFailed:
        Show(ReadFailureText(stored.Code), TMsgDlgType::mtError);
        break;
    case TPasswordStore::NotKept:
        Show(QString::fromUtf16(PasswordNotKeptMessage), TMsgDlgType::mtError);
        break;
    case TPasswordStore::Stored:
        break;
    }
    // The next read or write asks for the password the unit now holds.
    kvx.SessionPassword.clear();
    if (stored.Outcome == TPasswordStore::Stored) ClearPasswordEdits();
}

} // namespace kvx::ui
