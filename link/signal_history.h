#pragma once
// The signal level of every state frame over the last ten minutes, and the lowest, highest
// and average since a chosen moment: what an installer moving the antenna looks at. Pure
// record and functions; callers pass the times (monotonic milliseconds).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kvx {

inline constexpr uint64_t SignalWindowMs = 10 * 60 * 1000;
// Frames come every second: a longer silence (a transfer, a pulled cable) breaks the plotted line.
inline constexpr uint64_t SignalGapMs = 5000;

struct TSignalSample {
    uint64_t AtMs = 0;
    uint8_t Level = 0;  // -dBm as the frame gave it; outside 51..113 no reading
};

// The readings taken in, in dBm (-113 .. -51).
struct TSignalStatistics {
    size_t Count = 0;
    int MinimumDbm = 0;
    int MaximumDbm = 0;
    int64_t SumDbm = 0;

    double AverageDbm() const { return Count ? static_cast<double>(SumDbm) / static_cast<double>(Count) : 0.0; }
};

// Statistics with one more level taken in; a level that is no reading changes nothing.
TSignalStatistics WithLevel(TSignalStatistics Statistics, uint8_t Level);

// Drops the samples (in time order) that are older than the window ending at NowMs.
void DropOutsideWindow(std::deque<TSignalSample>& Samples, uint64_t NowMs);

// The samples within the window ending at NowMs as runs to draw as one line each: a run ends
// at a sample that is no reading and where frames stopped for longer than SignalGapMs.
std::vector<std::vector<TSignalSample>> SignalRuns(const std::deque<TSignalSample>& Samples, uint64_t NowMs);

class TSignalHistory {
public:
    void Add(uint64_t NowMs, uint8_t Level);
    // The statistics start afresh; the plotted samples stay.
    void ResetStatistics() { FStatistics = {}; }

    const std::deque<TSignalSample>& Samples() const { return FSamples; }
    const TSignalStatistics& Statistics() const { return FStatistics; }
    // The level of the last frame; none before the first.
    std::optional<uint8_t> Current() const;

private:
    std::deque<TSignalSample> FSamples;
    TSignalStatistics FStatistics;
};

} // namespace kvx
