#pragma once
// kvxsim for tests on virtual time: the built-in unit, with the simulator's clock moved on by
// the fake pump, so nothing sleeps.
#include <string>

#include "sim/kvxsim_control.h"
#include "tests/support/fake_pump.h"

namespace kvx::test {

inline void StartSimulatedUnit(KVXSIM_Control_t Control, TFakePump& Pump)
{
    Control("reset", "");
    Control("clock", "manual");
    Pump.OnProcess = [&Pump, Control, simNow = Pump.Now]() mutable {
        if (Pump.Now == simNow) return;
        Control("advance", std::to_string(Pump.Now - simNow).c_str());
        simNow = Pump.Now;
    };
}

} // namespace kvx::test
