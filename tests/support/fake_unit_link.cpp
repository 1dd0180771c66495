#include "tests/support/fake_unit_link.h"

#include <algorithm>
#include <cstring>

#include "link/crc8.h"
#include "link/kvx.h"

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

TFakeUnitLink::TFakeUnitLink() : Memory(UnitMemorySize, 0) {}

bool TFakeUnitLink::Open(uint32_t DeviceNumber)
{
    if (OpenFails) return false;
    OpenedDevice = DeviceNumber;
    Connected = true;
    return true;
}

void TFakeUnitLink::Close()
{
    Connected = false;
}

uint32_t TFakeUnitLink::Write(const uint8_t* Buffer, uint32_t Count)
{
    if (WriteFails) return 0;
    Requests.emplace_back(Buffer, Buffer + Count);
    if (Count < 4 || Buffer[0] != FrameStart || Crc8Maxim(Buffer + 1, Count - 2) != Buffer[Count - 1]) return Count;
    const auto command = static_cast<TKVXCommand>(Buffer[1]);
    if (!Silent && !Ignored.count(command)) {
        const bool isPage = command == TKVXCommand::ReadPage || command == TKVXCommand::WritePage;
        const bool answered = !isPage || !AnswerPagesUntil || FPageRequests < *AnswerPagesUntil;
        if (isPage) ++FPageRequests;
        const size_t address = Count >= 5 ? (size_t(Buffer[3]) << 8 | Buffer[4]) : 0;
        if (answered) {
            switch (command) {
            case TKVXCommand::ReadPage:
                Reply(Memory.data() + address, PageSize);
                break;
            case TKVXCommand::WritePage:
                std::memcpy(Memory.data() + address, Buffer + 5, PageSize);
                Reply(nullptr, 0);
                break;
            case TKVXCommand::EnterConfig:
            case TKVXCommand::ExitConfig:
            case TKVXCommand::BeginTransfer:
                Reply(nullptr, 0);
                break;
            case TKVXCommand::SetTime:
                break;
            }
        }
    }
    if (AfterRequest) AfterRequest(command);
    return Count;
}

void TFakeUnitLink::Reply(const uint8_t* payload, uint8_t length)
{
    uint8_t frame[PageReplySize];
    const size_t size = AssembleReply(frame, Acknowledgement.value_or(Acknowledge), payload, length);
    RxQueue.insert(RxQueue.end(), StrayBeforeReply.begin(), StrayBeforeReply.end());
    RxQueue.insert(RxQueue.end(), frame, frame + size);
}

uint32_t TFakeUnitLink::Read(uint8_t* Buffer, uint32_t Count)
{
    const uint32_t n = std::min<uint32_t>(Count, static_cast<uint32_t>(RxQueue.size()));
    std::copy_n(RxQueue.begin(), n, Buffer);
    RxQueue.erase(RxQueue.begin(), RxQueue.begin() + n);
    return n;
}

void TFakeUnitLink::FlushBuffers(bool, bool FlushRX)
{
    if (FlushRX) RxQueue.clear();
}

uint8_t TFakeUnitLink::CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus)
{
    NumBytesInQueue = ReportedWaiting.value_or(static_cast<uint32_t>(RxQueue.size()));
    QueueStatus = QueueReady;
    return 0;
}

bool TFakeUnitLink::SetFlowControl(uint8_t, uint8_t RTS, uint8_t, uint8_t, uint8_t, int)
{
    RtsHistory.push_back(RTS);
    return RTS ? !RaiseFails : !LowerFails;
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
