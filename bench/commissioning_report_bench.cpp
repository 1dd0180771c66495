// The commissioning report of a full configuration (bench/full_image.h) with the unit's
// identity, made from the image: as HTML, and as the PDF the program makes (a GUI
// application already running). Budget: under 300 ms.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench/full_image.h"
#include "transfer/commissioning_report.h"
#include "transfer/report_html.h"
#include "ui/report/report_pdf.h"

namespace {

using namespace kvx;

struct TReportInput {
    TKVXConfig Image = bench::FullImage();
    std::vector<TCIDEvent> Events = bench::ShippedEvents(KVX_CIDLIST_FILE);
    TReportDetails Details{{2026, 3, 23, 14, 5, 9}, "1.3", "read from the unit", "A. Fitter", "Farm 12", "Mast on the barn."};
    TStatusSnapshot Unit = [] {
        TStatusSnapshot unit;
        unit.Unit.emplace();
        unit.Unit->SignalLevel = 64;
        unit.Operator = u"Vodafone";
        unit.IMEI = u"356938035643809";
        unit.IMSI = u"234150123456789";
        return unit;
    }();

    TReportDocument Report() const { return CommissioningReport(Image, Unit, Details, Events); }
};

void ReportHtmlOfAFullImage(benchmark::State& State)
{
    const TReportInput input;
    size_t bytes = 0;
    for (auto _ : State) bytes = ReportHtml(input.Report()).size();
    State.counters["HTML bytes"] = static_cast<double>(bytes);
}
BENCHMARK(ReportHtmlOfAFullImage)->Unit(benchmark::kMillisecond);

void ReportPdfOfAFullImage(benchmark::State& State)
{
    const TReportInput input;
    std::string pdf;
    std::string error;
    for (auto _ : State) {
        if (!ReportPdf(input.Report(), pdf, error)) State.SkipWithError(error.c_str());
    }
    State.counters["PDF bytes"] = static_cast<double>(pdf.size());
}
BENCHMARK(ReportPdfOfAFullImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
