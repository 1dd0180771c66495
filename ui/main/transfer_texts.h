#pragma once
// The messages of reading, writing and templates.
#include <QString>
#include <cstdint>

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

QString ReadFailureText(uint8_t Code);
QString WriteFailureText(uint8_t Code);
QString TemplateSaveFailedMessage(const QString& FileName, const QString& Reason);
QString TemplateLoadFailedMessage(const QString& FileName, const QString& Reason);
QString TemplateNotSavedMessage(const QString& FileName);

} // namespace kvx::ui
