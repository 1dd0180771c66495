#pragma once
// A link answered at once by the simulator's unit model, with switches for the link's own
// faults the device object must survive. The unit's misbehaviour is kvxsim's fault list.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "link/kvx_frames.h"
#include "link/usb_link.h"
#include "sim/unit_model.h"

namespace kvx::test {

// The programming dongle as the link reports it.
TDeviceInfo DongleInfo(uint32_t DeviceNumber = 0);

class TFakeUnitLink : public IUSBLink {
public:
    TFakeUnitLink();

    bool Open(uint32_t DeviceNumber) override;
    void Close() override { Connected = false; }
    uint32_t Write(const uint8_t* Buffer, uint32_t Count) override;
    uint32_t Read(uint8_t* Buffer, uint32_t Count) override;
    void FlushBuffers(bool FlushTX, bool FlushRX) override;
    uint8_t CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus) override;
    bool SetFlowControl(uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD, int XonXoff) override;
    void EnableRX(bool Enable) override { RxEnabled = Enable; }
    bool DeviceConnected() const override { return Connected; }

    // The unit misbehaves as kvxsim's KVXSIM_FAULT says ("drop-reply@begin,stop-after-page=3");
    // "none" clears. Throws on a list kvxsim would refuse.
    void SetUnitFaults(std::string_view Faults);
    // Queues bytes as if the unit had sent them unasked.
    void Receive(const std::vector<uint8_t>& bytes);
    // Commands that crossed the link, in order.
    std::vector<TKVXCommand> Commands() const;
    size_t CountOf(TKVXCommand command) const;

    sim::TUnitModel Unit;              // its memory starts erased to zeros
    std::vector<std::vector<uint8_t>> Requests;
    std::deque<uint8_t> RxQueue;
    std::vector<uint8_t> RtsHistory;
    std::optional<uint32_t> OpenedDevice;
    bool Connected = false;
    bool RxEnabled = true;
    bool Silent = false;               // no unit on the line: requests reach nothing
    bool RaiseFails = false;           // setting RTS active fails
    bool LowerFails = false;           // setting RTS inactive fails
    bool WriteFails = false;           // every write reports 0 bytes
    bool OpenFails = false;            // an open leaves the link as it was
    // Called after each write, once the unit's reply is queued.
    std::function<void(TKVXCommand)> AfterRequest;

private:
    bool FRtsActive = false;
};

} // namespace kvx::test
