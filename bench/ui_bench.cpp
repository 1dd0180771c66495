// Start-up to a shown main window, and showing and collecting a full image on every page.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/main/absent_link.h"
#include "ui/main/kvx_style.h"
#include "ui/main/main_window.h"
#include "ui/main/qt_event_pump.h"
#include "ui/pages/setup_pages.h"

namespace {

using namespace kvx;
using namespace kvx::ui;

TMainWindowSetup Setup(IEventPump& Pump)
{
    TMainWindowSetup setup;
    setup.Link = std::make_unique<TAbsentUSBLink>();
    setup.Pump = &Pump;
    setup.CreatePages = CreateSetupPages;
    return setup;
}

void StartUpToShownWindow(benchmark::State& State)
{
    TQtEventPump pump;
    for (auto _ : State) {
        TfrmMain window(Setup(pump));
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void ConfigToPagesAndBack(benchmark::State& State)
{
    TQtEventPump pump;
    TfrmMain window(Setup(pump));
    window.show();
    for (size_t i = 0; i < TKVXConfig::Size; ++i) window.KVXConfig.Bytes()[i] = static_cast<uint8_t>(i * 7);
    const TKVXConfig full = window.KVXConfig;
    for (auto _ : State) {
        window.KVXConfig = full;
        window.ConfigToPages();
        benchmark::DoNotOptimize(window.PagesToConfig(false));
    }
}
BENCHMARK(ConfigToPagesAndBack)->Unit(benchmark::kMillisecond);

} // namespace
