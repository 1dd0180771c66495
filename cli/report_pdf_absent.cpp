// The stand-in for a kvxctl built without Qt: the report is written as HTML only.
#include "ui/report/report_pdf.h"

namespace kvx {

const bool ReportPdfAvailable = false;

bool ReportPdf(const TReportDocument&, std::string&, std::string& Error)
{
    Error = "this kvxctl was built without Qt and writes the report as HTML only (-o FILE.html)";
    return false;
}

} // namespace kvx
