#include "ui/main/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace kvx::ui {

TQtEventPump::TQtEventPump()
{
    FClock.start();
}

void TQtEventPump::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TQtEventPump::Pause(uint32_t Milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(Milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

uint64_t TQtEventPump::NowMs()
{
    return static_cast<uint64_t>(FClock.elapsed());
}

} // namespace kvx::ui
