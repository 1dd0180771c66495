#pragma once
// The simulator's own time: real monotonic time for programs, frozen and stepped by hand
// for tests, so nothing in a test has to sleep.
#include <chrono>
#include <cstdint>

namespace kvx::sim {

class TSimClock {
public:
    TSimClock();

    uint64_t NowMs() const;
    // Manual time stands still until Advance; switching keeps the current reading.
    void SetManual(bool Manual);
    bool Manual() const { return FManual; }
    void Advance(uint64_t Milliseconds) { FBaseMs += Milliseconds; }

private:
    uint64_t RealElapsedMs() const;

    bool FManual = false;
    uint64_t FBaseMs = 0;
    std::chrono::steady_clock::time_point FRealStart;
};

} // namespace kvx::sim
