#include "ui/main/transfer_texts.h"

#include "transfer/write_messages.h"

namespace kvx::ui {

QString ReadFailureText(uint8_t Code)
{
    return QString::fromStdU16String(ReadFailureMessage(Code));
}

QString WriteFailureText(uint8_t Code)
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

QString ReadBackFailedText(uint8_t Code)
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

QString ComparedWithTemplateHeading(const QString& FileName)
{
    return QString("The pages differ from the template \"%1\" in these fields:").arg(FileName);
}

} // namespace kvx::ui
