#pragma once
// Every modal question of the program: message boxes, the password prompt, file dialogs.
// The program installs the Qt service; tests install a scripted responder.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "config/words_compare.h"
#include "transfer/commissioning_report.h"
#include "ui/main/kvx_message_dlg.h"

namespace kvx::ui {

class TPasswordDialog;

struct TFileFilter {
    QString Description;  // "KVX configuration file (*.kvx)"
    QString Extension;    // "kvx"
    QString Folder;       // where the dialog starts; empty: the platform's choice
};

// Where two configurations differ, shown as a list under a message, grouped by page.
struct TDifferenceList {
    TDifferenceList(QString Message, QString First, QString Second, std::vector<TWordedDifference> Differences);
    // Differences of the field table (a verification's), by image name under their pages.
    TDifferenceList(QString Message, QString First, QString Second, const std::vector<TFieldDifference>& Differences);

    QString Heading;
    QString FirstCaption;   // the column of TWordedDifference::First
    QString SecondCaption;  // the column of TWordedDifference::Second
    std::vector<TWordedDifference> Rows;
};

// One backup as the restore's picker lists it.
struct TBackupRow {
    QString Unit;  // "KVX-Demo-Site, IMEI 356938035643809"
    QString Made;  // "2026-03-23 14:05:09"
    QString Size;  // "31872 bytes"
};

class IDialogService {
public:
    virtual ~IDialogService() = default;
    virtual int ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                              const QStringList& ButtonCaptions) = 0;
    virtual void ShowPlainMessage(const QString& Msg) = 0;
    // Shows the prompt modally and returns its result; the caller reads and empties the edit.
    virtual int ShowPassword(TPasswordDialog& Prompt) = 0;
    // An empty result: the user cancelled.
    virtual QString SaveFileName(const TFileFilter& Filter) = 0;
    virtual QString OpenFileName(const TFileFilter& Filter) = 0;
    // The row the user chose to go to (double-click or Enter); none when the list was closed.
    virtual std::optional<size_t> ShowDifferences(const TDifferenceList& List) = 0;
    // The chosen row of Backups (listed newest first); -1: the user cancelled.
    virtual int ChooseBackup(const std::vector<TBackupRow>& Backups) = 0;
    // A line of text the user gives under Prompt, starting from Text; none: the user cancelled.
    virtual std::optional<QString> AskText(const QString& Prompt, const QString& Text) = 0;
    // The installer's name, site and notes for a commissioning report, starting from what
    // Details holds; false: the user cancelled.
    virtual bool AskReportDetails(TReportDetails& Details) = 0;
};

// The chosen name with ".Extension" added when it has no extension and no such file exists,
// as the save dialog adds it.
QString WithDefaultExtension(const QString& FileName, const QString& Extension);

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
