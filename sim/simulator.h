#pragma once
// One simulated dongle with its unit, the clock they run on and the memory file behind
// the unit: what the exported library calls and the knobs act on.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "sim/dongle_model.h"
#include "sim/faults.h"
#include "sim/memory_file.h"
#include "sim/sim_clock.h"
#include "sim/unit_model.h"

namespace kvx::sim {

class TSimulator {
public:
    using TReport = std::function<void(const std::string&)>;

    // Report receives problems the caller cannot be told about otherwise (a failed save).
    explicit TSimulator(TReport Report = nullptr);
    TSimulator(const TSimulator&) = delete;
    TSimulator& operator=(const TSimulator&) = delete;

    // Before serving a library call: lets the dongle and unit catch up with the clock.
    void Update() { Dongle.Tick(Clock.NowMs()); }
    // After serving one: saves the memory file when the unit has finished a write.
    void Settle();
    // The built-in unit, plugged and closed, real time, no faults, no file, no timing.
    void Reset();

    // Takes the file as the unit's memory from now on (laid over the built-in unit);
    // an empty path detaches it and brings the built-in unit back.
    bool UseMemoryFile(const std::string& Path, std::string& Error);
    void SetFaults(const TFaultList& Faults);
    void SetBaudRate(uint32_t BaudRate);
    void SetPageWriteMs(uint32_t Milliseconds);
    // Moves the dongle's cable to the other of two units, each with its own memory and IMEI;
    // the memory file belongs to the first. The unit left leaves configuration mode.
    void SwapUnit();

    TSimClock Clock;
    TUnitModel Unit;
    TDongleModel Dongle{Unit};

private:
    TReport FReport;
    std::optional<TMemoryFile> FMemoryFile;
    struct TParkedUnit {
        std::vector<uint8_t> Memory;
        std::string IMEI;
    };
    TParkedUnit FOtherUnit;
    bool FSecondUnitAttached = false;
    uint32_t FBaudRate = 0;
    uint32_t FPageWriteMs = 0;
};

} // namespace kvx::sim
