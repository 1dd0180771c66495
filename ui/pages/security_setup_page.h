#pragma once
// Security setup: the command PIN remote SMS commands must carry, SMS sender verification,
// and the unit's programming access password, set or cleared in the unit at once.
#include "ui/main/page_contract.h"
#include "ui/pages/page_roles.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kvx::ui {

class TSecuritySetupPage : public TKVXPage, public ICommandPin {
public:
    TSecuritySetupPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    void SetPasswordClicked();
    QString CommandPin() const override;

    QLineEdit* edPIN;
    QCheckBox* cbSMSSenderVerify;
    QPushButton* btnGoToRecipients;
    QLineEdit* edNewPassword;
    QLineEdit* edVerifyPassword;
    QPushButton* btnSetPassword;

private:
    // Whether the unit's password may be changed now; says why not when it may not.
    bool PasswordChangeAllowed();
    void ClearPasswordEdits();

    IPageHost& FHost;
};

} // namespace kvx::ui
