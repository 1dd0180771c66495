#pragma once
// Answers the program's dialogs from a script. Each dialog must be the next one the test
// expects; any other fails the test and gets the most harmless answer (Cancel, no file).
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/main/dialog_service.h"

namespace kvx::ui::test {

struct TShownMessage {
    QString Text;
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    QStringList Captions;  // replacement captions, from the right-most button
};

class TScriptedDialogs : public IDialogService {
public:
    TScriptedDialogs();
    ~TScriptedDialogs() override;

    void ExpectMessage(const QString& Text, int Answer = mrOk);
    void ExpectPlainMessage(const QString& Text);
    // Types Typed into the prompt, then closes it with Result.
    void ExpectPassword(const QString& Typed, int Result = mrOk);
    // An empty name: the user cancels the file dialog.
    void ExpectSaveFile(const QString& FileName);
    void ExpectOpenFile(const QString& FileName);
    // The list of differences, under this heading (any heading when empty; Lists has it);
    // the user closes it, or goes to row GoToRow.
    void ExpectDifferences(const QString& Heading = {}, std::optional<size_t> GoToRow = {});
    // The restore's picker; Row -1: the user cancels. Backups has what it listed.
    void ExpectBackupChoice(int Row);
    // A line of text asked for; the user gives Answer, or cancels (none).
    void ExpectText(std::optional<QString> Answer);
    // The report's details dialog; the user types Typed and saves on, or cancels (none).
    // ReportDetailsShown has what the dialog started from.
    void ExpectReportDetails(std::optional<TReportDetails> Typed);
    // Runs before the answer is given, with the dialog still "open".
    void WhileShown(std::function<void()> Action);

    bool Done() const { return FScript.empty(); }
    std::vector<TShownMessage> Messages;
    QString PasswordShownWith;  // what the prompt's edit held when it opened
    QString OpenedInFolder;     // where the last open dialog started
    std::vector<TDifferenceList> Lists;
    std::vector<TBackupRow> Backups;
    std::vector<TReportDetails> ReportDetailsShown;

    int ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                      const QStringList& ButtonCaptions) override;
    void ShowPlainMessage(const QString& Msg) override;
    int ShowPassword(TPasswordDialog& Prompt) override;
    QString SaveFileName(const TFileFilter& Filter) override;
    QString OpenFileName(const TFileFilter& Filter) override;
    std::optional<size_t> ShowDifferences(const TDifferenceList& List) override;
    int ChooseBackup(const std::vector<TBackupRow>& Backups) override;
    std::optional<QString> AskText(const QString& Prompt, const QString& Text) override;
    bool AskReportDetails(TReportDetails& Details) override;

private:
    enum class TKind { Message, Plain, Password, SaveFile, OpenFile, Differences, BackupChoice, Text, ReportDetails };
    static constexpr int NoRow = -1;  // the Answer of a difference list closed without a choice
    struct TStep {
        TKind Kind;
        QString Text;
        int Answer;
        std::function<void()> During;
    };
    // The next step when it is of this kind; nullopt (and a failure) otherwise.
    std::optional<TStep> Next(TKind Kind, const QString& Shown);

    std::deque<TStep> FScript;
    std::deque<std::optional<TReportDetails>> FReportAnswers;
    TDialogServiceScope FScope;
};

} // namespace kvx::ui::test
