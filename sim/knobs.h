#pragma once
// The simulator's knobs by name: environment variables read at load, and the same names
// (and a few test controls) through KVXSIM_Control. sim/README.md lists them all.
#include <functional>
#include <string>
#include <string_view>

#include "sim/simulator.h"

namespace kvx::sim {

inline constexpr int ControlRefused = -1;

// Sets a knob, runs a control or answers a query. Settings and controls return 0 when
// taken; queries return their answer (0 or more); anything refused returns -1 and changes
// nothing, with Error (when given) saying why.
int ApplyControl(TSimulator& Simulator, std::string_view Key, std::string_view Value, std::string* Error = nullptr);

// Applies every KVXSIM_* variable that is set, in a fixed order (memory before password);
// a refused one is reported and skipped.
using TGetEnv = std::function<const char*(const char* Name)>;
void ApplyEnvironment(TSimulator& Simulator, const TGetEnv& GetEnv,
                      const std::function<void(const std::string&)>& Report);

} // namespace kvx::sim
