#include "tests/support/fake_unit_link.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "link/kvx.h"
#include "sim/faults.h"

namespace kvx::test {

TDeviceInfo DongleInfo(uint32_t DeviceNumber)
{
    TDeviceInfo info;
    info.DeviceNumber = DeviceNumber;
    info.Serial = DongleSerial;
    info.Description = DongleDescription;
    info.LinkName = "\\\\?\\usb#vid_10c4&pid_8a4c#0001";
    info.VID = DongleVID;
    info.PID = DonglePID;
    return info;
}

TFakeUnitLink::TFakeUnitLink()
{
    Unit.Memory.assign(UnitMemorySize, 0);
}

bool TFakeUnitLink::Open(uint32_t DeviceNumber)
{
    if (OpenFails) return false;
    OpenedDevice = DeviceNumber;
    Connected = true;
    return true;
}

uint32_t TFakeUnitLink::Write(const uint8_t* Buffer, uint32_t Count)
{
    if (WriteFails) return 0;
    Requests.emplace_back(Buffer, Buffer + Count);
    if (!Silent)
        // The unit's clock and status frames are not used here: it stays at time 0.
        for (const auto& reply : Unit.Receive(Buffer, Count, FRtsActive, 0))
            RxQueue.insert(RxQueue.end(), reply.Bytes.begin(), reply.Bytes.end());
    if (AfterRequest && Count >= 2) AfterRequest(static_cast<TKVXCommand>(Buffer[1]));
    return Count;
}

uint32_t TFakeUnitLink::Read(uint8_t* Buffer, uint32_t Count)
{
    const uint32_t n = std::min<uint32_t>(Count, static_cast<uint32_t>(RxQueue.size()));
    std::copy_n(RxQueue.begin(), n, Buffer);
    RxQueue.erase(RxQueue.begin(), RxQueue.begin() + n);
    return n;
}

void TFakeUnitLink::FlushBuffers(bool FlushTX, bool FlushRX)
{
    if (FlushTX) Unit.DropPartialRequest();
    if (FlushRX) RxQueue.clear();
}

uint8_t TFakeUnitLink::CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus)
{
    NumBytesInQueue = static_cast<uint32_t>(RxQueue.size());
    QueueStatus = QueueReady;
    return 0;
}

bool TFakeUnitLink::SetFlowControl(uint8_t, uint8_t RTS, uint8_t, uint8_t, uint8_t, int)
{
    RtsHistory.push_back(RTS);
    if (RTS ? RaiseFails : LowerFails) return false;
    FRtsActive = RTS != 0;
    return true;
}

void TFakeUnitLink::SetUnitFaults(std::string_view Faults)
{
    const auto faults = sim::ParseFaults(Faults);
    if (!faults) throw std::invalid_argument("unit faults refused: " + std::string(Faults));
    Unit.SetFaults(*faults);
}

void TFakeUnitLink::Receive(const std::vector<uint8_t>& bytes)
{
    RxQueue.insert(RxQueue.end(), bytes.begin(), bytes.end());
}

std::vector<TKVXCommand> TFakeUnitLink::Commands() const
{
    std::vector<TKVXCommand> commands;
    for (const auto& request : Requests)
        if (request.size() >= 2) commands.push_back(static_cast<TKVXCommand>(request[1]));
    return commands;
}

size_t TFakeUnitLink::CountOf(TKVXCommand command) const
{
    const auto commands = Commands();
    return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

} // namespace kvx::test
