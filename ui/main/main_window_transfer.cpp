// The command bar: read from the unit, write to it, save and load templates.
#include <QDir>
#include <QLineEdit>

#include "config/template_file.h"
#include "link/password_gate.h"
#include "ui/main/dialog_service.h"
#include "ui/main/hidden_setting.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/password_dialog.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui {

// Marks a command as running, so a close request waits until it has left the stack.
class TfrmMain::TCommandScope {
public:
    explicit TCommandScope(TfrmMain& Window) : FWindow(Window) { ++FWindow.FCommandDepth; }
    ~TCommandScope() { --FWindow.FCommandDepth; }
    TCommandScope(const TCommandScope&) = delete;
    TCommandScope& operator=(const TCommandScope&) = delete;

private:
    TfrmMain& FWindow;
};

namespace {

void ShowError(const QString& Message)
{
    TKVXMessageDlg::ShowMessageEx(Message, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0);
}

void ShowInformation(const QString& Message)
{
    TKVXMessageDlg::ShowMessageEx(Message, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
}

const TFileFilter TemplateFilter{TemplateFilterText, TemplateExtension};

} // namespace

bool TfrmMain::DongleReady()
{
    if (KVX && KVX->DeviceConnected()) return true;
    ShowError(DongleNotConnectedText);
    return false;
}

bool TfrmMain::ProvePassword(QString (*FailureMessage)(uint8_t))
{
    const TPasswordCheck check = ProveUnitPassword(*KVX, [this]() -> std::optional<std::u16string> {
        const int result = Dialogs().ShowPassword(*frmPassword);
        const QString typed = frmPassword->edPassword->text();
        frmPassword->edPassword->clear();
        if (result != mrOk) return std::nullopt;
        return typed.toStdU16String();
    });
    if (check.Outcome == TPasswordOutcome::ReadFailed) ShowError(FailureMessage(check.Code));
    if (check.Outcome == TPasswordOutcome::Incorrect) ShowInformation(IncorrectPasswordText);
    return check.Outcome == TPasswordOutcome::Proven;
}

void TfrmMain::pnlReadConfigClick()
{
    TCommandScope running(*this);
    if (!DongleReady()) return;
    if (pnlReadConfig->Caption() == StopReadingCaption) {
        pnlReadConfig->SetCaption(ReadCaption);
        KVX->Terminate();
        return;
    }
    // Another exchange with the unit is under way (this click arrived inside it).
    if (KVX->Busy) return;
    if (ConfigChanged) {
        const int answer = TKVXMessageDlg::ShowMessageEx(
            SaveBeforeReadText, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0);
        if (answer == mrYes) {
            Panel4Click();
            return;
        }
        if (answer == mrCancel) return;
    }
    if (!ProvePassword(ReadFailureText)) return;

    pnlWriteConfig->setEnabled(false);
    pnlReadConfig->SetCaption(StopReadingCaption);
    ProgressBarState(0);
    ConfigChanged = false;
    KVXConfig = ErasedConfig();
    const uint8_t code = KVX->ReadConfig(&KVXConfig);
    if (code == ResultOK) {
        KVXHasBeenRead = true;
        if (QLineEdit* hidden = HiddenSettingEdit()) hidden->setText(HiddenSettingText(KVXConfig.Bytes()[HiddenSettingOffset]));
        ConfigToPages();
    } else if (code != ResultStopped) {
        ShowError(ReadFailureText(code));
    }
    ProgressBarState(0);
    ConfigChanged = false;
    pnlWriteConfig->setEnabled(true);
    pnlReadConfig->SetCaption(ReadCaption);
}

void TfrmMain::pnlWriteConfigClick()
{
    TCommandScope running(*this);
    if (!DongleReady()) return;
    if (pnlWriteConfig->Caption() == StopWritingCaption) {
        pnlWriteConfig->SetCaption(WriteCaption);
        KVX->Terminate();
        return;
    }
    if (KVX->Busy) return;
    if (!KVXHasBeenRead && !ConfigLoaded && !ConfigChanged) {
        ShowInformation(ReadFirstText);
        return;
    }
    if (!PagesToConfig(true)) return;
    if (!ProvePassword(WriteFailureText)) return;

    pnlReadConfig->setEnabled(false);
    pnlWriteConfig->SetCaption(StopWritingCaption);
    ProgressBarState(0);
    // Without the General setup page nothing was carried: the unit gets the default.
    const QLineEdit* hidden = HiddenSettingEdit();
    KVXConfig.Bytes()[HiddenSettingOffset] = HiddenSettingValue(hidden ? hidden->text() : QString(HiddenSettingDefault));
    const uint8_t code = KVX->WriteConfig(&KVXConfig);
    if (code == ResultOK) {
        ConfigChanged = false;
        KVXHasBeenRead = true;
    } else if (code != ResultStopped) {
        ShowError(WriteFailureText(code));
    }
    ProgressBarState(0);
    pnlReadConfig->setEnabled(true);
    pnlWriteConfig->SetCaption(WriteCaption);
}

void TfrmMain::Panel4Click()
{
    TCommandScope running(*this);
    const QString fileName = Dialogs().SaveFileName(TemplateFilter);
    if (fileName.isEmpty()) return;
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (!PagesToConfig(false)) {
        ShowError(TemplateNotSavedMessage(shownName));
        return;
    }
    std::string reason;
    if (!SaveTemplate(fileName.toStdU16String(), KVXConfig, reason))
        ShowError(TemplateSaveFailedMessage(shownName, QString::fromStdString(reason)));
}

void TfrmMain::Panel5Click()
{
    TCommandScope running(*this);
    const QString fileName = Dialogs().OpenFileName(TemplateFilter);
    if (fileName.isEmpty()) return;
    std::string reason;
    if (!LoadTemplate(fileName.toStdU16String(), KVXConfig, reason)) {
        ShowError(TemplateLoadFailedMessage(QDir::toNativeSeparators(fileName), QString::fromStdString(reason)));
        return;
    }
    ConfigToPages();
    ConfigLoaded = true;
}

} // namespace kvx::ui
