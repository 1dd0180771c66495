#pragma once
// The captions and messages of the status log and the commissioning report.
#include <QString>

namespace kvx::ui {

inline constexpr const char* RecordStatusCaption = "Record status\u2026";
inline constexpr const char* StopRecordingCaption = "Stop recording";
inline constexpr const char* ResetSignalCaption = "Reset";
inline constexpr const char* StatusLogFilterText = "Status log (*.csv)";
inline constexpr const char* StatusLogExtension = "csv";

inline QString RecordingText(const QString& FileName, size_t Rows)
{
    return QString("\u25CF Recording to %1 (%2 rows)").arg(FileName).arg(Rows);
}
inline QString RecordStartFailedMessage(const QString& FileName, const QString& Reason)
{
    return QString("The status could not be recorded in \"%1\":\r%2").arg(FileName, Reason);
}
inline QString RecordStoppedMessage(const QString& FileName, const QString& Reason)
{
    return QString("Recording stopped: the status log \"%1\" could not be written:\r%2").arg(FileName, Reason);
}

inline constexpr const char* SaveReportCaption = "Save report\u2026";
inline constexpr const char* ReportFilterText = "PDF document (*.pdf);;Web page (*.html *.htm)";
inline constexpr const char* ReportExtension = "pdf";

inline QString ReportSaveFailedMessage(const QString& FileName, const QString& Reason)
{
    return QString("The report could not be saved in \"%1\":\r%2").arg(FileName, Reason);
}

} // namespace kvx::ui
