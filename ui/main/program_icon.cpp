#include "ui/main/program_icon.h"

#include <QPen>

#include "ui/main/colours.h"

namespace kvx::ui {

void PaintLogoMark(QPainter& Painter, const QRectF& Box)
{
    // Drawn on a 64-unit square: a rounded tile and three quarter arcs from its lower left.
    const qreal unit = Box.width() / 64.0;
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(AccentButtonColour);
    Painter.drawRoundedRect(Box, 10 * unit, 10 * unit);
    Painter.setBrush(Qt::NoBrush);
    Painter.setPen(QPen(Qt::white, 5 * unit, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = Box.topLeft() + QPointF(16 * unit, 48 * unit);
    for (int arc = 0; arc < 3; ++arc) {
        const qreal r = (10.0 + arc * 9.0) * unit;
        Painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 90 * 16);
    }
    Painter.restore();
}

QImage ProgramIconImage(int Size)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const qreal margin = Size / 32.0;
    PaintLogoMark(painter, QRectF(0, 0, Size, Size).adjusted(margin, margin, -margin, -margin));
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : ProgramIconSizes) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

} // namespace kvx::ui
