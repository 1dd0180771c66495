#include "sim/unit_model.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "link/crc8.h"
#include "sim/default_memory.h"
#include "sim/status_frames.h"

namespace kvx::sim {

namespace {

// Payload length of each command, indexed by command code.
constexpr uint8_t PayloadLengths[] = {PageSize + 2, 2, 0, 0, 0, 8};
constexpr size_t CommandKinds = sizeof PayloadLengths;

// Ahead of a reply when asked for: a false start the PC must pass over.
constexpr uint8_t StrayBytes[] = {0x00, FrameStart, NotAcknowledge};

// A long silence of the reader is not worth more than this many seconds of frames.
constexpr uint64_t MaxStatusCatchUp = 64;

bool IsPageCommand(TKVXCommand command)
{
    return command == TKVXCommand::ReadPage || command == TKVXCommand::WritePage;
}

bool NeedsConfigMode(TKVXCommand command)
{
    return IsPageCommand(command) || command == TKVXCommand::BeginTransfer;
}

size_t PageAddress(const uint8_t* frame)
{
    return size_t(frame[3]) << 8 | frame[4];
}

} // namespace

TUnitModel::TUnitModel() : Memory(DefaultUnitMemory()), IMEI(DefaultIMEI) {}

std::vector<TUnitReply> TUnitModel::Receive(const uint8_t* Data, size_t Count, bool RtsActive, uint64_t NowMs)
{
    FInput.insert(FInput.end(), Data, Data + Count);
    std::vector<TUnitReply> replies;
    size_t at = 0;
    while (at < FInput.size()) {
        if (FInput[at] != FrameStart) {
            ++at;
            continue;
        }
        if (FInput.size() - at < 3) break;
        const uint8_t command = FInput[at + 1];
        if (command >= CommandKinds || FInput[at + 2] != PayloadLengths[command]) {
            ++at; // not a request start: look for the next one
            continue;
        }
        const size_t size = FInput[at + 2] + 4u;
        if (FInput.size() - at < size) break;
        const uint8_t* frame = FInput.data() + at;
        if (Crc8Maxim(frame + 1, size - 2) == frame[size - 1])
            if (auto reply = Handle(frame, NowMs, RtsActive)) replies.push_back(std::move(*reply));
        at += size;
    }
    FInput.erase(FInput.begin(), FInput.begin() + static_cast<std::ptrdiff_t>(at));
    return replies;
}

std::optional<TUnitReply> TUnitModel::Handle(const uint8_t* Frame, uint64_t NowMs, bool RtsActive)
{
    const auto command = static_cast<TKVXCommand>(Frame[1]);
    ++FCommandCounts[Frame[1]];

    if (command == TKVXCommand::SetTime) {
        if (auto time = DecodeSetTimePayload(Frame + 3)) {
            FClock = time;
            FClockSetAtMs = NowMs;
        }
        return std::nullopt;
    }
    if (NeedsConfigMode(command) && !FConfigMode) return std::nullopt;
    // The unit only enters configuration mode with a programmer on the line.
    if (command == TKVXCommand::EnterConfig && !RtsActive) return std::nullopt;
    if (IsPageCommand(command)) {
        if (PageAddress(Frame) + PageSize > Memory.size()) return std::nullopt;
        const auto stopAfter = StopAfterPages(FFaults);
        if (stopAfter && FPagesAnswered >= *stopAfter) return std::nullopt;
        ++FPagesAnswered;
    }

    const bool refused = FaultHits(FFaults, TFaultKind::WrongAck, command);
    if (!refused) CarryOut(command, Frame);
    if (FaultHits(FFaults, TFaultKind::DropReply, command)) return std::nullopt;

    TUnitReply reply;
    if (FaultHits(FFaults, TFaultKind::Stray, command))
        reply.Bytes.assign(std::begin(StrayBytes), std::end(StrayBytes));
    const size_t start = reply.Bytes.size();
    const bool withPage = command == TKVXCommand::ReadPage;
    reply.Bytes.resize(start + (withPage ? PageReplySize : ShortReplySize));
    AssembleReply(reply.Bytes.data() + start, refused ? NotAcknowledge : Acknowledge,
                  withPage ? Memory.data() + PageAddress(Frame) : nullptr, withPage ? PageSize : 0);
    if (FaultHits(FFaults, TFaultKind::BadCrc, command)) reply.Bytes.back() ^= 0xFF;
    reply.PageWritten = command == TKVXCommand::WritePage && !refused;
    return reply;
}

void TUnitModel::CarryOut(TKVXCommand Command, const uint8_t* Frame)
{
    switch (Command) {
    case TKVXCommand::EnterConfig:
        if (!FConfigMode) FWroteInSession = false;
        FConfigMode = true;
        break;
    case TKVXCommand::ExitConfig:
        LeaveConfigMode();
        break;
    case TKVXCommand::WritePage: {
        const size_t page = PageAddress(Frame);
        std::memcpy(Memory.data() + page, Frame + 5, PageSize);
        // A weak cell: the byte is stored with its lowest bit turned over, the write still acknowledged.
        for (uint32_t address : CorruptedAddresses(FFaults))
            if (address >= page && address < page + PageSize) Memory[address] ^= 0x01;
        FWroteInSession = true;
        break;
    }
    case TKVXCommand::ReadPage:
    case TKVXCommand::BeginTransfer:
    case TKVXCommand::SetTime:
        break;
    }
}

void TUnitModel::LeaveConfigMode()
{
    if (FConfigMode && FWroteInSession) FCompletedWrite = true;
    FConfigMode = false;
    FWroteInSession = false;
}

void TUnitModel::Disconnect()
{
    DropPartialRequest();
    LeaveConfigMode();
}

uint32_t TUnitModel::CommandCount(TKVXCommand Command) const
{
    const auto index = static_cast<size_t>(Command);
    return index < FCommandCounts.size() ? FCommandCounts[index] : 0;
}

std::optional<TUnitDateTime> TUnitModel::ClockAt(uint64_t NowMs) const
{
    if (!FClock) return std::nullopt;
    return AddSeconds(*FClock, (NowMs - FClockSetAtMs) / 1000);
}

std::vector<uint8_t> TUnitModel::StatusDue(uint64_t NowMs)
{
    std::vector<uint8_t> bytes;
    if (NowMs < FNextStatusMs) return bytes;
    const uint64_t due = (NowMs - FNextStatusMs) / StatusIntervalMs + 1;
    if (due > MaxStatusCatchUp) {
        FStatusSecond += static_cast<uint32_t>(due - MaxStatusCatchUp);
        FNextStatusMs += (due - MaxStatusCatchUp) * StatusIntervalMs;
    }
    for (; FNextStatusMs <= NowMs; FNextStatusMs += StatusIntervalMs, ++FStatusSecond) {
        if (FConfigMode) continue;
        const auto frames = StatusBurst(FStatusSecond, ClockAt(FNextStatusMs), IMEI, WalkedSignal());
        if (FSignalStep < FSignalWalk.size()) ++FSignalStep;
        bytes.insert(bytes.end(), frames.begin(), frames.end());
    }
    return bytes;
}

std::vector<uint8_t> TUnitModel::CurrentStatus(uint64_t NowMs) const
{
    return StatusBurst(FStatusSecond, ClockAt(NowMs), IMEI, WalkedSignal());
}

void TUnitModel::SetSignalWalk(std::vector<uint8_t> Levels)
{
    FSignalWalk = std::move(Levels);
    FSignalStep = 0;
}

std::optional<uint8_t> TUnitModel::WalkedSignal() const
{
    if (FSignalWalk.empty()) return std::nullopt;
    return FSignalWalk[std::min(FSignalStep, FSignalWalk.size() - 1)];
}

bool TUnitModel::TakeCompletedWrite()
{
    return std::exchange(FCompletedWrite, false);
}

void TUnitModel::SetFaults(TFaultList Faults)
{
    FFaults = std::move(Faults);
    FPagesAnswered = 0;
}

} // namespace kvx::sim
