#pragma once
// The spreadsheet files of the list pages (Missed call, Message recipients): choosing one,
// reading and writing it, and the import report the user confirms before anything changes.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "config/list_import.h"

namespace kvx::ui {

struct TListFile {
    QString Name;
    std::string Text;
};

// The open dialog, then the file's text; empty when cancelled or unreadable (said in a message).
std::optional<TListFile> OpenListFile();
// The report as a question: true when the user chose to apply it. A refused file, or one with
// nothing to change, is only shown, and gives false.
bool ImportConfirmed(const TListFile& File, const TImportReport& Report, std::string_view SlotName);
// The save dialog, then Text written whole; a failure is said in a message.
void SaveListFile(const std::string& Text);

} // namespace kvx::ui
