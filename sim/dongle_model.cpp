#include "sim/dongle_model.h"

#include <algorithm>
#include <cstring>

namespace kvx::sim {

namespace {

// Handles are opaque to the caller; a fresh value per open makes a stale one detectable.
constexpr THandleValue HandleBase = 0x4B560000;
constexpr uint32_t MaxBaudRate = 921600;
constexpr uint32_t BitsPerByte = 10; // start, eight data, stop

const char* const ProductStrings[] = {SimSerial, SimDescription, SimLinkName, SimVID, SimPID};

bool IsStatusInputCode(uint8_t code)
{
    return code == SI_STATUS_INPUT || code == SI_HANDSHAKE_LINE;
}

bool IsOutputCode(uint8_t code)
{
    return code == SI_HELD_INACTIVE || code == SI_HELD_ACTIVE || code == SI_FIRMWARE_CONTROLLED;
}

} // namespace

void TDongleModel::Reset()
{
    F = TState{};
}

void TDongleModel::Tick(uint64_t NowMs)
{
    F.NowMs = NowMs;
    if (F.UnplugAtMs && NowMs >= *F.UnplugAtMs) Unplug();
    const auto due = std::find_if(F.Pending.begin(), F.Pending.end(),
                                  [&](const TPending& p) { return p.DueMs > NowMs; });
    for (auto p = F.Pending.begin(); p != due; ++p) Enqueue(p->Bytes);
    F.Pending.erase(F.Pending.begin(), due);
    const auto status = FUnit.StatusDue(NowMs);
    if (IsOpen()) Enqueue(status);
}

// What one connection leaves behind: queued bytes, the overrun, pending replies, RTS, a timed pull.
void TDongleModel::ClearLine()
{
    F.Queue.clear();
    F.Overrun = false;
    F.Pending.clear();
    F.Rts = SI_HELD_INACTIVE;
    F.UnplugAtMs.reset();
}

void TDongleModel::Unplug()
{
    F.Plugged = false;
    F.HandleGone = F.Handle != 0;
    ClearLine();
    FUnit.Disconnect();
}

void TDongleModel::ArmOverrun(bool Armed)
{
    F.OverrunArmed = Armed;
    if (Armed && IsOpen()) Flood();
}

void TDongleModel::Flood()
{
    while (!F.Overrun) Enqueue(FUnit.CurrentStatus(F.NowMs));
    F.OverrunArmed = false;
}

void TDongleModel::SetTiming(uint32_t BaudRate, uint32_t PageWriteMs)
{
    F.ModelBaud = BaudRate;
    F.PageWriteMs = PageWriteMs;
}

void TDongleModel::SetUnplugAfter(uint64_t Milliseconds)
{
    F.UnplugAfterMs = Milliseconds;
    F.UnplugAtMs.reset();
    if (Milliseconds && IsOpen()) F.UnplugAtMs = F.NowMs + Milliseconds;
}

void TDongleModel::Enqueue(const std::vector<uint8_t>& Bytes)
{
    const size_t room = QueueCapacity - F.Queue.size();
    const size_t taken = std::min(room, Bytes.size());
    F.Queue.insert(F.Queue.end(), Bytes.begin(), Bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    if (taken < Bytes.size()) F.Overrun = true;
}

uint64_t TDongleModel::LineMs(size_t Bytes) const
{
    if (!F.ModelBaud) return 0;
    return (Bytes * BitsPerByte * 1000 + F.ModelBaud - 1) / F.ModelBaud;
}

SI_STATUS TDongleModel::CheckHandle(THandleValue Handle) const
{
    if (Handle == 0 || Handle != F.Handle) return SI_INVALID_HANDLE;
    return F.HandleGone ? SI_DEVICE_IO_FAILED : SI_SUCCESS;
}

SI_STATUS TDongleModel::GetNumDevices(uint32_t* NumDevices) const
{
    if (!NumDevices) return SI_INVALID_PARAMETER;
    *NumDevices = F.Plugged ? 1 : 0;
    return F.Plugged ? SI_SUCCESS : SI_DEVICE_NOT_FOUND;
}

SI_STATUS TDongleModel::GetProductString(uint32_t DeviceNumber, void* Buffer, uint32_t Option) const
{
    if (!Buffer || Option > SI_RETURN_PID) return SI_INVALID_PARAMETER;
    if (!F.Plugged || DeviceNumber != 0) return SI_DEVICE_NOT_FOUND;
    const char* text = ProductStrings[Option];
    std::memcpy(Buffer, text, std::strlen(text) + 1);
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::Open(uint32_t DeviceNumber, THandleValue* Handle)
{
    if (!Handle) return SI_INVALID_PARAMETER;
    // One program at a time, as with the real device.
    if (!F.Plugged || DeviceNumber != 0 || IsOpen()) return SI_DEVICE_NOT_FOUND;
    F.Handle = HandleBase + ++F.OpenCount;
    F.HandleGone = false;
    ClearLine();
    if (F.UnplugAfterMs) F.UnplugAtMs = F.NowMs + F.UnplugAfterMs;
    if (F.OverrunArmed) Flood();
    *Handle = F.Handle;
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::Close(THandleValue Handle)
{
    if (Handle == 0 || Handle != F.Handle) return SI_INVALID_HANDLE;
    F.Handle = 0;
    F.HandleGone = false;
    ClearLine();
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::Read(THandleValue Handle, void* Buffer, uint32_t Count, uint32_t* Returned)
{
    if (!Buffer || !Returned) return SI_INVALID_PARAMETER;
    *Returned = 0;
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    if (Count == 0 || Count > MaxReadSize) return SI_INVALID_REQUEST_LENGTH;
    const auto n = std::min<size_t>(Count, F.Queue.size());
    std::copy_n(F.Queue.begin(), n, static_cast<uint8_t*>(Buffer));
    F.Queue.erase(F.Queue.begin(), F.Queue.begin() + static_cast<std::ptrdiff_t>(n));
    *Returned = static_cast<uint32_t>(n);
    // The real library waits for the rest until its read time-out; the simulator never waits.
    return n == Count ? SI_SUCCESS : SI_READ_TIMED_OUT;
}

SI_STATUS TDongleModel::Write(THandleValue Handle, const void* Buffer, uint32_t Count, uint32_t* Written)
{
    if (!Buffer || !Written) return SI_INVALID_PARAMETER;
    *Written = 0;
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    if (Count == 0 || Count > MaxWriteSize) return SI_INVALID_REQUEST_LENGTH;
    const auto replies = FUnit.Receive(static_cast<const uint8_t*>(Buffer), Count, RtsActive(), F.NowMs);
    for (const auto& reply : replies) {
        uint64_t due = F.NowMs + LineMs(Count) + (reply.PageWritten ? F.PageWriteMs : 0) + LineMs(reply.Bytes.size());
        if (!F.Pending.empty()) due = std::max(due, F.Pending.back().DueMs);
        if (due <= F.NowMs)
            Enqueue(reply.Bytes);
        else
            F.Pending.push_back({due, reply.Bytes});
    }
    *Written = Count;
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::CancelIo(THandleValue Handle) const
{
    const SI_STATUS status = CheckHandle(Handle);
    // Every transfer completes at once: there is never anything to cancel.
    return status ? status : SI_NOTHING_TO_CANCEL;
}

SI_STATUS TDongleModel::FlushBuffers(THandleValue Handle, uint8_t FlushTransmit, uint8_t FlushReceive)
{
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    if (FlushTransmit) FUnit.DropPartialRequest();
    if (FlushReceive) {
        F.Queue.clear();
        F.Overrun = false;
    }
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::CheckRXQueue(THandleValue Handle, uint32_t* NumBytes, uint32_t* QueueStatus) const
{
    if (!NumBytes || !QueueStatus) return SI_INVALID_PARAMETER;
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    *NumBytes = QueuedBytes();
    if (F.Overrun) {
        // Reported as a failure, so a caller that only looks at success sees it.
        *QueueStatus = SI_RX_OVERRUN;
        return SI_RX_QUEUE_NOT_READY;
    }
    *QueueStatus = F.Queue.empty() ? SI_RX_EMPTY : SI_RX_READY;
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::SetFlowControl(THandleValue Handle, uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR,
                                       uint8_t DCD, int)
{
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    if (!IsStatusInputCode(CTS) || !IsStatusInputCode(DSR) || !IsStatusInputCode(DCD) || !IsOutputCode(RTS) ||
        !IsOutputCode(DTR))
        return SI_INVALID_PARAMETER;
    F.Rts = RTS;
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::SetBaudRate(THandleValue Handle, uint32_t BaudRate)
{
    if (const SI_STATUS status = CheckHandle(Handle)) return status;
    // The line speed is the dongle's business; the timing model has its own knob.
    return BaudRate == 0 || BaudRate > MaxBaudRate ? SI_INVALID_BAUDRATE : SI_SUCCESS;
}

SI_STATUS TDongleModel::SetLineControl(THandleValue Handle, uint16_t)
{
    return CheckHandle(Handle);
}

SI_STATUS TDongleModel::SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout)
{
    F.ReadTimeout = ReadTimeout;
    F.WriteTimeout = WriteTimeout;
    return SI_SUCCESS;
}

SI_STATUS TDongleModel::GetTimeouts(uint32_t* ReadTimeout, uint32_t* WriteTimeout) const
{
    if (!ReadTimeout || !WriteTimeout) return SI_INVALID_PARAMETER;
    *ReadTimeout = F.ReadTimeout;
    *WriteTimeout = F.WriteTimeout;
    return SI_SUCCESS;
}

} // namespace kvx::sim
