#pragma once
// The program's icon: the logo's mark (the blue tile with its signal arcs) alone, for the
// window, the Windows executable and the desktop entry.
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <array>

namespace kvx::ui {

// The sizes the icon files carry (the build names them).
inline constexpr std::array ProgramIconSizes{KVX_ICON_SIZES};

// Paints the mark into the square Box.
void PaintLogoMark(QPainter& Painter, const QRectF& Box);

// Size x Size, transparent around the mark.
QImage ProgramIconImage(int Size);
QIcon ProgramIcon();

} // namespace kvx::ui
