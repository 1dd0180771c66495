#pragma once
#include <cstdint>
#include <functional>

#include "link/event_pump.h"

namespace kvx::test {

// Virtual time: pauses advance the clock at once, so long time-outs take microseconds.
class TFakePump : public IEventPump {
public:
    void ProcessMessages() override
    {
        ++ProcessCount;
        if (OnProcess) OnProcess();
    }
    void Pause(uint32_t Milliseconds) override { Now += Milliseconds; }
    uint64_t NowMs() override { return Now; }

    uint64_t Now = 0;
    uint64_t ProcessCount = 0;
    // Runs whenever the device object lets events run: a click, a timer tick.
    std::function<void()> OnProcess;
};

} // namespace kvx::test
