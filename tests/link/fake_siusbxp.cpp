#include "tests/link/fake_siusbxp.h"

#include <algorithm>
#include <cstring>

namespace kvx::test {

TFakeSiUSBXp Fake;

namespace {

int HandleTarget = 0;

bool Valid(SI_HANDLE Handle)
{
    return Handle == FakeHandle() && Fake.OpenHandles > 0;
}

SI_STATUS SI_API GetNumDevices(uint32_t* Count)
{
    if (Fake.NumDevicesWritesCount) *Count = static_cast<uint32_t>(Fake.Devices.size());
    return Fake.NumDevicesStatus;
}

SI_STATUS SI_API GetProductString(uint32_t Device, void* Buffer, uint32_t Option)
{
    Fake.ProductStringCalls.emplace_back(Device, Option);
    const auto failure = Fake.ProductStringFailures.find({Device, Option});
    if (failure != Fake.ProductStringFailures.end()) return failure->second;
    if (Device >= Fake.Devices.size() || Option > SI_RETURN_PID) return SI_DEVICE_NOT_FOUND;
    // Like a careless library: a string of the buffer's size or more comes unterminated.
    const std::string& text = Fake.Devices[Device][Option];
    const size_t length = std::min<size_t>(text.size(), SI_MAX_DEVICE_STRLEN);
    std::memcpy(Buffer, text.data(), length);
    if (length < SI_MAX_DEVICE_STRLEN) static_cast<char*>(Buffer)[length] = '\0';
    return SI_SUCCESS;
}

SI_STATUS SI_API Open(uint32_t Device, SI_HANDLE* Handle)
{
    if (Fake.OpenStatus != SI_SUCCESS) return Fake.OpenStatus;
    if (Device >= Fake.Devices.size()) return SI_DEVICE_NOT_FOUND;
    ++Fake.OpenHandles;
    *Handle = FakeHandle();
    return SI_SUCCESS;
}

SI_STATUS SI_API Close(SI_HANDLE Handle)
{
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    if (Fake.CloseStatus != SI_SUCCESS) return Fake.CloseStatus;
    --Fake.OpenHandles;
    return SI_SUCCESS;
}

SI_STATUS SI_API Read(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Returned, void* Overlapped)
{
    if (Overlapped) Fake.OverlappedSeen = true;
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    const uint32_t n = std::min<uint32_t>(Count, static_cast<uint32_t>(Fake.RxQueue.size()));
    std::copy_n(Fake.RxQueue.begin(), n, static_cast<uint8_t*>(Buffer));
    Fake.RxQueue.erase(Fake.RxQueue.begin(), Fake.RxQueue.begin() + n);
    *Returned = n + Fake.ReadOverReports;
    return Fake.ReadStatus;
}

SI_STATUS SI_API Write(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Written, void* Overlapped)
{
    ++Fake.Writes;
    if (Overlapped) Fake.OverlappedSeen = true;
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    if (Fake.WriteStatus != SI_SUCCESS) return Fake.WriteStatus;
    const uint32_t n = std::min(Count, Fake.WriteAccepts);
    const auto* bytes = static_cast<const uint8_t*>(Buffer);
    Fake.Written.insert(Fake.Written.end(), bytes, bytes + n);
    *Written = n;
    return SI_SUCCESS;
}

SI_STATUS SI_API CancelIo(SI_HANDLE Handle)
{
    ++Fake.Cancels;
    return Valid(Handle) ? Fake.CancelStatus : SI_INVALID_HANDLE;
}

SI_STATUS SI_API FlushBuffers(SI_HANDLE Handle, uint8_t Transmit, uint8_t Receive)
{
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    Fake.Flushes.emplace_back(Transmit, Receive);
    if (Receive) Fake.RxQueue.clear();
    return Fake.FlushStatus;
}

SI_STATUS SI_API CheckRXQueue(SI_HANDLE Handle, uint32_t* Count, uint32_t* QueueStatus)
{
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    *Count = static_cast<uint32_t>(Fake.RxQueue.size());
    *QueueStatus = Fake.QueueStatusOverride.value_or(Fake.RxQueue.empty() ? SI_RX_EMPTY : SI_RX_READY);
    return Fake.CheckStatus;
}

SI_STATUS SI_API SetFlowControl(SI_HANDLE Handle, uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD,
                                int XonXoff)
{
    if (!Valid(Handle)) return SI_INVALID_HANDLE;
    Fake.FlowControls.push_back({CTS, RTS, DTR, DSR, DCD, XonXoff});
    return Fake.FlowStatus;
}

SI_STATUS SI_API SetBaudRate(SI_HANDLE Handle, uint32_t)
{
    return Valid(Handle) ? SI_SUCCESS : SI_INVALID_HANDLE;
}

SI_STATUS SI_API SetLineControl(SI_HANDLE Handle, uint16_t)
{
    return Valid(Handle) ? SI_SUCCESS : SI_INVALID_HANDLE;
}

SI_STATUS SI_API SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout)
{
    Fake.Timeouts = {ReadTimeout, WriteTimeout};
    return Fake.NoHandleStatus;
}

SI_STATUS SI_API GetTimeouts(uint32_t* ReadTimeout, uint32_t* WriteTimeout)
{
    *ReadTimeout = Fake.Timeouts.first;
    *WriteTimeout = Fake.Timeouts.second;
    return Fake.NoHandleStatus;
}

SI_STATUS SI_API GetDLLVersion(uint32_t* High, uint32_t* Low)
{
    *High = 0x00030005;
    *Low = 0x00010000;
    return Fake.NoHandleStatus;
}

SI_STATUS SI_API GetDriverVersion(uint32_t* High, uint32_t* Low)
{
    *High = 0x00040002;
    *Low = 0x00000001;
    return Fake.NoHandleStatus;
}

} // namespace

SI_HANDLE FakeHandle()
{
    return &HandleTarget;
}

const TSiUSBXpApi& FakeApi()
{
    static const TSiUSBXpApi api{GetNumDevices, GetProductString, Open,           Close,          Read,
                                 Write,         CancelIo,         FlushBuffers,   CheckRXQueue,   SetFlowControl,
                                 SetBaudRate,   SetLineControl,   SetTimeouts,    GetTimeouts,    GetDLLVersion,
                                 GetDriverVersion};
    return api;
}

} // namespace kvx::test
