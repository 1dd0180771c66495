#include "ui/main/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/main/kvx_message_box.h"
#include "ui/main/password_dialog.h"

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

    int ShowPassword(TfrmPassword& Prompt) override { return Prompt.exec(); }

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
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), Filter.Description);
    }
};

TQtDialogService QtDialogs;
IDialogService* Current = &QtDialogs;

} // namespace

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
