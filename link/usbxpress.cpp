#include "link/usbxpress.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kvx {

namespace {

// The library promises a terminated string, but a full buffer must not run past it.
constexpr size_t MaxProductStringLength = SI_MAX_DEVICE_STRLEN - 2;

std::string ProductStringText(const std::array<uint8_t, SI_MAX_DEVICE_STRLEN>& Buffer)
{
    const auto end = std::find(Buffer.begin(), Buffer.begin() + MaxProductStringLength, 0);
    return std::string(Buffer.begin(), end);
}

bool CancelSucceeded(SI_STATUS Status)
{
    return Status == SI_SUCCESS || Status == SI_NOTHING_TO_CANCEL;
}

} // namespace

std::string DeviceListName(uint32_t DeviceNumber)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02X", DeviceNumber);
    return std::string("Device") + digits;
}

TUSBXpress::TUSBXpress(const TSiUSBXpApi& Api) : FApi(Api) {}

TUSBXpress::~TUSBXpress()
{
    // The owner is going away too: nobody is left to hear about a failed close.
    OnDeviceConnect = nullptr;
    OnDeviceDisconnect = nullptr;
    OnError = nullptr;
    OnRxData = nullptr;
    Close();
}

void TUSBXpress::RaiseError(SI_STATUS Status)
{
    if (OnError) OnError(static_cast<uint8_t>(Status));
}

bool TUSBXpress::Succeeded(SI_STATUS Status)
{
    if (Status == SI_SUCCESS) return true;
    RaiseError(Status);
    return false;
}

uint8_t TUSBXpress::GetDeviceInfo(uint32_t DeviceNumber, TDeviceInfo& DeviceInfo)
{
    DeviceInfo = TDeviceInfo{};
    DeviceInfo.DeviceNumber = DeviceNumber;
    // In the order of the library's option codes 0 to 4.
    std::string* const fields[] = {&DeviceInfo.Serial, &DeviceInfo.Description, &DeviceInfo.LinkName,
                                   &DeviceInfo.VID, &DeviceInfo.PID};
    for (uint32_t option = SI_RETURN_SERIAL_NUMBER; option <= SI_RETURN_PID; ++option) {
        std::array<uint8_t, SI_MAX_DEVICE_STRLEN> buffer{};
        const SI_STATUS status = FApi.GetProductString(DeviceNumber, buffer.data(), option);
        if (!Succeeded(status)) return static_cast<uint8_t>(status);
        *fields[option] = ProductStringText(buffer);
    }
    return SI_SUCCESS;
}

bool TUSBXpress::Open(uint32_t DeviceNumber)
{
    SI_HANDLE handle = nullptr;
    // The device open now stays in use until another one has opened.
    if (!Succeeded(FApi.Open(DeviceNumber, &handle))) return false;
    // A null handle is indistinguishable from "nothing open".
    if (!handle) {
        RaiseError(SI_INVALID_HANDLE);
        return false;
    }
    // A second open would otherwise lose the first handle, and the device with it.
    Close();
    FDeviceHandle = handle;
    FDeviceNumber = static_cast<int>(DeviceNumber);
    FDeviceConnected = true;
    return true;
}

void TUSBXpress::Close()
{
    if (!HandleOpen()) return;
    const SI_STATUS status = FApi.Close(FDeviceHandle);
    // The handle is given up either way, so the device is no longer usable through it.
    FDeviceHandle = nullptr;
    FDeviceNumber = -1;
    FDeviceConnected = false;
    Succeeded(status);
}

bool TUSBXpress::CancelPendingIo()
{
    const SI_STATUS status = FApi.CancelIo(FDeviceHandle);
    if (CancelSucceeded(status)) return true;
    RaiseError(status);
    return false;
}

uint32_t TUSBXpress::Write(const uint8_t* Buffer, uint32_t Count)
{
    if (!HandleOpen() || !CancelPendingIo()) return 0;
    uint32_t written = 0;
    // The library's prototype is not const-correct; it only reads the buffer.
    const SI_STATUS status = FApi.Write(FDeviceHandle, const_cast<uint8_t*>(Buffer), Count, &written, nullptr);
    if (status == SI_SUCCESS && written == Count) return Count;
    RaiseError(status);  // 0 when only the count fell short
    return 0;
}

uint32_t TUSBXpress::Read(uint8_t* Buffer, uint32_t Count)
{
    if (!HandleOpen() || !CancelPendingIo()) return 0;
    uint32_t read = 0;
    Succeeded(FApi.Read(FDeviceHandle, Buffer, Count, &read, nullptr));
    // Never claim more than the buffer could take.
    return std::min(read, Count);
}

void TUSBXpress::FlushBuffers(bool FlushTX, bool FlushRX)
{
    if (!HandleOpen()) return;
    Succeeded(FApi.FlushBuffers(FDeviceHandle, FlushTX ? 1 : 0, FlushRX ? 1 : 0));
}

uint8_t TUSBXpress::CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus)
{
    NumBytesInQueue = 0;
    QueueStatus = 0;
    if (!HandleOpen()) return SI_DEVICE_NOT_FOUND;
    return static_cast<uint8_t>(FApi.CheckRXQueue(FDeviceHandle, &NumBytesInQueue, &QueueStatus));
}

bool TUSBXpress::SetFlowControl(uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD, int XonXoff)
{
    if (!HandleOpen()) return true;
    return Succeeded(FApi.SetFlowControl(FDeviceHandle, CTS, RTS, DTR, DSR, DCD, XonXoff));
}

uint8_t TUSBXpress::SetBaudRate(uint32_t BaudRate)
{
    if (!HandleOpen()) return SI_DEVICE_NOT_FOUND;
    const SI_STATUS status = FApi.SetBaudRate(FDeviceHandle, BaudRate);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

uint8_t TUSBXpress::SetLineControl(uint16_t LineControl)
{
    if (!HandleOpen()) return SI_DEVICE_NOT_FOUND;
    const SI_STATUS status = FApi.SetLineControl(FDeviceHandle, LineControl);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

uint8_t TUSBXpress::SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout)
{
    const SI_STATUS status = FApi.SetTimeouts(ReadTimeout, WriteTimeout);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

uint8_t TUSBXpress::GetTimeouts(uint32_t& ReadTimeout, uint32_t& WriteTimeout)
{
    const SI_STATUS status = FApi.GetTimeouts(&ReadTimeout, &WriteTimeout);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

uint8_t TUSBXpress::GetLIBVersion(uint32_t& HighVersion, uint32_t& LowVersion)
{
    const SI_STATUS status = FApi.GetDriverVersion(&HighVersion, &LowVersion);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

uint8_t TUSBXpress::GetDLLVersion(uint32_t& HighVersion, uint32_t& LowVersion)
{
    const SI_STATUS status = FApi.GetDLLVersion(&HighVersion, &LowVersion);
    Succeeded(status);
    return static_cast<uint8_t>(status);
}

bool TUSBXpress::IsListed(const TDeviceInfo& DeviceInfo) const
{
    return std::any_of(FDeviceList.begin(), FDeviceList.end(),
                       [&](const TDeviceListEntry& entry) { return entry.Info.SameDevice(DeviceInfo); });
}

bool TUSBXpress::FindNewDevice()
{
    for (uint32_t number = 0; number < FDeviceCount; ++number) {
        TDeviceInfo info;
        if (GetDeviceInfo(number, info) != SI_SUCCESS || IsListed(info)) continue;
        FDeviceList.push_back({DeviceListName(number), info});
        return true;
    }
    return false;
}

bool TUSBXpress::FindRemovedDevice(TDeviceInfo& Removed)
{
    // The removed devices are the known ones that match none of the devices present now.
    std::vector<TDeviceInfo> present;
    for (uint32_t number = 0; number < FDeviceCount; ++number) {
        TDeviceInfo info;
        if (GetDeviceInfo(number, info) == SI_SUCCESS) present.push_back(info);
    }
    for (const TDeviceListEntry& entry : FDeviceList) {
        const bool stillPresent = std::any_of(present.begin(), present.end(),
                                              [&](const TDeviceInfo& info) { return info.SameDevice(entry.Info); });
        if (!stillPresent) {
            Removed = entry.Info;
            return true;
        }
    }
    return false;
}

void TUSBXpress::RemoveDevice(const TDeviceInfo& DeviceInfo)
{
    const auto entry = std::find_if(FDeviceList.begin(), FDeviceList.end(),
                                    [&](const TDeviceListEntry& e) { return e.Info.SameDevice(DeviceInfo); });
    if (entry != FDeviceList.end()) FDeviceList.erase(entry);
}

void TUSBXpress::PollDevices()
{
    // Cleared first: a library that fails without writing the count must not leave a stale one.
    FNumDevices = 0;
    const SI_STATUS status = FApi.GetNumDevices(&FNumDevices);
    if (status != SI_SUCCESS && FNumDevices != 0) {
        RaiseError(status);
        return;
    }
    if (FDeviceCount == FNumDevices) return;

    if (FDeviceCount > FNumDevices) {
        const uint32_t gone = FDeviceCount - FNumDevices;
        FDeviceCount = FNumDevices;
        for (uint32_t i = 0; i < gone; ++i) {
            TDeviceInfo removed;
            if (!FindRemovedDevice(removed)) continue;
            if (OnDeviceDisconnect) OnDeviceDisconnect(removed);
            RemoveDevice(removed);
        }
    } else {
        const uint32_t came = FNumDevices - FDeviceCount;
        FDeviceCount = FNumDevices;
        for (uint32_t i = 0; i < came; ++i) {
            if (!FindNewDevice()) continue;
            // A copy: a handler may poll again and change the list.
            const TDeviceInfo added = FDeviceList.back().Info;
            if (OnDeviceConnect) OnDeviceConnect(added);
        }
    }
}

void TUSBXpress::PollRX()
{
    if (!FRXEnable || FDeviceNumber < 0 || !HandleOpen()) return;
    uint32_t waiting = 0;
    uint32_t queueStatus = 0;
    const uint8_t status = CheckRXQueue(waiting, queueStatus);
    // Bytes were lost, and what is left is out of step with the unit's frames: drop it all.
    if (queueStatus == QueueOverrun) {
        FlushBuffers(false, true);
        RaiseError(status != SI_SUCCESS ? status : RxOverrunError);
        return;
    }
    if (status != SI_SUCCESS) {
        RaiseError(status);
        return;
    }
    if (waiting > 0 && queueStatus == QueueReady && OnRxData) OnRxData(waiting);
}

} // namespace kvx
