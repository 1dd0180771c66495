#pragma once
// The commissioning report as one self-contained HTML page (UTF-8, its style inside), for a
// browser or to be printed from one.
#include <string>
#include <utility>

#include "transfer/commissioning_report.h"

namespace kvx {

std::string ReportHtml(const TReportDocument& Report);

// A column heading split over at most two lines at the space that keeps the longer line
// short, so that a narrow column never breaks a word: "Send confirmation SMS" gives "Send"
// and "confirmation SMS". The PDF heads its lists the same way.
std::pair<std::string, std::string> HeadingLines(const std::string& Heading);

} // namespace kvx
