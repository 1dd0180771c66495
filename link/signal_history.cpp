#include "link/signal_history.h"

#include <algorithm>

#include "link/status_frame.h"

namespace kvx {

TSignalStatistics WithLevel(TSignalStatistics Statistics, uint8_t Level)
{
    if (!SignalLevelKnown(Level)) return Statistics;
    const int dbm = -static_cast<int>(Level);
    Statistics.MinimumDbm = Statistics.Count ? std::min(Statistics.MinimumDbm, dbm) : dbm;
    Statistics.MaximumDbm = Statistics.Count ? std::max(Statistics.MaximumDbm, dbm) : dbm;
    Statistics.SumDbm += dbm;
    ++Statistics.Count;
    return Statistics;
}

void DropOutsideWindow(std::deque<TSignalSample>& Samples, uint64_t NowMs)
{
    while (!Samples.empty() && Samples.front().AtMs + SignalWindowMs < NowMs) Samples.pop_front();
}

std::vector<std::vector<TSignalSample>> SignalRuns(const std::deque<TSignalSample>& Samples, uint64_t NowMs)
{
    std::vector<std::vector<TSignalSample>> runs;
    const TSignalSample* previous = nullptr;
    for (const TSignalSample& sample : Samples) {
        const bool inWindow = sample.AtMs <= NowMs && NowMs - sample.AtMs <= SignalWindowMs;
        if (!inWindow || !SignalLevelKnown(sample.Level)) {
            previous = nullptr;
            continue;
        }
        if (!previous || sample.AtMs - previous->AtMs > SignalGapMs) runs.emplace_back();
        runs.back().push_back(sample);
        previous = &sample;
    }
    return runs;
}

void TSignalHistory::Add(uint64_t NowMs, uint8_t Level)
{
    FSamples.push_back({NowMs, Level});
    DropOutsideWindow(FSamples, NowMs);
    FStatistics = WithLevel(FStatistics, Level);
}

std::optional<uint8_t> TSignalHistory::Current() const
{
    if (FSamples.empty()) return std::nullopt;
    return FSamples.back().Level;
}

} // namespace kvx
