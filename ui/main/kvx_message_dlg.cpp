#include "ui/main/kvx_message_dlg.h"

#include "ui/main/dialog_service.h"

namespace kvx::ui {

int ModalResultOf(TMsgDlgBtn Button)
{
    switch (Button) {
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbCancel: return mrCancel;
    case TMsgDlgBtn::mbAbort: return mrAbort;
    case TMsgDlgBtn::mbRetry: return mrRetry;
    case TMsgDlgBtn::mbIgnore: return mrIgnore;
    case TMsgDlgBtn::mbAll: return mrAll;
    case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
    case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
    case TMsgDlgBtn::mbHelp: return mrHelp;
    case TMsgDlgBtn::mbClose: return mrClose;
    }
    return 0;
}

int TKVXMessageDlg::ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons, int)
{
    return Dialogs().ShowMessageEx(Msg, DlgType, Buttons, {});
}

int TKVXMessageDlg::ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                                  const QStringList& ButtonCaptions, int)
{
    return Dialogs().ShowMessageEx(Msg, DlgType, Buttons, ButtonCaptions);
}

void ShowError(const QString& Msg)
{
    TKVXMessageDlg::ShowMessageEx(Msg, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, 0);
}

void ShowInformation(const QString& Msg)
{
    TKVXMessageDlg::ShowMessageEx(Msg, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
}

void ShowPlainMessage(const QString& Msg)
{
    Dialogs().ShowPlainMessage(Msg);
}

} // namespace kvx::ui
