#include "sim/simulator.h"

#include <algorithm>

#include "sim/default_memory.h"

namespace kvx::sim {

TSimulator::TSimulator(TReport Report) : FReport(std::move(Report)), FOtherUnit{SecondUnitMemory(), SecondIMEI} {}

void TSimulator::Settle()
{
    if (!Unit.TakeCompletedWrite() || !FMemoryFile || FSecondUnitAttached) return;
    std::string error;
    if (!SaveMemoryFile(*FMemoryFile, Unit.Memory, error) && FReport) FReport(error);
}

void TSimulator::Reset()
{
    Clock = TSimClock();
    Unit = TUnitModel();
    Dongle.Reset();
    FMemoryFile.reset();
    FOtherUnit = {SecondUnitMemory(), SecondIMEI};
    FSecondUnitAttached = false;
    FBaudRate = 0;
    FPageWriteMs = 0;
}

bool TSimulator::UseMemoryFile(const std::string& Path, std::string& Error)
{
    auto memory = DefaultUnitMemory();
    std::vector<uint8_t>& firstUnit = FSecondUnitAttached ? FOtherUnit.Memory : Unit.Memory;
    if (Path.empty()) {
        FMemoryFile.reset();
        firstUnit = std::move(memory);
        return true;
    }
    TMemoryFile file;
    if (!LoadMemoryFile(Path, memory, file, Error)) return false;
    FMemoryFile = file;
    firstUnit = std::move(memory);
    return true;
}

void TSimulator::SwapUnit()
{
    Unit.Disconnect();
    std::swap(Unit.Memory, FOtherUnit.Memory);
    std::swap(Unit.IMEI, FOtherUnit.IMEI);
    FSecondUnitAttached = !FSecondUnitAttached;
}

void TSimulator::SetFaults(const TFaultList& Faults)
{
    TFaultList unitFaults;
    bool overrun = false;
    for (const auto& fault : Faults) {
        if (fault.Kind == TFaultKind::Overrun)
            overrun = true;
        else
            unitFaults.push_back(fault);
    }
    Unit.SetFaults(std::move(unitFaults));
    Dongle.ArmOverrun(overrun);
}

void TSimulator::SetBaudRate(uint32_t BaudRate)
{
    FBaudRate = BaudRate;
    Dongle.SetTiming(FBaudRate, FPageWriteMs);
}

void TSimulator::SetPageWriteMs(uint32_t Milliseconds)
{
    FPageWriteMs = Milliseconds;
    Dongle.SetTiming(FBaudRate, FPageWriteMs);
}

} // namespace kvx::sim
