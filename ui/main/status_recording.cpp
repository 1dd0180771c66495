#include "ui/main/status_recording.h"

#include "transfer/status_log.h"

namespace kvx::ui {

bool TStatusRecording::Start(const QString& FileName, QString& Error)
{
    Stop();
    FFile.setFileName(FileName);
    FRows = 0;
    if (FFile.open(QIODevice::WriteOnly | QIODevice::Truncate) && Write(StatusLogHeader())) return true;
    Error = FFile.errorString();
    FFile.close();
    return false;
}

bool TStatusRecording::Append(const std::string& Row)
{
    if (!Write(Row)) {
        FProblem = FFile.errorString();
        FFile.close();
        return false;
    }
    ++FRows;
    return true;
}

void TStatusRecording::Stop()
{
    FFile.close();
}

bool TStatusRecording::Write(const std::string& Line)
{
    return FFile.write(Line.data(), static_cast<qint64>(Line.size())) == static_cast<qint64>(Line.size()) && FFile.flush();
}

} // namespace kvx::ui
