// The command bar: read from the unit, write to it, save and load templates.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "config/template_file.h"
#include "link/password_gate.h"
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/password_dialog.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui {

namespace {

const TFileFilter TemplateFilter{TemplateFilterText, TemplateExtension, {}};

} // namespace

bool TMainWindow::DongleReady()
{
    if (KVX && KVX->DeviceConnected()) return true;
    ShowError(DongleNotConnectedText);
    return false;
}

bool TMainWindow::ProvePassword(QString (*FailureMessage)(TKVXResult))
{
    const TPasswordCheck check = ProveUnitPassword(*KVX, [this]() -> std::optional<std::u16string> {
        const int result = Dialogs().ShowPassword(*FPasswordPrompt);
        const QString typed = FPasswordPrompt->edPassword->text();
        FPasswordPrompt->edPassword->clear();
        if (result != mrOk) return std::nullopt;
        return typed.toStdU16String();
    });
    if (check.Outcome == TPasswordOutcome::ReadFailed) ShowError(FailureMessage(check.Code));
    if (check.Outcome == TPasswordOutcome::Incorrect) ShowInformation(IncorrectPasswordText);
    return check.Outcome == TPasswordOutcome::Proven;
}

void TMainWindow::ReadClicked()
{
    TCommandScope running(*this);
    if (!DongleReady()) return;
    if (FDocument.Transfer() == TTransfer::Reading) {
        ReadButton->SetCaption(ReadCaption);
        FDocument.TransferStopping();
        KVX->Terminate();
        return;
    }
    // Another exchange with the unit is under way (this click arrived inside it).
    if (KVX->Busy) return;
    if (FDocument.Changed()) {
        const int answer = TKVXMessageDlg::ShowMessageEx(
            SaveBeforeReadText, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0);
        if (answer == mrYes) {
            SaveTemplateClicked();
            return;
        }
        if (answer == mrCancel) return;
    }
    if (!ProvePassword(ReadFailureText)) return;

    StartTransfer(TTransfer::Reading);
    SayWhatHappened({});
    ShowProgress(0);
    FDocument.ReadStarting();
    TKVXConfig read = ErasedConfig();
    const TKVXResult code = KVX->ReadConfig(&read);
    if (code == TKVXResult::OK) {
        FDocument.UnitHolds(read);
        ConfigToPages();
        ShowingImageOf(UnitName(read));
        SayWhatHappened(ReadFromText(UnitName(read)));
    } else if (code == TKVXResult::Stopped) {
        SayWhatHappened(ReadStoppedText);
    } else {
        SayWhatHappened(FirstLine(ReadFailureText(code)));
        ShowError(ReadFailureText(code));
    }
    ShowProgress(0);
    FDocument.ForgetChanges();
    EndTransfer();
    UpdateUnitCommands();
}

void TMainWindow::WriteClicked()
{
    WriteFromPages(TWriteScope::AllPages);
}

void TMainWindow::WriteChangesOnly()
{
    WriteFromPages(TWriteScope::ChangedPages);
}

void TMainWindow::WriteFromPages(TWriteScope Scope)
{
    TCommandScope running(*this);
    if (!DongleReady()) return;
    if (FDocument.Transfer() == TTransfer::Writing) {
        WriteButton->SetCaption(WriteCaption);
        FDocument.TransferStopping();
        KVX->Terminate();
        return;
    }
    if (KVX->Busy) return;
    if (!FDocument.HasBeenRead() && !FDocument.TemplateLoaded() && !FDocument.Changed()) {
        ShowInformation(ReadFirstText);
        return;
    }
    if (!PagesToConfig(true)) return;
    if (!BackupFolderReady()) return;
    if (!ProvePassword(WriteFailureText)) return;

    // A copy: a template loaded while the write runs replaces the document's image.
    const TKVXConfig written = FDocument.WriteStarting();
    const TUnitWriteResult result = RunWrite(written, Scope);
    FDocument.WriteEnded(result, UnitName(written).toStdU16String());
    UpdateTitle();
    ReportWrite(result);
}

bool TMainWindow::BackupFolderReady()
{
    // A write without its backup does not start: nothing goes to the unit.
    std::string reason;
    if (PrepareBackupFolder(FBackupFolder.toStdU16String(), reason)) return true;
    ShowError(BackupFailedText(QDir::toNativeSeparators(FBackupFolder), reason));
    return false;
}

TUnitWriteResult TMainWindow::RunWrite(const TKVXConfig& Image, TWriteScope Scope)
{
    StartTransfer(TTransfer::Writing);
    SayWhatHappened({});
    ShowProgress(0);
    const TUnitWriteResult result =
        BackUpWriteAndVerify(*KVX, Image, {FBackupFolder.toStdU16String(), FClock, VerifyWrites, Scope});
    ShowProgress(0);
    EndTransfer();
    if (!result.BackupFile.empty())
        SayWhatHappened(WriteEndedCaption(result), QDir::toNativeSeparators(QString::fromStdU16String(result.BackupFile.u16string())));
    UpdateUnitCommands();
    return result;
}

bool TMainWindow::ReadUnitMemory()
{
    StartTransfer(TTransfer::Reading);
    ShowProgress(0);
    TKVXConfig held = ErasedConfig();
    const TKVXResult code = KVX->ReadConfig(&held);
    ShowProgress(0);
    EndTransfer();
    UpdateUnitCommands();
    if (code != TKVXResult::OK && code != TKVXResult::Stopped) ShowError(NothingWrittenText(code));
    return code == TKVXResult::OK;
}

void TMainWindow::StartTransfer(TTransfer Kind)
{
    FDocument.TransferStarted(Kind);
    // The other button waits; this one stops the transfer.
    if (Kind == TTransfer::Reading) {
        WriteButton->setEnabled(false);
        ReadButton->SetCaption(StopReadingCaption);
    } else {
        ReadButton->setEnabled(false);
        WriteButton->SetCaption(StopWritingCaption);
    }
}

void TMainWindow::EndTransfer()
{
    FDocument.TransferEnded();
    ReadButton->setEnabled(true);
    WriteButton->setEnabled(true);
    ReadButton->SetCaption(ReadCaption);
    WriteButton->SetCaption(WriteCaption);
}

void TMainWindow::ReportWrite(const TUnitWriteResult& Result)
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

void TMainWindow::SaveTemplateClicked()
{
    SaveTemplateAs();
}

bool TMainWindow::SaveTemplateAs()
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
    if (!SaveTemplate(fileName.toStdU16String(), FDocument.Image(), reason)) {
        ShowError(TemplateSaveFailedMessage(shownName, QString::fromStdString(reason)));
        return false;
    }
    const QString name = QFileInfo(fileName).fileName();
    ShowingImageOf(name);
    SayWhatHappened(SavedText(name), shownName);
    return true;
}

bool TMainWindow::UnsavedEditsMayGo(const QString& Before)
{
    if (!FDocument.UnsavedEdits()) return true;
    const int answer = TKVXMessageDlg::ShowMessageEx(UnsavedEditsQuestion(Before), TMsgDlgType::mtConfirmation,
                                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel},
                                                     UnsavedEditsCaptions, 0);
    if (answer == mrYes) return SaveTemplateAs();
    return answer == mrNo;
}

void TMainWindow::LoadTemplateClicked()
{
    TCommandScope running(*this);
    if (!UnsavedEditsMayGo(LoadingWords)) return;
    LoadTemplateFile(Dialogs().OpenFileName(TemplateFilter));
}

void TMainWindow::LoadTemplateFile(const QString& FileName)
{
    if (FileName.isEmpty()) return;
    SayWhatHappened({});
    const QString shownName = QDir::toNativeSeparators(FileName);
    TKVXConfig loaded;
    std::string reason;
    if (!LoadTemplate(FileName.toStdU16String(), loaded, reason)) {
        ShowError(TemplateLoadFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    FDocument.TemplateLoadedAs(loaded);
    ConfigToPages();
    const QString name = QFileInfo(FileName).fileName();
    ShowingImageOf(name);
    SayWhatHappened(LoadedText(name), shownName);
}

void TMainWindow::SayWhatHappened(const QString& Line, const QString& Tip)
{
    // The panel lets a long name give way in its middle when drawn; the tip has it whole.
    StatusLine->SetCaption(Line);
    StatusLine->setToolTip(Tip);
}

} // namespace kvx::ui
