#pragma once
// The USB link over the vendor library: watches devices come and go, opens one by number,
// moves bytes, and reports bytes the device sends unasked. It has no timers of its own: the
// owner calls PollDevices() every second and PollRX() every RXPollingtime() ms.
#include <cstdint>
#include <string>
#include <vector>

#include "link/siusbxp_library.h"
#include "link/usb_link.h"

namespace kvx {

// One known device: its list name ("Device00" for device 0) and its description.
struct TDeviceListEntry {
    std::string Name;
    TDeviceInfo Info;
};

// Reported when the library says the receive queue overran but still returned success:
// bytes were lost all the same.
inline constexpr uint8_t RxOverrunError = SI_READ_ERROR;

class TUSBXpress : public IUSBLink {
public:
    static constexpr uint16_t DefaultRXPollingtime = 100;
    static constexpr uint32_t DeviceWatchIntervalMs = 1000;

    explicit TUSBXpress(const TSiUSBXpApi& Api);
    ~TUSBXpress() override;
    TUSBXpress(const TUSBXpress&) = delete;
    TUSBXpress& operator=(const TUSBXpress&) = delete;

    // Fills DeviceInfo from the library's five strings; the first failing status, or 0.
    uint8_t GetDeviceInfo(uint32_t DeviceNumber, TDeviceInfo& DeviceInfo);

    bool Open(uint32_t DeviceNumber) override;
    void Close() override;
    uint32_t Write(const uint8_t* Buffer, uint32_t Count) override;
    uint32_t Read(uint8_t* Buffer, uint32_t Count) override;
    void FlushBuffers(bool FlushTX, bool FlushRX) override;
    // 0xFF when no device is open.
    uint8_t CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus) override;
    // True when no device is open.
    bool SetFlowControl(uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD, int XonXoff) override;
    void EnableRX(bool Enable) override { FRXEnable = Enable; }
    bool DeviceConnected() const override { return FDeviceConnected; }

    // The owner reschedules its receive poll from this.
    void SetRXPollingtime(uint16_t Value) { FRxPollingTime = Value; }
    uint16_t RXPollingtime() const { return FRxPollingTime; }

    // Library status; 0xFF when no device is open.
    uint8_t SetBaudRate(uint32_t BaudRate);
    uint8_t SetLineControl(uint16_t LineControl);
    // Library status.
    uint8_t SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout);
    uint8_t GetTimeouts(uint32_t& ReadTimeout, uint32_t& WriteTimeout);
    uint8_t GetLIBVersion(uint32_t& HighVersion, uint32_t& LowVersion);
    uint8_t GetDLLVersion(uint32_t& HighVersion, uint32_t& LowVersion);

    // Device watch: compares the library's device count with the known devices and raises
    // OnDeviceConnect / OnDeviceDisconnect for each one that came or went.
    void PollDevices();
    // Receive poll: raises OnRxData when bytes wait; flushes and reports an overrun.
    void PollRX();

    const std::vector<TDeviceListEntry>& DeviceList() const { return FDeviceList; }

private:
    bool FindNewDevice();
    bool FindRemovedDevice(TDeviceInfo& Removed);
    void RemoveDevice(const TDeviceInfo& DeviceInfo);
    bool IsListed(const TDeviceInfo& DeviceInfo) const;
    bool HandleOpen() const { return FDeviceHandle != nullptr; }
    // Cancels a pending transfer; "nothing to cancel" is fine too.
    bool CancelPendingIo();
    void RaiseError(SI_STATUS Status);
    // Raises OnError for a failed call; true when the call succeeded.
    bool Succeeded(SI_STATUS Status);

    const TSiUSBXpApi& FApi;
    uint32_t FNumDevices = 0;
    int FDeviceNumber = -1;
    SI_HANDLE FDeviceHandle = nullptr;
    uint32_t FDeviceCount = 0;
    std::vector<TDeviceListEntry> FDeviceList;
    bool FDeviceConnected = false;
    bool FRXEnable = true;
    uint16_t FRxPollingTime = DefaultRXPollingtime;
};

// "Device" and the number as two (or more) upper-case hex digits.
std::string DeviceListName(uint32_t DeviceNumber);

} // namespace kvx
