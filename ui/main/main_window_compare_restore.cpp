// The command bar's menu button: compare the pages with a template, list what a write would
// change in the unit, load a backup as a template, and switch verification of writes.
#include <QDir>
#include <QMenu>
#include <cstring>

#include "config/words_compare.h"
#include "config/template_file.h"
#include "ui/main/colours.h"
#include "ui/main/dialog_service.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui {

void TfrmMain::BuildMoreCommands()
{
    pnlMoreCommands = new TPanel("pnlMoreCommands", MoreCommandsCaption, this);
    pnlMoreCommands->Alignment = Qt::AlignCenter;
    pnlMoreCommands->SetColours(WindowColour, ReleasedCaptionColour);
    FMoreCommands = new QMenu(this);
    FMoreCommands->setObjectName("mnuMoreCommands");
    FMoreCommands->addAction(CompareWithTemplateCaption, this, [this] { CompareWithTemplate(); });
    QAction* changes = FMoreCommands->addAction(ShowChangesCaption, this, [this] { ShowChanges(); });
    FMoreCommands->addAction(RestoreBackupCaption, this, [this] { RestoreBackup(); });
    FMoreCommands->addSeparator();
    QAction* verify = FMoreCommands->addAction(VerifyWritesCaption);
    verify->setCheckable(true);
    connect(verify, &QAction::toggled, this, [this](bool On) { VerifyWrites = On; });
    connect(FMoreCommands, &QMenu::aboutToShow, this, [this, changes, verify] {
        changes->setEnabled(KVX && KVX->UnitMemoryKnown() && !KVX->Busy);
        verify->setChecked(VerifyWrites);
    });
    // Not exec(): the menu must never hold up a transfer that lets the window run.
    connect(pnlMoreCommands, &TPanel::Clicked, this, [this](TPanel* p) {
        FMoreCommands->popup(p->mapToGlobal(QPoint(0, -FMoreCommands->sizeHint().height())));
    });
    connect(pnlMoreCommands, &TPanel::MouseDown, this, [](TPanel* p) { p->SetFontColor(PressedCaptionColour); });
    connect(pnlMoreCommands, &TPanel::MouseUp, this, [](TPanel* p) { p->SetFontColor(ReleasedCaptionColour); });
}

void TfrmMain::CompareWithTemplate()
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
    auto differences = WordedDifferences(KVXConfig, other);
    if (differences.empty()) ShowInformation(SameAsTemplateText);
    else ShowDifferenceList(ComparedWithTemplateHeading(shownName), PagesColumn, TemplateColumn, std::move(differences));
}

void TfrmMain::ShowChanges()
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
    TKVXConfig sent = KVXConfig;
    sent.Bytes()[HiddenSettingOffset] = HiddenSettingToWrite();
    MarkImageForUnit(sent, KVX->SessionPassword);
    auto differences = WordedDifferences(held, sent);
    if (differences.empty()) ShowInformation(NoChangesText);
    else ShowDifferenceList(ChangesHeading, UnitHoldsColumn, WriteSendsColumn, std::move(differences));
}

void TfrmMain::RestoreBackup()
{
    TCommandScope running(*this);
    LoadTemplateFile(Dialogs().OpenFileName({TemplateFilterText, TemplateExtension, FBackupFolder}));
}

} // namespace kvx::ui
