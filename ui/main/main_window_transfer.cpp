// The command bar: read from the unit, write to it, save and load templates.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "config/template_file.h"
#include "link/password_gate.h"
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"
#include "ui/main/dialog_service.h"
#include "ui/main/hidden_setting.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/password_dialog.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui {

namespace {

const TFileFilter TemplateFilter{TemplateFilterText, TemplateExtension, {}};

} // namespace

bool TfrmMain::DongleReady()
{
    if (KVX && KVX->DeviceConnected()) return true;
    ShowError(DongleNotConnectedText);
    return false;
}

bool TfrmMain::ProvePassword(QString (*FailureMessage)(TKVXResult))
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
    SayWhatHappened({});
    ProgressBarState(0);
    ConfigChanged = false;
    KVXConfig = ErasedConfig();
    const TKVXResult code = KVX->ReadConfig(&KVXConfig);
    if (code == TKVXResult::OK) {
        KVXHasBeenRead = true;
        if (QLineEdit* hidden = HiddenSettingEdit()) hidden->setText(HiddenSettingText(KVXConfig.Bytes()[HiddenSettingOffset]));
        ConfigToPages();
        ShowingImageOf(UnitName(KVXConfig));
        SayWhatHappened(ReadFromText(UnitName(KVXConfig)));
    } else if (code == TKVXResult::Stopped) {
        SayWhatHappened(ReadStoppedText);
    } else {
        SayWhatHappened(FirstLine(ReadFailureText(code)));
        ShowError(ReadFailureText(code));
    }
    ProgressBarState(0);
    ConfigChanged = false;
    pnlWriteConfig->setEnabled(true);
    pnlReadConfig->SetCaption(ReadCaption);
    UpdateUnitCommands();
}

void TfrmMain::pnlWriteConfigClick()
{
    WriteFromPages(TWriteScope::AllPages);
}

void TfrmMain::WriteChangesOnly()
{
    WriteFromPages(TWriteScope::ChangedPages);
}

void TfrmMain::WriteFromPages(TWriteScope Scope)
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
    if (!BackupFolderReady()) return;
    if (!ProvePassword(WriteFailureText)) return;

    KVXConfig.Bytes()[HiddenSettingOffset] = HiddenSettingToWrite();
    // Edits that arrive while the write runs (a template loaded meanwhile) are not in the unit.
    const bool changedBefore = ConfigChanged;
    const bool unsavedBefore = UnsavedEdits;
    ConfigChanged = false;
    UnsavedEdits = false;
    const TKVXConfig written = KVXConfig;
    const TUnitWriteResult result = RunWrite(written, Scope);
    if (result.Written()) {
        KVXHasBeenRead = true;
        // The unit holds something else than the pages: a later read should still ask.
        if (result.Step == TWriteStep::Verify) ConfigChanged = true;
    } else {
        ConfigChanged = ConfigChanged || changedBefore;
    }
    // Only a verified write, or one not to be verified, puts the edits safely in the unit.
    if (result.Step == TWriteStep::Done) FImageName = UnitName(written);
    else UnsavedEdits = UnsavedEdits || unsavedBefore;
    UpdateTitle();
    ReportWrite(result);
}

bool TfrmMain::BackupFolderReady()
{
    // A write without its backup does not start: nothing goes to the unit.
    std::string reason;
    if (PrepareBackupFolder(FBackupFolder.toStdU16String(), reason)) return true;
    ShowError(BackupFailedText(QDir::toNativeSeparators(FBackupFolder), reason));
    return false;
}

TUnitWriteResult TfrmMain::RunWrite(const TKVXConfig& Image, TWriteScope Scope)
{
    pnlReadConfig->setEnabled(false);
    pnlWriteConfig->SetCaption(StopWritingCaption);
    SayWhatHappened({});
    ProgressBarState(0);
    const TUnitWriteResult result =
        BackUpWriteAndVerify(*KVX, Image, {FBackupFolder.toStdU16String(), FClock, VerifyWrites, Scope});
    ProgressBarState(0);
    pnlReadConfig->setEnabled(true);
    pnlWriteConfig->SetCaption(WriteCaption);
    if (!result.BackupFile.empty())
        SayWhatHappened(WriteEndedCaption(result), QDir::toNativeSeparators(QString::fromStdU16String(result.BackupFile.u16string())));
    UpdateUnitCommands();
    return result;
}

bool TfrmMain::ReadUnitMemory()
{
    pnlWriteConfig->setEnabled(false);
    pnlReadConfig->SetCaption(StopReadingCaption);
    ProgressBarState(0);
    TKVXConfig held = ErasedConfig();
    const TKVXResult code = KVX->ReadConfig(&held);
    ProgressBarState(0);
    pnlWriteConfig->setEnabled(true);
    pnlReadConfig->SetCaption(ReadCaption);
    UpdateUnitCommands();
    if (code != TKVXResult::OK && code != TKVXResult::Stopped) ShowError(NothingWrittenText(code));
    return code == TKVXResult::OK;
}

uint8_t TfrmMain::HiddenSettingToWrite() const
{
    // Without the General setup page nothing was carried: the unit gets the default.
    const QLineEdit* hidden = HiddenSettingEdit();
    return HiddenSettingValue(hidden ? hidden->text() : QString(HiddenSettingDefault));
}

void TfrmMain::ReportWrite(const TUnitWriteResult& Result)
{
    switch (Result.Step) {
    case TWriteStep::ReadBefore:
        if (Result.Code != TKVXResult::Stopped) ShowError(NothingWrittenText(Result.Code));
        break;
    case TWriteStep::Write:
        // Part old, part new: the backup is the way back, offered at once.
        if (Result.PartlyWritten()) {
            const int answer = TKVXMessageDlg::ShowMessageEx(PartlyWrittenQuestion(Result), TMsgDlgType::mtWarning,
                                                             {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0);
            if (answer == mrYes) RestoreBackupFile(QString::fromStdU16String(Result.BackupFile.u16string()), false);
        } else if (Result.Code != TKVXResult::Stopped) {
            ShowError(WriteFailureText(Result.Code));
        }
        break;
    case TWriteStep::Backup:
        ShowError(BackupFailedText(QDir::toNativeSeparators(FBackupFolder), Result.BackupReason));
        break;
    case TWriteStep::ReadBack:
        // Stopped while verifying: the write itself went through.
        if (Result.Code != TKVXResult::Stopped) ShowError(ReadBackFailedText(Result.Code));
        break;
    case TWriteStep::Verify:
        Dialogs().ShowDifferences({VerifyFailedText(Result.Differences), WrittenColumn, UnitHoldsColumn, Result.Differences});
        break;
    case TWriteStep::Done:
        break;
    }
}

void TfrmMain::Panel4Click()
{
    SaveTemplateAs();
}

bool TfrmMain::SaveTemplateAs()
{
    TCommandScope running(*this);
    const QString fileName = Dialogs().SaveFileName(TemplateFilter);
    if (fileName.isEmpty()) return false;
    SayWhatHappened({});
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (!PagesToConfig(false)) {
        ShowError(TemplateNotSavedMessage(shownName));
        return false;
    }
    std::string reason;
    if (!SaveTemplate(fileName.toStdU16String(), KVXConfig, reason)) {
        ShowError(TemplateSaveFailedMessage(shownName, QString::fromStdString(reason)));
        return false;
    }
    const QString name = QFileInfo(fileName).fileName();
    ShowingImageOf(name);
    SayWhatHappened(SavedText(name), shownName);
    return true;
}

bool TfrmMain::UnsavedEditsMayGo(const QString& Before)
{
    if (!UnsavedEdits) return true;
    const int answer = TKVXMessageDlg::ShowMessageEx(UnsavedEditsQuestion(Before), TMsgDlgType::mtConfirmation,
                                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel},
                                                     UnsavedEditsCaptions, 0);
    if (answer == mrYes) return SaveTemplateAs();
    return answer == mrNo;
}

void TfrmMain::Panel5Click()
{
    TCommandScope running(*this);
    if (!UnsavedEditsMayGo(LoadingWords)) return;
    LoadTemplateFile(Dialogs().OpenFileName(TemplateFilter));
}

void TfrmMain::LoadTemplateFile(const QString& FileName)
{
    if (FileName.isEmpty()) return;
    SayWhatHappened({});
    const QString shownName = QDir::toNativeSeparators(FileName);
    std::string reason;
    if (!LoadTemplate(FileName.toStdU16String(), KVXConfig, reason)) {
        ShowError(TemplateLoadFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    ConfigToPages();
    ConfigLoaded = true;
    const QString name = QFileInfo(FileName).fileName();
    ShowingImageOf(name);
    SayWhatHappened(LoadedText(name), shownName);
}

void TfrmMain::SayWhatHappened(const QString& Line, const QString& Tip)
{
    // The panel lets a long name give way in its middle when drawn; the tip has it whole.
    Panel2->SetCaption(Line);
    Panel2->setToolTip(Tip);
}

} // namespace kvx::ui
