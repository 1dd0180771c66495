#pragma once
// The link when no USB library could be loaded: no dongle ever appears, nothing moves.
#include "link/usb_link.h"

namespace kvx::ui {

class TAbsentUSBLink : public IUSBLink {
public:
    bool Open(uint32_t) override { return false; }
    void Close() override {}
    uint32_t Write(const uint8_t*, uint32_t) override { return 0; }
    uint32_t Read(uint8_t*, uint32_t) override { return 0; }
    void FlushBuffers(bool, bool) override {}
    uint8_t CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus) override
    {
        NumBytesInQueue = 0;
        QueueStatus = 0;
        return NoDevice;
    }
    bool SetFlowControl(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, int) override { return false; }
    void EnableRX(bool) override {}
    bool DeviceConnected() const override { return false; }

private:
    static constexpr uint8_t NoDevice = 0xFF;
};

} // namespace kvx::ui
