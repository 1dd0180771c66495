#pragma once
// The device object never sleeps, pumps or reads a clock by itself: it asks an injected
// pump, so the program stays responsive and tests run on virtual time.
#include <cstdint>
#include <functional>
#include <string>

namespace kvx {

class IEventPump {
public:
    virtual ~IEventPump() = default;
    // Lets pending window events (clicks, link timers) run.
    virtual void ProcessMessages() = 0;
    virtual void Pause(uint32_t Milliseconds) = 0;
    // Monotonic milliseconds.
    virtual uint64_t NowMs() = 0;
};

// A pump for programs without an event loop: sleeps for real, nothing to process.
class TPlainEventPump : public IEventPump {
public:
    void ProcessMessages() override {}
    void Pause(uint32_t Milliseconds) override;
    uint64_t NowMs() override;
};

// The PC's local date and time, as SetTime sends it.
struct TLocalDateTime {
    int Year = 2000;  // four digits
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

using TLocalClock = std::function<TLocalDateTime()>;

TLocalDateTime SystemLocalDateTime();

// "2026-03-23 14:05:09", as lists and records show a moment.
std::string DateTimeText(const TLocalDateTime& Time);

} // namespace kvx
