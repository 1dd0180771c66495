#include "tests/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "ui/main/password_dialog.h"

namespace kvx::ui::test {

namespace {

const char* KindName(int kind)
{
    static const char* const names[] = {"message",     "plain message", "password prompt",
                                        "save dialog", "open dialog",   "list of differences",
                                        "backup picker", "question for a text", "report details"};
    return names[kind];
}

} // namespace

TScriptedDialogs::TScriptedDialogs() : FScope(*this) {}

TScriptedDialogs::~TScriptedDialogs()
{
    for (const TStep& step : FScript)
        ADD_FAILURE() << "expected " << KindName(static_cast<int>(step.Kind)) << " never shown: "
                      << step.Text.toStdString();
}

void TScriptedDialogs::ExpectMessage(const QString& Text, int Answer)
{
    FScript.push_back({TKind::Message, Text, Answer, {}});
}

void TScriptedDialogs::ExpectPlainMessage(const QString& Text)
{
    FScript.push_back({TKind::Plain, Text, mrOk, {}});
}

void TScriptedDialogs::ExpectPassword(const QString& Typed, int Result)
{
    FScript.push_back({TKind::Password, Typed, Result, {}});
}

void TScriptedDialogs::ExpectSaveFile(const QString& FileName)
{
    FScript.push_back({TKind::SaveFile, FileName, mrOk, {}});
}

void TScriptedDialogs::ExpectOpenFile(const QString& FileName)
{
    FScript.push_back({TKind::OpenFile, FileName, mrOk, {}});
}

void TScriptedDialogs::ExpectDifferences(const QString& Heading, std::optional<size_t> GoToRow)
{
    FScript.push_back({TKind::Differences, Heading, GoToRow ? static_cast<int>(*GoToRow) : NoRow, {}});
}

void TScriptedDialogs::ExpectBackupChoice(int Row)
{
    FScript.push_back({TKind::BackupChoice, QString(), Row, {}});
}

void TScriptedDialogs::ExpectText(std::optional<QString> Answer)
{
    FScript.push_back({TKind::Text, Answer.value_or(QString()), Answer ? mrOk : mrCancel, {}});
}

void TScriptedDialogs::ExpectReportDetails(std::optional<TReportDetails> Typed)
{
    FScript.push_back({TKind::ReportDetails, QString(), Typed ? mrOk : mrCancel, {}});
    FReportAnswers.push_back(std::move(Typed));
}

void TScriptedDialogs::WhileShown(std::function<void()> Action)
{
    if (FScript.empty()) {
        ADD_FAILURE() << "WhileShown needs an expected dialog first";
        return;
    }
    FScript.back().During = std::move(Action);
}

std::optional<TScriptedDialogs::TStep> TScriptedDialogs::Next(TKind Kind, const QString& Shown)
{
    if (FScript.empty() || FScript.front().Kind != Kind) {
        ADD_FAILURE() << "unexpected " << KindName(static_cast<int>(Kind)) << ": " << Shown.toStdString();
        return std::nullopt;
    }
    TStep step = FScript.front();
    FScript.pop_front();
    if (step.During) step.During();
    return step;
}

int TScriptedDialogs::ShowMessageEx(const QString& Msg, TMsgDlgType DlgType, const TMsgDlgButtons& Buttons,
                                    const QStringList& ButtonCaptions)
{
    Messages.push_back({Msg, DlgType, Buttons, ButtonCaptions});
    const auto step = Next(TKind::Message, Msg);
    if (!step) return mrCancel;
    EXPECT_EQ(step->Text.toStdString(), Msg.toStdString());
    return step->Answer;
}

void TScriptedDialogs::ShowPlainMessage(const QString& Msg)
{
    Messages.push_back({Msg, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK}, {}});
    if (const auto step = Next(TKind::Plain, Msg)) {
        EXPECT_EQ(step->Text.toStdString(), Msg.toStdString());
    }
}

int TScriptedDialogs::ShowPassword(TPasswordDialog& Prompt)
{
    PasswordShownWith = Prompt.edPassword->text();
    const auto step = Next(TKind::Password, "password");
    if (!step) return mrCancel;
    Prompt.edPassword->setText(step->Text);
    return step->Answer;
}

QString TScriptedDialogs::SaveFileName(const TFileFilter& Filter)
{
    const auto step = Next(TKind::SaveFile, Filter.Description);
    return step ? step->Text : QString();
}

QString TScriptedDialogs::OpenFileName(const TFileFilter& Filter)
{
    OpenedInFolder = Filter.Folder;
    const auto step = Next(TKind::OpenFile, Filter.Description);
    return step ? step->Text : QString();
}

std::optional<size_t> TScriptedDialogs::ShowDifferences(const TDifferenceList& List)
{
    Lists.push_back(List);
    const auto step = Next(TKind::Differences, List.Heading);
    if (!step) return std::nullopt;
    if (!step->Text.isEmpty()) {
        EXPECT_EQ(step->Text.toStdString(), List.Heading.toStdString());
    }
    if (step->Answer == NoRow) return std::nullopt;
    return static_cast<size_t>(step->Answer);
}

} // namespace kvx::ui::test

namespace kvx::ui::test {

int TScriptedDialogs::ChooseBackup(const std::vector<TBackupRow>& Shown)
{
    Backups = Shown;
    const auto step = Next(TKind::BackupChoice, QString::number(Shown.size()) + " backups");
    return step ? step->Answer : -1;
}

std::optional<QString> TScriptedDialogs::AskText(const QString& Prompt, const QString&)
{
    const auto step = Next(TKind::Text, Prompt);
    if (!step || step->Answer != mrOk) return std::nullopt;
    return step->Text;
}

bool TScriptedDialogs::AskReportDetails(TReportDetails& Details)
{
    ReportDetailsShown.push_back(Details);
    if (!Next(TKind::ReportDetails, "report details")) return false;
    const std::optional<TReportDetails> typed = FReportAnswers.front();
    FReportAnswers.pop_front();
    if (!typed) return false;
    Details.Installer = typed->Installer;
    Details.Site = typed->Site;
    Details.Notes = typed->Notes;
    return true;
}

} // namespace kvx::ui::test
