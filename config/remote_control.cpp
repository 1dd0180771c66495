#include "config/remote_control.h"

#include <algorithm>
#include <cstring>

#include "config/distribution.h"
#include "config/text_fields.h"
#include "config/value_words.h"
#include "image/list_records.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr size_t TimerBase = 32;
constexpr size_t MissedCallBase = TimerBase + RemoteTimerTriggerCount;
constexpr size_t TriggerTableSize = decltype(TKVXConfig::RemoteReporting)::Size;

static_assert(sizeof(TRemoteCommandRecord::Command) == RemoteCommandTextSize);
static_assert(RemoteCommandCount * sizeof(TRemoteCommandRecord) == decltype(TKVXConfig::RemoteControl)::Size);
static_assert(MissedCallBase + RemoteMissedCallTriggerCount == TriggerTableSize);

constexpr size_t InputEventCount = RemoteInputTriggerCount - 2;  // then AD low, AD high

uint8_t CommandBit(size_t Index) { return static_cast<uint8_t>(1u << Index); }

std::u16string FixedTriggerName(const TRemoteTrigger& Trigger)
{
    if (!RemoteTriggerByte(Trigger)) return {};
    switch (Trigger.Kind) {
    case TRemoteTriggerKind::Input:
        if (Trigger.Entry < InputEventCount)
            return TUtils::FromLatin1(DistributionEventCaption(static_cast<TDistributionEvent>(static_cast<size_t>(TDistributionEvent::IP1H) + Trigger.Entry)));
        return TUtils::FromLatin1(Trigger.Entry == InputEventCount ? "AD low limit" : "AD high limit");
    case TRemoteTriggerKind::Timer: return TUtils::FromLatin1(TimerLocationName(Trigger.Entry));
    case TRemoteTriggerKind::MissedCall: return TUtils::FromLatin1(MissedCallLocationName(Trigger.Entry));
    case TRemoteTriggerKind::None: break;
    }
    return {};
}

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

std::u16string RemoteTriggerName(const TRemoteTrigger& Trigger, std::u16string_view LocationName)
{
    std::u16string name = FixedTriggerName(Trigger);
    // Input events have no location; None and entries past a list have no name at all.
    if (!name.empty() && Trigger.Kind != TRemoteTriggerKind::Input && !LocationName.empty())
        name.append(u" - ").append(LocationName);
    return name;
}

TRemoteCommand DecodeRemoteCommand(const TKVXConfig& Config, size_t Index)
{
    TRemoteCommand command;
    if (Index >= RemoteCommandCount) return command;
    std::vector<uint16_t> bytes;
    for (size_t byte = 0; byte < TriggerTableSize; ++byte)
        if (Config.RemoteReporting[byte] & CommandBit(Index)) bytes.push_back(static_cast<uint16_t>(byte));
    if (bytes.empty()) return command;
    const auto element = LoadRecord<TRemoteCommandRecord>(Config.RemoteControl, Index);
    command.Number = ReadPhoneNumber(element.Number, sizeof element.Number);
    command.Command = ReadText(element.Command, sizeof element.Command);
    command.Trigger = RemoteTriggerAt(bytes.front());
    // Without a number the command was never stored (an erased table sets every bit).
    if (!command.Number.empty()) command.StoredTriggerBytes = std::move(bytes);
    return command;
}

void EncodeRemoteCommands(TKVXConfig& Config, const TRemoteCommands& Commands)
{
    std::memset(Config.RemoteReporting.Data, 0, TriggerTableSize);
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        const TRemoteCommand& command = Commands[i];
        if (command.Number.empty()) continue;
        auto element = LoadRecord<TRemoteCommandRecord>(Config.RemoteControl, i);
        WritePhoneNumber(element.Number, sizeof element.Number, command.Number);
        WriteText(element.Command, sizeof element.Command, command.Command, PadSpace);
        StoreRecord(Config.RemoteControl, i, element);
        const auto& stored = command.StoredTriggerBytes;
        if (!stored.empty() && RemoteTriggerAt(stored.front()) == command.Trigger) {
            for (const uint16_t byte : stored)
                if (byte < TriggerTableSize) Config.RemoteReporting[byte] |= CommandBit(i);
        } else if (const auto byte = RemoteTriggerByte(command.Trigger)) {
            Config.RemoteReporting[*byte] |= CommandBit(i);
        }
    }
}

void EraseRemoteCommand(TKVXConfig& Config, size_t Index)
{
    if (Index < RemoteCommandCount) EraseField(&Config.RemoteControl[Index * sizeof(TRemoteCommandRecord)], sizeof(TRemoteCommandRecord));
}

bool IsRemoteCommandText(std::u16string_view Text)
{
    return std::all_of(Text.begin(), Text.end(), [](char16_t c) { return c >= 0x20 && c <= 0x7E; });
}

} // namespace kvx
