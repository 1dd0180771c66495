#pragma once
// The commissioning report as a PDF: laid out on A4 pages with Qt's painter and written by
// Qt's PDF writer, so the program and kvxctl make the same document. Free of Qt to include:
// kvxctl links the Qt piece where Qt is built, and a build without Qt links a stand-in that
// makes no PDF and says so.
#include <string>

#include "transfer/commissioning_report.h"

namespace kvx {

// False in a build without Qt: the report can then be written as HTML only.
extern const bool ReportPdfAvailable;

// The PDF of Report; false, with Error, when none could be made.
bool ReportPdf(const TReportDocument& Report, std::string& Pdf, std::string& Error);

} // namespace kvx
