// The signal history: statistics, the ten-minute window and the runs the plot draws.
#include <gtest/gtest.h>

#include "link/signal_history.h"

namespace kvx {
namespace {

TEST(SignalStatistics, TakeReadingsOnlyAndAverageInDbm)
{
    TSignalStatistics s;
    for (const int level : {0, 70, 50, 90, 114, 51}) s = WithLevel(s, static_cast<uint8_t>(level));
    EXPECT_EQ(s.Count, 3u);
    EXPECT_EQ(s.MinimumDbm, -90);
    EXPECT_EQ(s.MaximumDbm, -51);
    EXPECT_DOUBLE_EQ(s.AverageDbm(), -211.0 / 3);
    EXPECT_EQ(TSignalStatistics{}.AverageDbm(), 0.0);
}

TEST(SignalHistory, KeepsTenMinutesOfSamplesAndStatisticsUntilReset)
{
    TSignalHistory history;
    history.Add(1000, 60);
    history.Add(2000, 80);
    history.Add(1000 + SignalWindowMs, 70);  // the first is exactly ten minutes old: kept
    EXPECT_EQ(history.Samples().size(), 3u);
    history.Add(1001 + SignalWindowMs, 120);
    ASSERT_EQ(history.Samples().size(), 3u);
    EXPECT_EQ(history.Samples().front().AtMs, 2000u);
    EXPECT_EQ(history.Current(), 120);
    EXPECT_EQ(history.Statistics().Count, 3u) << "statistics outlive the window";
    history.ResetStatistics();
    EXPECT_EQ(history.Statistics().Count, 0u);
    EXPECT_EQ(history.Samples().size(), 3u);
    EXPECT_FALSE(TSignalHistory().Current());
}

TEST(SignalRuns, BreakAtGapsAndAtNoReadingWithinTheWindow)
{
    const std::deque<TSignalSample> samples{{0, 60},          {1000, 61},  // older than the window at the end
                                            {700000, 62},     {701000, 63}, {702000, 200}, {703000, 64},
                                            {703000 + SignalGapMs, 65},     // a gap just long enough is one line
                                            {703001 + 2 * SignalGapMs, 66}, // a longer one starts another
                                            {704001 + 2 * SignalGapMs, 67}};
    const auto runs = SignalRuns(samples, 720000);
    std::vector<std::vector<uint8_t>> levels;
    for (const auto& run : runs) {
        levels.emplace_back();
        for (const TSignalSample& s : run) levels.back().push_back(s.Level);
    }
    EXPECT_EQ(levels, (std::vector<std::vector<uint8_t>>{{62, 63}, {64, 65}, {66, 67}}));
}

} // namespace
} // namespace kvx
