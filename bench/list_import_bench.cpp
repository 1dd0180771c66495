// Importing 500 missed-call numbers from a spreadsheet file into the Missed call page, as the
// user does it: the open dialog, reading and checking every row, the report confirmed, and the
// page showing all 500 locations. Budget: under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "bench/bench_host.h"
#include "config/design_config.h"
#include "ui/main/dialog_service.h"
#include "ui/pages/missed_call_page.h"

namespace {

using namespace kvx;
using namespace kvx::ui;

using bench::TBenchHost;

// The user picks the file and confirms the report.
class TConfirmingDialogs : public IDialogService {
public:
    explicit TConfirmingDialogs(QString File) : FFile(std::move(File)) {}
    int ShowMessageEx(const QString&, TMsgDlgType, const TMsgDlgButtons&, const QStringList&) override { return mrOk; }
    void ShowPlainMessage(const QString&) override {}
    int ShowPassword(TPasswordDialog&) override { return mrCancel; }
    QString SaveFileName(const TFileFilter&) override { return {}; }
    QString OpenFileName(const TFileFilter&) override { return FFile; }
    std::optional<size_t> ShowDifferences(const TDifferenceList&) override { return std::nullopt; }
    int ChooseBackup(const std::vector<TBackupRow>&) override { return -1; }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    bool AskReportDetails(TReportDetails&) override { return false; }

private:
    QString FFile;
};

void ImportFiveHundredNumbersIntoTheMissedCallPage(benchmark::State& State)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("gate.csv");
    {
        std::ofstream csv(file.toStdString(), std::ios::binary);
        csv << "\xEF\xBB\xBFlocation;number;relay;action;confirmation;count;window_start;window_stop;days\r\n";
        for (int i = 1; i <= 500; ++i)
            csv << i << ";+44 (0)7700 " << 900000 + i << ";" << i % 8 + 1 << ";Pulse;yes;5;07:00;19:00;Mon Tue Wed Thu Fri\r\n";
    }
    TConfirmingDialogs dialogs(file);
    TDialogServiceScope scope(dialogs);
    TBenchHost host;
    TMissedCallPage page(host, nullptr);
    page.resize(769, 552);
    page.show();
    TKVXConfig design = DesignConfig();
    for (auto _ : State) {
        State.PauseTiming();
        page.ConfigToForm(design);  // every location free again
        State.ResumeTiming();
        page.btnImport->click();
        QApplication::processEvents();  // the list repaints its lines
    }
    if (!page.LocationName(499).startsWith("447700")) State.SkipWithError("the numbers were not imported");
}
BENCHMARK(ImportFiveHundredNumbersIntoTheMissedCallPage)->Unit(benchmark::kMillisecond);

} // namespace
