#include "ui/main/assets.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <map>

#include "ui/main/colours.h"
#include "ui/main/program_icon.h"

namespace kvx::ui {

namespace {

const QColor Blue = AccentButtonColour;
const QColor Dim{0x55, 0x55, 0x55};

QPixmap Blank(int W, int H)
{
    QPixmap picture(W, H);
    picture.fill(Qt::transparent);
    return picture;
}

QPixmap PaintLogo()
{
    QPixmap picture(255, 128);
    picture.fill(WindowColour);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    PaintLogoMark(p, QRectF(24, 30, 64, 64));
    QFont font("DejaVu Sans", 34, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(100, 28, 150, 48), Qt::AlignLeft | Qt::AlignVCenter, "KVX");
    font.setPointSize(9);
    font.setBold(false);
    p.setFont(font);
    p.setPen(IdleTextColour);
    p.drawText(QRect(102, 74, 150, 20), Qt::AlignLeft | Qt::AlignVCenter, "configuration");
    return picture;
}

QPixmap PaintConnectionIcon(bool Connected)
{
    QPixmap picture = Blank(27, 27);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Connected ? HealthyGreen : AlarmRed);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, 25, 25));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    // A plug: two prongs and a body; crossed out when no dongle is there.
    p.drawLine(QPointF(10, 6), QPointF(10, 10));
    p.drawLine(QPointF(17, 6), QPointF(17, 10));
    p.drawRoundedRect(QRectF(7.5, 10, 12, 7), 2, 2);
    p.drawLine(QPointF(13.5, 17), QPointF(13.5, 22));
    if (!Connected) p.drawLine(QPointF(6, 21), QPointF(21, 6));
    return picture;
}

QPixmap PaintSignal(int Level)
{
    QPixmap picture = Blank(18, 134);
    QPainter p(&picture);
    constexpr int Segments = SignalImageCount - 1;
    constexpr int Step = 134 / Segments;
    for (int segment = 0; segment < Segments; ++segment) {
        const int top = 134 - (segment + 1) * Step + 1;
        const int width = 6 + (segment * 12) / Segments;
        p.fillRect(QRect(18 - width, top, width, Step - 2), segment < Level ? HealthyGreen : Dim);
    }
    return picture;
}

QPixmap PaintSIM(int Number, bool Active)
{
    QPixmap picture = Blank(44, 56);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.moveTo(2, 2);
    card.lineTo(30, 2);
    card.lineTo(42, 14);
    card.lineTo(42, 54);
    card.lineTo(2, 54);
    card.closeSubpath();
    p.setPen(QPen(Active ? Qt::white : Dim, 2));
    p.setBrush(Active ? Blue : WindowColour);
    p.drawPath(card);
    p.setBrush(Active ? QColor(0xE8, 0xC5, 0x4A) : Dim);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(10, 20, 20, 16), 3, 3);
    p.setPen(Active ? Qt::white : IdleTextColour);
    p.setFont(QFont("DejaVu Sans", 8, QFont::Bold));
    p.drawText(QRect(2, 38, 40, 14), Qt::AlignCenter, QString::number(Number));
    return picture;
}

QPixmap PaintInput(bool High)
{
    QPixmap picture = Blank(20, 20);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(High ? AlarmRed : HealthyGreen, 2));
    p.setBrush(High ? AlarmRed : Qt::transparent);
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal tip = High ? 6 : 14;
    const qreal tail = High ? 14 : 6;
    p.drawLine(QPointF(10, tail), QPointF(10, tip));
    p.drawLine(QPointF(7, (tip + 10) / 2), QPointF(10, tip));
    p.drawLine(QPointF(13, (tip + 10) / 2), QPointF(10, tip));
    return picture;
}

QPixmap PaintMains(bool High)
{
    QPixmap picture = Blank(32, 20);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(High ? HealthyGreen : AlarmRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, 30, 18), 4, 4);
    QPainterPath wave;
    wave.moveTo(5, 10);
    wave.cubicTo(9, 2, 12, 2, 16, 10);
    wave.cubicTo(20, 18, 23, 18, 27, 10);
    p.drawPath(wave);
    return picture;
}

QPixmap PaintITTTHeading()
{
    QPixmap picture = Blank(420, 40);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans", 18, QFont::Bold);
    p.setFont(font);
    const QString parts[] = {"If ", "this", " then ", "that"};
    int x = 0;
    for (int i = 0; i < 4; ++i) {
        p.setPen(i % 2 ? Blue : Qt::white);
        const int width = p.fontMetrics().horizontalAdvance(parts[i]);
        p.drawText(QRect(x, 0, width + 2, 40), Qt::AlignLeft | Qt::AlignVCenter, parts[i]);
        x += width;
    }
    return picture;
}

QPixmap PaintStatusBackground()
{
    QPixmap picture(1024, 730);
    QPainter p(&picture);
    QLinearGradient shade(0, 0, 0, 730);
    shade.setColorAt(0, WindowColour);
    shade.setColorAt(1, QColor(0x1E, 0x1D, 0x1E));
    p.fillRect(picture.rect(), shade);
    p.setPen(QPen(QColor(0x3A, 0x39, 0x3A), 1));
    for (const QRect& box : {QRect(40, 170, 300, 480), QRect(370, 170, 300, 480), QRect(700, 170, 290, 480)})
        p.drawRoundedRect(box, 8, 8);
    return picture;
}

} // namespace

const QPixmap& LogoPicture()
{
    static const QPixmap picture = PaintLogo();
    return picture;
}

const QPixmap& ConnectionIcon(int Index)
{
    static const std::array<QPixmap, 2> icons{PaintConnectionIcon(true), PaintConnectionIcon(false)};
    return icons.at(static_cast<size_t>(Index));
}

const QPixmap& SignalPicture(int Index)
{
    static const std::array<QPixmap, SignalImageCount> pictures = [] {
        std::array<QPixmap, SignalImageCount> made;
        for (int i = 0; i < SignalImageCount; ++i) made[static_cast<size_t>(i)] = PaintSignal(i);
        return made;
    }();
    return pictures.at(static_cast<size_t>(Index));
}

const QPixmap& SIMPicture(const QString& Name)
{
    static const std::map<QString, QPixmap> pictures{
        {"SIM1ACTIVE", PaintSIM(1, true)},
        {"SIM1INACTIVE", PaintSIM(1, false)},
        {"SIM2ACTIVE", PaintSIM(2, true)},
        {"SIM2INACTIVE", PaintSIM(2, false)},
    };
    return pictures.at(Name);
}

const QPixmap& InputPicture(bool High)
{
    static const std::array<QPixmap, 2> pictures{PaintInput(false), PaintInput(true)};
    return pictures[High ? 1 : 0];
}

const QPixmap& MainsPicture(bool High)
{
    static const std::array<QPixmap, 2> pictures{PaintMains(false), PaintMains(true)};
    return pictures[High ? 1 : 0];
}

const QPixmap& ITTTHeadingPicture()
{
    static const QPixmap picture = PaintITTTHeading();
    return picture;
}

const QPixmap& StatusBackground()
{
    static const QPixmap picture = PaintStatusBackground();
    return picture;
}

} // namespace kvx::ui
