#pragma once
// Pure rules of the borderless window: which edge a press resizes from, and how wide the
// progress line is drawn.
#include <cstdint>

namespace kvx::ui {

inline constexpr int ResizeBand = 5;
inline constexpr int ProgressLineFullWidth = 264;

enum class TEdgeHit { None, TopLeft, BottomLeft, TopRight, BottomRight, Left, Top, Right, Bottom };

// (x, y) in client coordinates of a W x H window; a maximised window never resizes.
TEdgeHit EdgeHitTest(int X, int Y, int W, int H, bool Maximised);

// 512, the last block of a transfer, gives the full line; 0 an empty one.
int ProgressLineWidth(uint16_t Position);

} // namespace kvx::ui
