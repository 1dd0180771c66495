#pragma once
// The device object's waits in the program: they let the window's events run.
#include <QElapsedTimer>

#include "link/event_pump.h"

namespace kvx::ui {

class TQtEventPump : public IEventPump {
public:
    TQtEventPump();
    void ProcessMessages() override;
    void Pause(uint32_t Milliseconds) override;
    uint64_t NowMs() override;

private:
    QElapsedTimer FClock;
};

} // namespace kvx::ui
