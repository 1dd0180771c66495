#include "config/remote_control.h"

#include <cstring>

#include "config/text_fields.h"

namespace kvx {

namespace {

constexpr size_t NumberSize = 16;
constexpr size_t ElementSize = NumberSize + RemoteCommandTextSize;
constexpr size_t TimerBase = 32;
constexpr size_t MissedCallBase = TimerBase + RemoteTimerTriggerCount;
constexpr size_t TriggerTableSize = decltype(TKVXConfig::RemoteReporting)::Size;

static_assert(RemoteCommandCount * ElementSize == decltype(TKVXConfig::RemoteControl)::Size);
static_assert(MissedCallBase + RemoteMissedCallTriggerCount == TriggerTableSize);

uint8_t CommandBit(size_t Index) { return static_cast<uint8_t>(1u << Index); }

} // namespace

std::optional<size_t> RemoteTriggerByte(const TRemoteTrigger& Trigger)
{
    switch (Trigger.Kind) {
    case TRemoteTriggerKind::Input:
        if (Trigger.Entry < RemoteInputTriggerCount) return Trigger.Entry;
        break;
    case TRemoteTriggerKind::Timer:
        if (Trigger.Entry < RemoteTimerTriggerCount) return TimerBase + Trigger.Entry;
        break;
    case TRemoteTriggerKind::MissedCall:
        if (Trigger.Entry < RemoteMissedCallTriggerCount) return MissedCallBase + Trigger.Entry;
        break;
    case TRemoteTriggerKind::None: break;
    }
    return std::nullopt;
}

TRemoteTrigger RemoteTriggerAt(size_t Byte)
{
    if (Byte < RemoteInputTriggerCount) return {TRemoteTriggerKind::Input, static_cast<uint16_t>(Byte)};
    if (Byte < TimerBase) return {TRemoteTriggerKind::None, 0};
    if (Byte < MissedCallBase) return {TRemoteTriggerKind::Timer, static_cast<uint16_t>(Byte - TimerBase)};
    if (Byte < TriggerTableSize) return {TRemoteTriggerKind::MissedCall, static_cast<uint16_t>(Byte - MissedCallBase)};
    return {TRemoteTriggerKind::None, 0};
}

TRemoteCommand DecodeRemoteCommand(const TKVXConfig& Config, size_t Index)
{
    TRemoteCommand command;
    if (Index >= RemoteCommandCount) return command;
    for (size_t byte = 0; byte < TriggerTableSize; ++byte) {
        if ((Config.RemoteReporting[byte] & CommandBit(Index)) == 0) continue;
        const uint8_t* element = &Config.RemoteControl[Index * ElementSize];
        command.Number = ReadPhoneNumber(element, NumberSize);
        command.Command = ReadText(element + NumberSize, RemoteCommandTextSize);
        command.Trigger = RemoteTriggerAt(byte);
        break;
    }
    return command;
}

void EncodeRemoteCommands(TKVXConfig& Config, const TRemoteCommands& Commands)
{
    std::memset(Config.RemoteReporting.Data, 0, TriggerTableSize);
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        const TRemoteCommand& command = Commands[i];
        if (command.Number.empty()) continue;
        uint8_t* element = &Config.RemoteControl[i * ElementSize];
        WritePhoneNumber(element, NumberSize, command.Number);
        WriteText(element + NumberSize, RemoteCommandTextSize, command.Command, PadSpace);
        if (const auto byte = RemoteTriggerByte(command.Trigger)) Config.RemoteReporting[*byte] |= CommandBit(i);
    }
}

} // namespace kvx
