#pragma once
// The commissioning report as a PDF: Qt's rich text lays the report's HTML out on A4 pages
// and Qt's PDF writer writes them, so the program and kvxctl make the same document. Free of
// Qt to include: kvxctl links the Qt piece where Qt is built, and a build without Qt links a
// stand-in that makes no PDF and says so.
#include <string>

namespace kvx {

// False in a build without Qt: the report can then be written as HTML only.
extern const bool ReportPdfAvailable;

// The PDF of Html, with Title as its title; false, with Error, when none could be made.
bool ReportPdf(const std::string& Html, const std::string& Title, std::string& Pdf, std::string& Error);

} // namespace kvx
