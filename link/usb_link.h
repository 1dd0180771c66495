#pragma once
// What the device object uses of the USB link: the seam between the protocol and the
// vendor library, so the protocol runs against a scripted link in tests.
#include <cstdint>
#include <functional>

#include "link/device_info.h"

namespace kvx {

// Receive queue states the library reports.
inline constexpr uint32_t QueueOverrun = 1;
inline constexpr uint32_t QueueReady = 2;

class IUSBLink {
public:
    virtual ~IUSBLink() = default;

    // True when the device is now open. A device that cannot be opened leaves one that was
    // open before as it was.
    virtual bool Open(uint32_t DeviceNumber) = 0;
    virtual void Close() = 0;
    virtual uint32_t Write(const uint8_t* Buffer, uint32_t Count) = 0;
    virtual uint32_t Read(uint8_t* Buffer, uint32_t Count) = 0;
    virtual void FlushBuffers(bool FlushTX, bool FlushRX) = 0;
    virtual uint8_t CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus) = 0;
    virtual bool SetFlowControl(uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD, int XonXoff) = 0;
    virtual void EnableRX(bool Enable) = 0;
    virtual bool DeviceConnected() const = 0;

    // Raised only when assigned.
    std::function<void(const TDeviceInfo&)> OnDeviceConnect;
    std::function<void(const TDeviceInfo&)> OnDeviceDisconnect;
    std::function<void(uint8_t ErrorCode)> OnError;
    std::function<void(uint32_t Count)> OnRxData;
};

} // namespace kvx
