#pragma once
// The simulated USB dongle: one USBXpress device that can be plugged and pulled, opened
// by number, with a receive queue that can overrun, the RTS line the unit listens to, and
// an optional timing model for the serial line. Speaks the vendor library's status codes.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/siusbxp_api.h"
#include "sim/unit_model.h"

namespace kvx::sim {

// The dongle's identity, as the library reports it.
inline constexpr const char* SimSerial = "0001";
inline constexpr const char* SimDescription = "KVX USB Dongle";
inline constexpr const char* SimLinkName = "\\\\?\\usb#vid_10c4&pid_8a4c#0001#kvxsim";
inline constexpr const char* SimVID = "10c4";
inline constexpr const char* SimPID = "8a4c";

using THandleValue = uintptr_t;

class TDongleModel {
public:
    static constexpr uint32_t QueueCapacity = 4096;
    static constexpr uint32_t MaxWriteSize = 4096;
    static constexpr uint32_t MaxReadSize = 65536;

    explicit TDongleModel(TUnitModel& Unit) : FUnit(Unit) {}

    // Lets time pass to NowMs: replies and status frames become due, a timed unplug happens.
    void Tick(uint64_t NowMs);
    // Back to a plugged, closed dongle with no timing, keeping the unit it talks to.
    void Reset();

    void Plug() { F.Plugged = true; }
    void Unplug();
    bool Plugged() const { return F.Plugged; }
    bool IsOpen() const { return F.Handle != 0 && !F.HandleGone; }
    bool RtsActive() const { return F.Rts == SI_HELD_ACTIVE; }
    uint32_t QueuedBytes() const { return static_cast<uint32_t>(F.Queue.size()); }

    // Armed, the receive queue overflows once: now if open, else as soon as it is opened.
    void ArmOverrun(bool Armed);
    // Modelled line speed (0: replies at once) and time the unit takes to store a page.
    void SetTiming(uint32_t BaudRate, uint32_t PageWriteMs);
    // Pulls the dongle that many ms after each open (0: never).
    void SetUnplugAfter(uint64_t Milliseconds);

    SI_STATUS GetNumDevices(uint32_t* NumDevices) const;
    SI_STATUS GetProductString(uint32_t DeviceNumber, void* Buffer, uint32_t Option) const;
    SI_STATUS Open(uint32_t DeviceNumber, THandleValue* Handle);
    SI_STATUS Close(THandleValue Handle);
    SI_STATUS Read(THandleValue Handle, void* Buffer, uint32_t Count, uint32_t* Returned);
    SI_STATUS Write(THandleValue Handle, const void* Buffer, uint32_t Count, uint32_t* Written);
    SI_STATUS CancelIo(THandleValue Handle) const;
    SI_STATUS FlushBuffers(THandleValue Handle, uint8_t FlushTransmit, uint8_t FlushReceive);
    SI_STATUS CheckRXQueue(THandleValue Handle, uint32_t* NumBytes, uint32_t* QueueStatus) const;
    SI_STATUS SetFlowControl(THandleValue Handle, uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD,
                             int XonXoff);
    SI_STATUS SetBaudRate(THandleValue Handle, uint32_t BaudRate);
    SI_STATUS SetLineControl(THandleValue Handle, uint16_t LineControl);
    SI_STATUS SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout);
    SI_STATUS GetTimeouts(uint32_t* ReadTimeout, uint32_t* WriteTimeout) const;

private:
    struct TPending {
        uint64_t DueMs;
        std::vector<uint8_t> Bytes;
    };

    SI_STATUS CheckHandle(THandleValue Handle) const;
    void Enqueue(const std::vector<uint8_t>& Bytes);
    void ClearLine();
    void Flood();
    uint64_t LineMs(size_t Bytes) const;

    TUnitModel& FUnit;
    struct TState {
        bool Plugged = true;
        THandleValue Handle = 0;
        bool HandleGone = false; // pulled while open: the handle stays until closed
        uint32_t OpenCount = 0;
        std::deque<uint8_t> Queue;
        bool Overrun = false;
        bool OverrunArmed = false;
        std::vector<TPending> Pending;
        uint8_t Rts = SI_HELD_INACTIVE;
        uint32_t ReadTimeout = 1000;
        uint32_t WriteTimeout = 1000;
        uint32_t ModelBaud = 0;
        uint32_t PageWriteMs = 0;
        uint64_t UnplugAfterMs = 0;
        std::optional<uint64_t> UnplugAtMs;
        uint64_t NowMs = 0;
    } F;
};

} // namespace kvx::sim
