#include "ui/main/transfer_texts.h"

#include "config/general_setup.h"
#include "transfer/write_messages.h"

namespace kvx::ui {

QString ReadFailureText(TKVXResult Code)
{
    return QString::fromStdU16String(ReadFailureMessage(Code));
}

QString WriteFailureText(TKVXResult Code)
{
    return QString::fromStdU16String(WriteFailureMessage(Code));
}

QString TemplateSaveFailedMessage(const QString& FileName, const QString& Reason)
{
    return QString("Could not save the template \"%1\".\r\r%2.").arg(FileName, Reason);
}

QString TemplateLoadFailedMessage(const QString& FileName, const QString& Reason)
{
    return QString("Could not load the template \"%1\".\r\r%2.").arg(FileName, Reason);
}

QString TemplateNotSavedMessage(const QString& FileName)
{
    return QString("The template \"%1\" was not saved: a page could not store its settings.").arg(FileName);
}

QString BackupFailedText(const QString& Folder, const std::string& Reason)
{
    return QString::fromStdU16String(
        BackupFailedMessage(Folder.toStdU16String(), QString::fromStdString(Reason).toStdU16String()));
}

QString ReadBackFailedText(TKVXResult Code)
{
    return QString::fromStdU16String(ReadBackFailedMessage(Code));
}

QString VerifyFailedText(const std::vector<TFieldDifference>& Differences)
{
    return QString::fromStdU16String(VerifyFailedMessage(Differences.front(), Differences.size()));
}

QString WrittenText(bool Verified)
{
    return QString::fromStdU16String(WrittenMessage(Verified));
}

QString NoBackupsText(const QString& Folder)
{
    return QString("There are no backups in \"%1\" yet: every write to a KVX makes one.").arg(Folder);
}

QString RestoreHeading(const QString& FileName)
{
    return QString("Restoring the backup \"%1\" changes these fields in the KVX:").arg(FileName);
}

QString RestoreQuestion(const QString& FileName)
{
    return QString("Restore the backup \"%1\" to the KVX?\r\rWhat the KVX holds now is backed up first.").arg(FileName);
}

QString NothingWrittenText(TKVXResult Code)
{
    return QString::fromStdU16String(NothingWrittenMessage(Code));
}

QString PartlyWrittenQuestion(const TUnitWriteResult& Result)
{
    return QString::fromStdU16String(PartlyWrittenMessage(Result.Code, Result.PagesSent, Result.PagesToSend,
                                                          Result.BackupFile.u16string())) +
           "\r\rRestore it now?";
}

QString WriteEndedCaption(const TUnitWriteResult& Result)
{
    QString caption;
    if (Result.Step == TWriteStep::Done)
        caption = QString::fromUtf16(Result.PagesToSend == 0 ? AlreadyHeldMessage : WrittenMessage(Result.Verified).c_str()) + "\n";
    if (Result.Step == TWriteStep::ReadBack && Result.Code == TKVXResult::Stopped) caption = WrittenText(false) + "\n";
    return caption + "Backup: " + QString::fromStdU16String(Result.BackupFile.filename().u16string());
}

QString UnitName(const TKVXConfig& Config)
{
    return QString::fromStdU16String(DecodeUnitID(Config)).trimmed();
}

QString ReadFromText(const QString& UnitName)
{
    return UnitName.isEmpty() ? QStringLiteral("Read from the KVX.") : QString("Read from \"%1\".").arg(UnitName);
}

QString SavedText(const QString& FileName)
{
    return QString("Saved %1.").arg(FileName);
}

QString LoadedText(const QString& FileName)
{
    return QString("Loaded %1.").arg(FileName);
}

QString FirstLine(const QString& Message)
{
    return Message.section(QLatin1Char('\r'), 0, 0);
}

QString UnsavedEditsQuestion(const QString& Before)
{
    return QString("The pages hold changes that are not saved in a template or written to the KVX.\r\r"
                   "Save them as a template before %1?").arg(Before);
}

QString ComparedWithTemplateHeading(const QString& FileName)
{
    return QString("The pages differ from the template \"%1\" in these fields:").arg(FileName);
}

} // namespace kvx::ui
