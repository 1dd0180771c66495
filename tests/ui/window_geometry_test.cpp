#include <gtest/gtest.h>

#include "ui/main/window_geometry.h"

namespace kvx::ui {
namespace {

TEST(EdgeHitTest, FiveBandAlongEveryEdgeCornersFirst)
{
    constexpr int W = 1024, H = 730;
    struct {
        int X, Y;
        TEdgeHit Expected;
    } cases[] = {
        {0, 0, TEdgeHit::TopLeft},         {4, 4, TEdgeHit::TopLeft},          {4, H - 5, TEdgeHit::BottomLeft},
        {W - 5, 0, TEdgeHit::TopRight},    {W - 3, H - 3, TEdgeHit::BottomRight}, {0, 300, TEdgeHit::Left},
        {500, 4, TEdgeHit::Top},           {W - 1, 300, TEdgeHit::Right},      {500, H - 1, TEdgeHit::Bottom},
        {5, 5, TEdgeHit::None},            {W - 6, H - 6, TEdgeHit::None},     {500, 300, TEdgeHit::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EdgeHitTest(c.X, c.Y, W, H, false), c.Expected) << c.X << "," << c.Y;
}

TEST(EdgeHitTest, MaximisedWindowNeverResizes)
{
    EXPECT_EQ(EdgeHitTest(1021, 727, 1024, 730, true), TEdgeHit::None);
    EXPECT_EQ(EdgeHitTest(0, 0, 1024, 730, true), TEdgeHit::None);
}

TEST(ProgressLineWidth, ScalesFiveHundredTwelveBlocksToTheFullLine)
{
    EXPECT_EQ(ProgressLineWidth(0), 0);
    EXPECT_EQ(ProgressLineWidth(1), 0);
    EXPECT_EQ(ProgressLineWidth(2), 1);
    EXPECT_EQ(ProgressLineWidth(256), 132);
    EXPECT_EQ(ProgressLineWidth(511), 263);
    EXPECT_EQ(ProgressLineWidth(512), ProgressLineFullWidth);
}

} // namespace
} // namespace kvx::ui
