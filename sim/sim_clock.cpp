#include "sim/sim_clock.h"

namespace kvx::sim {

TSimClock::TSimClock() : FRealStart(std::chrono::steady_clock::now()) {}

uint64_t TSimClock::RealElapsedMs() const
{
    const auto elapsed = std::chrono::steady_clock::now() - FRealStart;
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uint64_t TSimClock::NowMs() const
{
    return FManual ? FBaseMs : FBaseMs + RealElapsedMs();
}

void TSimClock::SetManual(bool Manual)
{
    if (Manual == FManual) return;
    FBaseMs = NowMs();
    FRealStart = std::chrono::steady_clock::now();
    FManual = Manual;
}

} // namespace kvx::sim
