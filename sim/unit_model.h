#pragma once
// The simulated unit: 64 KiB of memory, configuration mode, the six commands of the
// protocol with their checksums, its clock and the status frames it sends unasked.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/kvx_frames.h"
#include "sim/faults.h"
#include "sim/unit_clock.h"

namespace kvx::sim {

inline constexpr uint8_t NotAcknowledge = 0x15;
inline constexpr uint64_t StatusIntervalMs = 1000;

struct TUnitReply {
    std::vector<uint8_t> Bytes;
    bool PageWritten = false; // the unit wrote its memory before answering
};

class TUnitModel {
public:
    TUnitModel();

    // Bytes from the PC; a request may arrive in pieces. Requests with a bad checksum, an
    // unknown command or a length that does not fit the command get no reply.
    std::vector<TUnitReply> Receive(const uint8_t* Data, size_t Count, bool RtsActive, uint64_t NowMs);
    // Forgets a request that arrived only in part.
    void DropPartialRequest() { FInput.clear(); }
    // The programming dongle has gone: configuration mode ends as if asked to leave.
    void Disconnect();

    bool InConfigMode() const { return FConfigMode; }
    uint32_t CommandCount(TKVXCommand Command) const;
    std::optional<TUnitDateTime> ClockAt(uint64_t NowMs) const;

    // The status frames due by NowMs; none while in configuration mode.
    std::vector<uint8_t> StatusDue(uint64_t NowMs);
    // The frames of the current second, as the unit would send them now.
    std::vector<uint8_t> CurrentStatus(uint64_t NowMs) const;

    // The signal levels (-dBm) the next state frames report, one each, the last one from then
    // on; empty: the level drifts as it does by default.
    void SetSignalWalk(std::vector<uint8_t> Levels);

    // True once after configuration mode ended with pages written in it.
    bool TakeCompletedWrite();

    void SetFaults(TFaultList Faults);
    const TFaultList& Faults() const { return FFaults; }

    std::vector<uint8_t> Memory;
    std::string IMEI;

private:
    std::optional<TUnitReply> Handle(const uint8_t* Frame, uint64_t NowMs, bool RtsActive);
    void CarryOut(TKVXCommand Command, const uint8_t* Frame);
    void LeaveConfigMode();
    std::optional<uint8_t> WalkedSignal() const;

    std::vector<uint8_t> FInput;
    bool FConfigMode = false;
    bool FWroteInSession = false;
    bool FCompletedWrite = false;
    std::array<uint32_t, 6> FCommandCounts{};
    TFaultList FFaults;
    uint32_t FPagesAnswered = 0;
    std::optional<TUnitDateTime> FClock;
    uint64_t FClockSetAtMs = 0;
    uint64_t FNextStatusMs = StatusIntervalMs;
    uint32_t FStatusSecond = 0;
    std::vector<uint8_t> FSignalWalk;
    size_t FSignalStep = 0;
};

} // namespace kvx::sim
