#pragma once
// A scripted link with a unit behind it: 64 KiB of memory and the protocol's commands,
// answered at once, with switches for the faults the device object must survive.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "link/kvx_frames.h"
#include "link/usb_link.h"

namespace kvx::test {

// The programming dongle as the link reports it.
TDeviceInfo DongleInfo(uint32_t DeviceNumber = 0);

class TFakeUnitLink : public IUSBLink {
public:
    TFakeUnitLink();

    bool Open(uint32_t DeviceNumber) override;
    void Close() override;
    uint32_t Write(const uint8_t* Buffer, uint32_t Count) override;
    uint32_t Read(uint8_t* Buffer, uint32_t Count) override;
    void FlushBuffers(bool FlushTX, bool FlushRX) override;
    uint8_t CheckRXQueue(uint32_t& NumBytesInQueue, uint32_t& QueueStatus) override;
    bool SetFlowControl(uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD, int XonXoff) override;
    void EnableRX(bool Enable) override { RxEnabled = Enable; }
    bool DeviceConnected() const override { return Connected; }

    // Queues bytes as if the unit had sent them unasked.
    void Receive(const std::vector<uint8_t>& bytes);
    // Commands the unit received, in order.
    std::vector<TKVXCommand> Commands() const;
    size_t CountOf(TKVXCommand command) const;

    std::vector<uint8_t> Memory;
    std::vector<std::vector<uint8_t>> Requests;
    std::deque<uint8_t> RxQueue;
    std::vector<uint8_t> RtsHistory;
    std::optional<uint32_t> OpenedDevice;
    bool Connected = false;
    bool RxEnabled = true;
    bool Silent = false;               // answers nothing
    std::set<TKVXCommand> Ignored;     // these commands go unanswered
    bool RaiseFails = false;           // setting RTS active fails
    bool LowerFails = false;           // setting RTS inactive fails
    bool WriteFails = false;           // every write reports 0 bytes
    bool OpenFails = false;            // an open leaves the link as it was
    std::optional<size_t> AnswerPagesUntil;  // read/write page requests beyond this many go unanswered
    std::vector<uint8_t> StrayBeforeReply;   // bytes sent ahead of every reply
    std::optional<uint8_t> Acknowledgement;  // replaces 0xAA in every reply
    std::optional<uint32_t> ReportedWaiting; // what CheckRXQueue claims is waiting
    // Called after each request is handled (after its reply is queued).
    std::function<void(TKVXCommand)> AfterRequest;

private:
    void Reply(const uint8_t* payload, uint8_t length);
    size_t FPageRequests = 0;
};

} // namespace kvx::test
