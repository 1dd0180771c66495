#pragma once
// Every modal question of the program: message boxes, the password prompt, file dialogs.
// The program installs the Qt service; tests install a scripted responder.
#include <QString>
#include <QStringList>

#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

class TfrmPassword;

struct TFileFilter {
    QString Description;  // "KVX configuration file (*.kvx)"
    QString Extension;    // "kvx"
};

class IDialogService {
public:
    virtual ~IDialogService() = default;
    virtual int ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                              const QStringList& ButtonCaptions) = 0;
    virtual void ShowPlainMessage(const QString& Msg) = 0;
    // Shows the prompt modally and returns its result; the caller reads and empties the edit.
    virtual int ShowPassword(TfrmPassword& Prompt) = 0;
    // An empty result: the user cancelled.
    virtual QString SaveFileName(const TFileFilter& Filter) = 0;
    virtual QString OpenFileName(const TFileFilter& Filter) = 0;
};

// The service in use; the Qt one unless a test installed another.
IDialogService& Dialogs();

// Installs a service for its lifetime, then puts the previous one back.
class TDialogServiceScope {
public:
    explicit TDialogServiceScope(IDialogService& Service);
    ~TDialogServiceScope();
    TDialogServiceScope(const TDialogServiceScope&) = delete;
    TDialogServiceScope& operator=(const TDialogServiceScope&) = delete;

private:
    IDialogService* FPrevious;
};

} // namespace kvx::ui
