// The two switching lists: creating the Timers and Missed call pages, and showing and storing
// an image with all 64 timers and all 500 missed-call numbers defined.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "bench/bench_host.h"
#include "config/missed_calls.h"
#include "config/timers.h"
#include "config/week_days.h"
#include "ui/pages/missed_call_page.h"
#include "ui/pages/timers_page.h"

namespace {

using namespace kvx;
using namespace kvx::ui;

using bench::TBenchHost;

TKVXConfig FullImage()
{
    TKVXConfig image = ErasedConfig();
    for (size_t i = 0; i < TimerCount; ++i) {
        const auto n = static_cast<uint8_t>(i);
        EncodeTimer(image, i, {u"Timer " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)), static_cast<uint8_t>(i % 24),
                               static_cast<uint8_t>(i % 60), EveryWeekDay, static_cast<uint8_t>(n % 8), static_cast<uint8_t>(1 + n % 4), 0xFF});
    }
    for (size_t i = 0; i < MissedCallCount; ++i) {
        const auto n = static_cast<uint8_t>(i);
        std::string digits = std::to_string(i);
        digits.insert(0, 5 - digits.size(), '0');
        EncodeMissedCall(image, i, {u"4477009" + std::u16string(digits.begin(), digits.end()), i % 2 == 0, 8, 0, 17, 30, EveryWeekDay, static_cast<uint8_t>(n % 8),
                                    static_cast<uint8_t>((1 + n % 4) | ConfirmationBit), n});
    }
    return image;
}

void CreateSwitchingPages(benchmark::State& State)
{
    TBenchHost host;
    for (auto _ : State) {
        TTimersPage timers(host, nullptr);
        TMissedCallPage missedCall(host, nullptr);
        benchmark::DoNotOptimize(timers.GetTimersCount());
    }
}
BENCHMARK(CreateSwitchingPages)->Unit(benchmark::kMillisecond);

// With both pages on screen, so the lines in view are drawn anew each time.
void ConfigToFormFullSwitchingImage(benchmark::State& State)
{
    TBenchHost host;
    TTimersPage timers(host, nullptr);
    TMissedCallPage missedCall(host, nullptr);
    for (QWidget* page : {static_cast<QWidget*>(&timers), static_cast<QWidget*>(&missedCall)}) {
        page->resize(769, 552);
        page->show();
    }
    QApplication::processEvents();
    TKVXConfig image = FullImage();
    for (auto _ : State) {
        timers.ConfigToForm(image);
        missedCall.ConfigToForm(image);
        QApplication::processEvents();
    }
    if (timers.GetTimersCount() != static_cast<int>(TimerCount) || missedCall.LocationName(499).isEmpty())
        State.SkipWithError("not every location is defined");
}
BENCHMARK(ConfigToFormFullSwitchingImage)->Unit(benchmark::kMillisecond);

void FormToConfigFullSwitchingImage(benchmark::State& State)
{
    TBenchHost host;
    TTimersPage timers(host, nullptr);
    TMissedCallPage missedCall(host, nullptr);
    TKVXConfig image = FullImage();
    timers.ConfigToForm(image);
    missedCall.ConfigToForm(image);
    for (auto _ : State) {
        TKVXConfig stored = ErasedConfig();
        benchmark::DoNotOptimize(timers.FormToConfig(stored, true) && missedCall.FormToConfig(stored, true));
    }
}
BENCHMARK(FormToConfigFullSwitchingImage)->Unit(benchmark::kMillisecond);

} // namespace
