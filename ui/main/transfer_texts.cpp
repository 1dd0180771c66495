#include "ui/main/transfer_texts.h"

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

} // namespace kvx::ui
