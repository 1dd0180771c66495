#pragma once
// The messages of reading, writing and templates.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_compare.h"
#include "transfer/unit_write.h"

#include "link/kvx_messages.h"

namespace kvx::ui {

inline const QString DongleNotConnectedText = QString::fromUtf16(DongleNotConnectedMessage);
inline const QString ReadFirstText = QString::fromUtf16(FirstReadMessage);
inline const QString IncorrectPasswordText = QString::fromUtf16(IncorrectPasswordMessage);
inline constexpr const char* SaveBeforeReadText =
    "You have input configuration changes without writing them to the KVX.\r"
    "Reading the configuration from the KVX will overwrite your input changes.\r\r"
    "Would you like to save these changes to a template before reading?";

inline constexpr const char* ReadCaption = "Read configuration";
inline constexpr const char* StopReadingCaption = "Stop reading";
inline constexpr const char* WriteCaption = "Write configuration";
inline constexpr const char* StopWritingCaption = "Stop writing";
inline constexpr const char* SaveTemplateCaption = "Save as template";
inline constexpr const char* LoadTemplateCaption = "Load template";

inline constexpr const char* TemplateFilterText = "KVX configuration file (*.kvx)";
inline constexpr const char* TemplateExtension = "kvx";

// Compare, changes and backups, under the command bar's menu button.
inline constexpr const char* MoreCommandsCaption = "Compare and restore \u25B4";
inline constexpr const char* CompareWithTemplateCaption = "Compare with template\u2026";
inline constexpr const char* ShowChangesCaption = "Show changes";
inline constexpr const char* RestoreBackupCaption = "Restore backup\u2026";
inline constexpr const char* VerifyWritesCaption = "Verify after writing";
inline constexpr const char* SameAsTemplateText = "The pages hold the same configuration as the template.";
inline constexpr const char* NoChangesText = "A write would change nothing in the KVX.";
inline constexpr const char* ReadBeforeChangesText =
    "Read the configuration first: the changes are shown against what the KVX holds.";
inline constexpr const char* ChangesHeading = "A write would change these fields in the KVX:";
inline constexpr const char* WrittenColumn = "Written";
inline constexpr const char* UnitHoldsColumn = "The KVX holds";
inline constexpr const char* WriteSendsColumn = "A write sends";
inline constexpr const char* PagesColumn = "The pages";
inline constexpr const char* TemplateColumn = "The template";

QString ReadFailureText(TKVXResult Code);
QString WriteFailureText(TKVXResult Code);
QString TemplateSaveFailedMessage(const QString& FileName, const QString& Reason);
QString TemplateLoadFailedMessage(const QString& FileName, const QString& Reason);
QString TemplateNotSavedMessage(const QString& FileName);
QString BackupFailedText(const QString& Folder, const std::string& Reason);
QString ReadBackFailedText(TKVXResult Code);
QString VerifyFailedText(const std::vector<TFieldDifference>& Differences);
QString WrittenText(bool Verified);
QString ComparedWithTemplateHeading(const QString& FileName);

// Writing only the changes, restoring a backup, and saying what a write left in the unit.
inline constexpr const char* WriteChangesCaption = "Write changes only";
inline constexpr const char* BackupColumn = "The backup";
inline constexpr const char* AlreadyHoldsBackupText = "The KVX already holds this backup.";
QString NoBackupsText(const QString& Folder);
QString RestoreHeading(const QString& FileName);
QString RestoreQuestion(const QString& FileName);
QString NothingWrittenText(TKVXResult Code);
// The write stopped or failed part way, with the question whether to restore the backup now.
QString PartlyWrittenQuestion(const TUnitWriteResult& Result);
// The status line after a write: how it ended and the backup's name.
QString WriteEndedCaption(const TUnitWriteResult& Result);

// The status line after a read, a template save and a load; the unit by its reporting name.
QString UnitName(const TKVXConfig& Config);
QString ReadFromText(const QString& UnitName);
inline constexpr const char* ReadStoppedText = "Reading stopped: the pages are as they were.";
QString SavedText(const QString& FileName);
QString LoadedText(const QString& FileName);
// The first line of a message, for the status line.
QString FirstLine(const QString& Message);

// Edits not yet in a template or the unit, before what would lose them.
inline constexpr const char* ClosingWords = "closing";
inline constexpr const char* LoadingWords = "loading a template";
inline constexpr const char* RestoringWords = "restoring the backup";
QString UnsavedEditsQuestion(const QString& Before);
// Save as template (Yes), Discard (No), Cancel, as the message box takes them: from the right.
inline const QStringList UnsavedEditsCaptions{"Cancel", "Discard", "Save as template\u2026"};

// The country code that national telephone numbers take, under the command bar's menu button.
inline constexpr const char* DefaultCountryCodeCaption = "Default country code\u2026";
inline constexpr const char* DefaultCountryCodePrompt =
    "The country code that telephone numbers written without one (with a leading 0) take,\n"
    "as 44 for the United Kingdom; empty: such numbers are refused.";

} // namespace kvx::ui
