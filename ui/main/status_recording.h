#pragma once
// The status log "Record status…" writes: the header at the start, then a row for every state
// frame, each on disk at once (a log is read while it grows, and a cut-off run keeps every
// row that came).
#include <QFile>
#include <QString>
#include <string>

namespace kvx::ui {

class TStatusRecording {
public:
    // Starts a new log in FileName (replacing what was there); false, with Error, when it cannot.
    bool Start(const QString& FileName, QString& Error);
    // False when the row could not be written: the recording has then stopped.
    bool Append(const std::string& Row);
    void Stop();

    bool Active() const { return FFile.isOpen(); }
    size_t Rows() const { return FRows; }
    QString FileName() const { return FFile.fileName(); }
    // Why the last row could not be written.
    QString Problem() const { return FProblem; }

private:
    bool Write(const std::string& Line);

    QFile FFile;
    size_t FRows = 0;
    QString FProblem;
};

} // namespace kvx::ui
