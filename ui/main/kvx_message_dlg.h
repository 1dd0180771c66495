#pragma once
// The one message box of the program. Every call goes through the installed dialog service,
// so tests answer it from a script and nothing ever blocks on a window.
#include <QString>
#include <QStringList>
#include <vector>

namespace kvx::ui {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// In the order the buttons stand, left to right.
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };

using TMsgDlgButtons = std::vector<TMsgDlgBtn>;

// Results the caller receives.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrClose = 8;
inline constexpr int mrHelp = 9;
inline constexpr int mrAll = 12;
inline constexpr int mrNoToAll = 13;
inline constexpr int mrYesToAll = 14;

int ModalResultOf(TMsgDlgBtn Button);

class TKVXMessageDlg {
public:
    // HelpCtx is accepted and unused; DlgType does not change the box (it never has an icon).
    static int ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons, int HelpCtx);
    // The same with replacement captions, the first going to the right-most button.
    static int ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                             const QStringList& ButtonCaptions, int HelpCtx);
};

// ShowMessageEx with one OK button, for an error or a notice.
void ShowError(const QString& Msg);
void ShowInformation(const QString& Msg);

// The toolkit's plain message box, for "Invalid integer".
void ShowPlainMessage(const QString& Msg);

} // namespace kvx::ui
