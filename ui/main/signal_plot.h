#pragma once
// The signal history as a small plot: the last ten minutes from left to right, -51 dBm at the
// top and -113 dBm at the bottom, a line through the state frames' levels, broken where no
// frames came. Painted in the widget's own device-independent coordinates, so it stays sharp
// at any screen scale. While shown it moves on with the clock even when frames stop.
#include <QTimer>
#include <QWidget>
#include <functional>

#include "link/signal_history.h"

namespace kvx::ui {

class TSignalPlot : public QWidget {
public:
    // History and the clock (monotonic milliseconds) must outlive the plot.
    TSignalPlot(const TSignalHistory& History, std::function<uint64_t()> NowMs, QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    const TSignalHistory& FHistory;
    std::function<uint64_t()> FNowMs;
    QTimer FRepaint;
};

} // namespace kvx::ui
