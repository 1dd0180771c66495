// The command bar's menu button: compare the pages with a template, list what a write would
// change in the unit, write only those changes, restore a backup, switch verification of
// writes, and the default country code of telephone numbers.
#include <QDir>
#include <QMenu>
#include <cstring>

#include "config/phone_number.h"
#include "config/words_compare.h"
#include "config/template_file.h"
#include "transfer/backup_store.h"
#include "transfer/memory_compare.h"
#include "transfer/unit_write.h"
#include "ui/main/backup_picker.h"
#include "ui/main/colours.h"
#include "ui/main/commissioning_texts.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui {

void TMainWindow::BuildMoreCommands()
{
    MoreCommandsButton = new TPanel("pnlMoreCommands", MoreCommandsCaption, this);
    MoreCommandsButton->Alignment = Qt::AlignCenter;
    MoreCommandsButton->SetColours(WindowColour, ReleasedCaptionColour);
    FMoreCommands = new QMenu(this);
    FMoreCommands->setObjectName("mnuMoreCommands");
    FMoreCommands->addAction(CompareWithTemplateCaption, this, [this] { CompareWithTemplate(); });
    FShowChanges = FMoreCommands->addAction(ShowChangesCaption, this, [this] { ShowChanges(); });
    FWriteChanges = FMoreCommands->addAction(WriteChangesCaption, this, [this] { WriteChangesOnly(); });
    FWriteChanges->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    FWriteChanges->setShortcutContext(Qt::WindowShortcut);
    addAction(FWriteChanges);  // the shortcut works with the menu closed
    FMoreCommands->addAction(RestoreBackupCaption, this, [this] { RestoreBackup(); });
    FMoreCommands->addAction(SaveReportCaption, this, [this] { SaveReport(); });
    FMoreCommands->addSeparator();
    FMoreCommands->addAction(DefaultCountryCodeCaption, this, [this] { ChooseDefaultCountryCode(); });
    QAction* verify = FMoreCommands->addAction(VerifyWritesCaption);
    verify->setCheckable(true);
    connect(verify, &QAction::toggled, this, [this](bool On) { VerifyWrites = On; });
    connect(FMoreCommands, &QMenu::aboutToShow, this, [this, verify] {
        UpdateUnitCommands();
        verify->setChecked(VerifyWrites);
    });
    UpdateUnitCommands();
    // Not exec(): the menu must never hold up a transfer that lets the window run.
    connect(MoreCommandsButton, &TPanel::Clicked, this, [this](TPanel* p) {
        FMoreCommands->popup(p->mapToGlobal(QPoint(0, -FMoreCommands->sizeHint().height())));
    });
    connect(MoreCommandsButton, &TPanel::MouseDown, this, [](TPanel* p) { p->SetFontColor(PressedCaptionColour); });
    connect(MoreCommandsButton, &TPanel::MouseUp, this, [](TPanel* p) { p->SetFontColor(ReleasedCaptionColour); });
}

void TMainWindow::CompareWithTemplate()
{
    TCommandScope running(*this);
    const QString fileName = Dialogs().OpenFileName({TemplateFilterText, TemplateExtension, {}});
    if (fileName.isEmpty()) return;
    const QString shownName = QDir::toNativeSeparators(fileName);
    TKVXConfig other;
    std::string reason;
    if (!LoadTemplate(fileName.toStdU16String(), other, reason)) {
        ShowError(TemplateLoadFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    // The pages as a template save would store them; a page that refuses has said why.
    if (!PagesToConfig(false)) return;
    auto differences = WordedDifferences(FDocument.Image(), other);
    if (differences.empty()) ShowInformation(SameAsTemplateText);
    else ShowDifferenceList(ComparedWithTemplateHeading(shownName), PagesColumn, TemplateColumn, std::move(differences));
}

void TMainWindow::ShowChanges()
{
    TCommandScope running(*this);
    if (!KVX || KVX->Busy) return;
    if (!KVX->UnitMemoryKnown()) {
        ShowInformation(ReadBeforeChangesText);
        return;
    }
    TKVXConfig held;
    std::memcpy(held.Bytes(), KVX->EEPROMBuffer(), TKVXConfig::Size);
    // The image exactly as a write would send it; a page that refuses has said why.
    if (!PagesToConfig(false)) return;
    TKVXConfig sent = FDocument.ImageToWrite();
    MarkImageForUnit(sent, KVX->SessionPassword);
    auto differences = WordedDifferences(held, sent);
    if (differences.empty()) ShowInformation(NoChangesText);
    else ShowDifferenceList(ChangesHeading, UnitHoldsColumn, WriteSendsColumn, std::move(differences));
}

void TMainWindow::UpdateUnitCommands()
{
    // Not Busy: a delivery of status frames runs as busy; the commands check it themselves.
    const bool known = KVX && KVX->UnitMemoryKnown();
    if (FShowChanges) FShowChanges->setEnabled(known);
    if (FWriteChanges) FWriteChanges->setEnabled(known);
}

void TMainWindow::RestoreBackup()
{
    TCommandScope running(*this);
    if (!DongleReady() || KVX->Busy) return;
    const std::vector<TBackupFile> backups = ListBackups(FBackupFolder.toStdU16String());
    if (backups.empty()) {
        ShowInformation(NoBackupsText(QDir::toNativeSeparators(FBackupFolder)));
        return;
    }
    const int chosen = Dialogs().ChooseBackup(BackupRows(backups));
    if (chosen < 0 || static_cast<size_t>(chosen) >= backups.size()) return;
    RestoreBackupFile(QString::fromStdU16String(backups[static_cast<size_t>(chosen)].Path.u16string()), true);
}

void TMainWindow::RestoreBackupFile(const QString& FileName, bool AskFirst)
{
    // The pages show the backup once it is in the unit.
    if (!UnsavedEditsMayGo(RestoringWords)) return;
    const QString shownName = QDir::toNativeSeparators(FileName);
    TKVXConfig backup;
    std::string reason;
    if (!LoadTemplate(FileName.toStdU16String(), backup, reason)) {
        ShowError(TemplateLoadFailedMessage(shownName, QString::fromStdString(reason)));
        return;
    }
    if (!BackupFolderReady() || !ProvePassword(WriteFailureText)) return;
    if (AskFirst) {
        // What the restore changes, against what the unit holds now.
        if (!KVX->UnitMemoryKnown() && !ReadUnitMemory()) return;
        const auto differences = CompareUnitMemory(KVX->EEPROMBuffer(), KVX->MemoryToWrite(backup).data());
        if (differences.empty()) {
            ShowInformation(AlreadyHoldsBackupText);
            return;
        }
        Dialogs().ShowDifferences({RestoreHeading(shownName), UnitHoldsColumn, BackupColumn, differences});
        const int answer = TKVXMessageDlg::ShowMessageEx(RestoreQuestion(shownName), TMsgDlgType::mtConfirmation,
                                                         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0);
        if (answer != mrYes) return;
    }
    // The backup's own bytes, the fields no page stores included; not the pages.
    const TUnitWriteResult result = RunWrite(backup, TWriteScope::AllPages);
    if (result.Written()) {
        FDocument.UnitHolds(backup);
        ConfigToPages();
        FDocument.BackupRestored(result.Step == TWriteStep::Verify);
        ShowingImageOf(UnitName(backup));
    }
    ReportWrite(result);
}

void TMainWindow::ChooseDefaultCountryCode()
{
    QString typed = QString::fromStdString(FDefaultCountryCode);
    for (;;) {
        const auto answer = Dialogs().AskText(DefaultCountryCodePrompt, typed);
        if (!answer) return;
        typed = *answer;
        std::string reason;
        if (const auto code = CountryCodeOfText(typed.toStdString(), reason)) {
            FDefaultCountryCode = *code;
            if (FSaveCountryCode) FSaveCountryCode(*code);
            return;
        }
        ShowError(QString::fromStdString(reason) + ".");
    }
}

} // namespace kvx::ui
