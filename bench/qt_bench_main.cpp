// The window benchmarks' main: a styled application on the offscreen platform unless told
// otherwise. A figure taken while a dialog waits means nothing: any dialog ends the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/main/dialog_service.h"
#include "ui/main/kvx_style.h"

namespace {

class TNoDialogs : public kvx::ui::IDialogService {
public:
    int ShowMessageEx(const QString& Msg, kvx::ui::TMsgDlgType, const kvx::ui::TMsgDlgButtons&, const QStringList&) override
    {
        Stop(Msg);
    }
    void ShowPlainMessage(const QString& Msg) override { Stop(Msg); }
    int ShowPassword(kvx::ui::TPasswordDialog&) override { Stop("password prompt"); }
    QString SaveFileName(const kvx::ui::TFileFilter&) override { Stop("save dialog"); }
    QString OpenFileName(const kvx::ui::TFileFilter&) override { Stop("open dialog"); }
    std::optional<size_t> ShowDifferences(const kvx::ui::TDifferenceList&) override { Stop("list of differences"); }
    int ChooseBackup(const std::vector<kvx::ui::TBackupRow>&) override { Stop("backup picker"); }
    std::optional<QString> AskText(const QString& Prompt, const QString&) override { Stop(Prompt); }
    bool AskReportDetails(kvx::TReportDetails&) override { Stop("report details"); }

private:
    [[noreturn]] static void Stop(const QString& What)
    {
        std::fprintf(stderr, "benchmark stopped by a dialog: %s\n", qPrintable(What));
        std::exit(1);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kvx::ui::ApplyKVXStyle(app);
    TNoDialogs noDialogs;
    const kvx::ui::TDialogServiceScope scope(noDialogs);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
