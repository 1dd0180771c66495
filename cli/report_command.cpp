#include <algorithm>
#include <cctype>
#include <iostream>

#include "cli/commands.h"
#include "cli/standard_streams.h"
#include "cli/terminal.h"
#include "program_version.h"
#include "transfer/report_html.h"
#include "ui/report/report_pdf.h"

namespace kvx::cli {

namespace {

constexpr const char* UnitSource = "unit";

enum class TReportForm { Pdf, Html, Unknown };

TReportForm FormOf(const std::filesystem::path& Output)
{
    if (IsStandardStream(Output)) return TReportForm::Html;
    std::string extension = Output.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".pdf") return TReportForm::Pdf;
    if (extension == ".html" || extension == ".htm") return TReportForm::Html;
    return TReportForm::Unknown;
}

} // namespace

int WriteReport(const TOptions& Options, const std::string& Source, const std::filesystem::path& Output, const TReportDetails& Details)
{
    // Refused before the unit is read: a read can take a while.
    const TReportForm form = FormOf(Output);
    if (form == TReportForm::Unknown) {
        std::cerr << "The report is a PDF (.pdf) or an HTML page (.html): \"" << Output.string() << "\" is neither.\n";
        return ExitNoDevice;
    }
    if (form == TReportForm::Pdf && !ReportPdfAvailable) {
        std::cerr << "No PDF: this kvxctl was built without Qt and writes the report as HTML only (-o FILE.html).\n";
        return ExitNoDevice;
    }

    TKVXConfig image;
    std::optional<TStatusSnapshot> unit;
    TReportDetails details = Details;
    details.Made = SystemLocalDateTime();
    details.ProgramVersion = ProgramVersion;
    if (Source == UnitSource) {
        unit.emplace();
        if (const int read = ReadUnitImage(Options, image, &*unit); read != ExitOK) return read;
        details.Source = "read from the unit";
    } else {
        if (!LoadTemplateOrSay(Source, image)) return ExitNoDevice;
        details.Source = "template " + InputName(Source);
    }

    const TReportDocument report = CommissioningReport(image, unit, details, ShippedCIDEvents(Options));
    std::string bytes;
    std::string error;
    if (form == TReportForm::Html) bytes = ReportHtml(report);
    else if (!ReportPdf(report, bytes, error)) {
        std::cerr << "Could not make the report's PDF: " << error << ".\n";
        return ExitNoDevice;
    }
    if (IsStandardStream(Output)) ClaimStandardOutput();
    if (!WriteOutputFile(Output, bytes, error)) {
        std::cerr << "Could not write the report \"" << Output.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    Told() << "Report written to " << OutputName(Output) << ".\n";
    return ExitOK;
}

} // namespace kvx::cli
