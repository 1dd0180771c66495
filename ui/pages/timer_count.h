#pragma once
// What the distribution page asks the Timers page: how many timer locations are defined,
// so a recipient entered later gets the timer messages only while timers exist.
namespace kvx::ui {

class ITimerCount {
public:
    virtual int GetTimersCount() const = 0;

protected:
    ~ITimerCount() = default;
};

} // namespace kvx::ui
