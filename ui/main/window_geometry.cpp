#include "ui/main/window_geometry.h"

namespace kvx::ui {

TEdgeHit EdgeHitTest(int X, int Y, int W, int H, bool Maximised)
{
    if (Maximised) return TEdgeHit::None;
    const bool left = X < ResizeBand;
    const bool top = Y < ResizeBand;
    const bool right = X >= W - ResizeBand;
    const bool bottom = Y >= H - ResizeBand;
    if (left && top) return TEdgeHit::TopLeft;
    if (left && bottom) return TEdgeHit::BottomLeft;
    if (right && top) return TEdgeHit::TopRight;
    if (right && bottom) return TEdgeHit::BottomRight;
    if (left) return TEdgeHit::Left;
    if (top) return TEdgeHit::Top;
    if (right) return TEdgeHit::Right;
    if (bottom) return TEdgeHit::Bottom;
    return TEdgeHit::None;
}

int ProgressLineWidth(uint16_t Position)
{
    // Position x 0.515625 = Position x 33 / 64, truncated.
    return Position * 33 / 64;
}

} // namespace kvx::ui
