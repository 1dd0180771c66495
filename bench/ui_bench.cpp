// Start-up to a shown main window with all thirteen pages, and showing and collecting the
// simulated unit's image on every page.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "sim/default_memory.h"
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
        TMainWindow window(Setup(pump));
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void ConfigToPagesAndBack(benchmark::State& State)
{
    TQtEventPump pump;
    TMainWindow window(Setup(pump));
    window.show();
    // The simulated unit (something on every page) and an erased one by turns, so every
    // round changes what the controls show.
    const std::vector<uint8_t> memory = sim::DefaultUnitMemory();
    TKVXConfig images[2] = {ErasedConfig(), ErasedConfig()};
    std::copy_n(memory.begin(), TKVXConfig::Size, images[0].Bytes());
    size_t round = 0;
    for (auto _ : State) {
        window.Document().ReplaceImage(images[round++ % 2]);
        window.ConfigToPages();
        benchmark::DoNotOptimize(window.PagesToConfig(false));
    }
}
BENCHMARK(ConfigToPagesAndBack)->Unit(benchmark::kMillisecond);

} // namespace
