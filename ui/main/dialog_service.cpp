#include "ui/main/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "ui/main/backup_picker.h"
#include "ui/main/differences_dialog.h"
#include "ui/main/kvx_message_box.h"
#include "ui/main/password_dialog.h"
#include "ui/main/report_details_dialog.h"

namespace kvx::ui {

namespace {

class TQtDialogService : public IDialogService {
public:
    int ShowMessageEx(const QString& Msg, TMsgDlgType, const TMsgDlgButtons& Buttons,
                      const QStringList& ButtonCaptions) override
    {
        TKVXMessageBox box(Msg, Buttons, ButtonCaptions, QApplication::activeWindow());
        box.exec();
        return box.ModalResult();
    }

    void ShowPlainMessage(const QString& Msg) override
    {
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), Msg);
    }

    int ShowPassword(TPasswordDialog& Prompt) override { return Prompt.exec(); }

    QString SaveFileName(const TFileFilter& Filter) override
    {
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(Filter.Description);
        dialog.setDefaultSuffix(Filter.Extension);
        dialog.setOption(QFileDialog::ReadOnly, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().first();
    }

    QString OpenFileName(const TFileFilter& Filter) override
    {
        QFileDialog dialog(QApplication::activeWindow(), QString(), Filter.Folder, Filter.Description);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(Filter.Extension);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        // A platform dialog may hand back the bare name as typed.
        return WithDefaultExtension(dialog.selectedFiles().first(), Filter.Extension);
    }

    std::optional<size_t> ShowDifferences(const TDifferenceList& List) override
    {
        TDifferencesDialog dialog(List, QApplication::activeWindow());
        dialog.exec();
        return dialog.ChosenRow();
    }

    int ChooseBackup(const std::vector<TBackupRow>& Backups) override
    {
        TBackupPicker dialog(Backups, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted ? dialog.ChosenRow() : -1;
    }

    std::optional<QString> AskText(const QString& Prompt, const QString& Text) override
    {
        bool given = false;
        const QString answer = QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("KVX"), Prompt,
                                                     QLineEdit::Normal, Text, &given);
        return given ? std::optional(answer) : std::nullopt;
    }

    bool AskReportDetails(TReportDetails& Details) override
    {
        TReportDetailsDialog dialog(Details, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return false;
        dialog.TakeInto(Details);
        return true;
    }
};

TQtDialogService QtDialogs;
IDialogService* Current = &QtDialogs;

} // namespace

TDifferenceList::TDifferenceList(QString Message, QString First, QString Second, std::vector<TWordedDifference> Differences)
    : Heading(std::move(Message)), FirstCaption(std::move(First)), SecondCaption(std::move(Second)), Rows(std::move(Differences))
{
}

TDifferenceList::TDifferenceList(QString Message, QString First, QString Second, const std::vector<TFieldDifference>& Differences)
    : TDifferenceList(std::move(Message), std::move(First), std::move(Second), WordedFieldDifferences(Differences))
{
}

QString WithDefaultExtension(const QString& FileName, const QString& Extension)
{
    const QFileInfo file(FileName);
    if (!file.suffix().isEmpty() || file.exists()) return FileName;
    return FileName + "." + Extension;
}

IDialogService& Dialogs()
{
    return *Current;
}

TDialogServiceScope::TDialogServiceScope(IDialogService& Service) : FPrevious(Current)
{
    Current = &Service;
}

TDialogServiceScope::~TDialogServiceScope()
{
    Current = FPrevious;
}

} // namespace kvx::ui
