#pragma once
// A pseudo-terminal pair whose far end is served, on a thread of its own, by the simulated
// dongle and unit: the near end is a real kernel tty for the serial backend to open.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/simulator.h"

namespace kvx::test {

class TPtyUnit {
public:
    TPtyUnit();  // Port() is empty when no pseudo-terminal could be had
    ~TPtyUnit();
    TPtyUnit(const TPtyUnit&) = delete;
    TPtyUnit& operator=(const TPtyUnit&) = delete;

    const std::string& Port() const { return FPort; }

    // The far end of the backend's modem-line seam: a pseudo-terminal carries no RTS, so the
    // unit is told the line state directly.
    int SetLines(bool Rts, bool Dtr);

    // Runs Action on the simulator while the serving thread waits.
    template <typename TAction>
    auto WithSimulator(TAction Action)
    {
        std::lock_guard<std::mutex> lock(FMutex);
        return Action(FSim);
    }

    // Closes the far end: the port vanishes as a pulled dongle's does.
    void Hangup();

private:
    void Serve();
    // Moves what the unit has sent into the pseudo-terminal; what does not fit waits.
    void Deliver();

    sim::TSimulator FSim;
    sim::THandleValue FHandle = 0;
    std::mutex FMutex;
    int FMaster = -1;
    std::string FPort;
    std::vector<uint8_t> FOutgoing;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

} // namespace kvx::test
