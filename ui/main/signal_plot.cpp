#include "ui/main/signal_plot.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/main/colours.h"

namespace kvx::ui {

namespace {

constexpr int StrongestLevel = 51;  // -dBm, the top of the plot
constexpr int WeakestLevel = 113;   // the bottom
constexpr int GridStepDbm = 10;
constexpr int LabelWidth = 28;      // the dBm scale on the left
constexpr int TimeLabelHeight = 13; // "-10 min" .. "now" below
constexpr int RepaintMs = 1000;

const QColor PlotGround{0x1A, 0x1A, 0x1A};
const QColor GridColour{0x3A, 0x39, 0x3A};
const QColor LineColour{0x3F, 0xB9, 0x5F};

} // namespace

TSignalPlot::TSignalPlot(const TSignalHistory& History, std::function<uint64_t()> NowMs, QWidget* Parent)
    : QWidget(Parent), FHistory(History), FNowMs(std::move(NowMs))
{
    setObjectName("pbSignalHistory");
    setToolTip("Signal of every status frame over the last 10 minutes, in dBm");
    FRepaint.setInterval(RepaintMs);
    connect(&FRepaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TSignalPlot::showEvent(QShowEvent* Event)
{
    FRepaint.start();
    QWidget::showEvent(Event);
}

void TSignalPlot::hideEvent(QHideEvent* Event)
{
    FRepaint.stop();
    QWidget::hideEvent(Event);
}

void TSignalPlot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);

    const QRectF area(LabelWidth, 0.5, width() - LabelWidth - 0.5, height() - TimeLabelHeight - 0.5);
    p.fillRect(area, PlotGround);
    const auto yOf = [&](double Level) { return area.top() + (Level - StrongestLevel) / (WeakestLevel - StrongestLevel) * area.height(); };
    for (int level = 60; level <= 110; level += GridStepDbm) {
        const double y = yOf(level);
        p.setPen(QPen(GridColour, 1));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(IdleTextColour);
        p.drawText(QRectF(0, y - 6, LabelWidth - 4, 12), Qt::AlignRight | Qt::AlignVCenter, QString::number(-level));
    }
    p.setPen(QPen(GridColour, 1));
    p.drawRect(area);
    p.setPen(IdleTextColour);
    const QRectF timeLabels(area.left(), area.bottom() + 1, area.width(), TimeLabelHeight);
    p.drawText(timeLabels, Qt::AlignLeft | Qt::AlignVCenter, "-10 min");
    p.drawText(timeLabels, Qt::AlignRight | Qt::AlignVCenter, "now");

    const uint64_t now = FNowMs();
    const auto xOf = [&](uint64_t AtMs) {
        return area.right() - static_cast<double>(now - AtMs) / static_cast<double>(SignalWindowMs) * area.width();
    };
    p.setPen(QPen(LineColour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(LineColour);
    for (const std::vector<TSignalSample>& run : SignalRuns(FHistory.Samples(), now)) {
        if (run.size() == 1) {
            p.drawEllipse(QPointF(xOf(run.front().AtMs), yOf(run.front().Level)), 1.5, 1.5);
            continue;
        }
        QPainterPath line(QPointF(xOf(run.front().AtMs), yOf(run.front().Level)));
        for (const TSignalSample& sample : run) line.lineTo(xOf(sample.AtMs), yOf(sample.Level));
        p.strokePath(line, p.pen());
    }
}

} // namespace kvx::ui
