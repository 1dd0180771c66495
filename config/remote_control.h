#pragma once
// Remote commands: eight elements of 80 bytes (RemoteControl: number zero-padded to 16,
// command space-padded to 64) and the trigger table (RemoteReporting): one byte per event,
// bit N - 1 = command N is sent on that event.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t RemoteCommandCount = 8;
inline constexpr size_t RemoteInputTriggerCount = 20;   // input 1 high .. input 9 low, AD low, AD high
inline constexpr size_t RemoteTimerTriggerCount = 64;
inline constexpr size_t RemoteMissedCallTriggerCount = 500;
inline constexpr size_t RemoteCommandTextSize = 64;

// None: a stored trigger in the unused bytes 20..31.
enum class TRemoteTriggerKind : uint8_t { Input, Timer, MissedCall, None };

struct TRemoteTrigger {
    TRemoteTriggerKind Kind = TRemoteTriggerKind::Input;
    uint16_t Entry = 0;  // position in the kind's list

    bool operator==(const TRemoteTrigger&) const = default;
};

// Byte of the trigger table for a trigger; empty for None or an entry past its list.
std::optional<size_t> RemoteTriggerByte(const TRemoteTrigger& Trigger);
// The trigger a byte of the table stands for.
TRemoteTrigger RemoteTriggerAt(size_t Byte);
// The trigger as the trigger lists name it: "Input 1 high" .. "AD high limit", "Timer 01" ..
// "Timer 64", "Missed call 001" .. "Missed call 500" (locations numbered as their own lists
// number them), then for those two " - " and the location's name when it has one. Empty for
// None or an entry past its list.
std::u16string RemoteTriggerName(const TRemoteTrigger& Trigger, std::u16string_view LocationName = {});

struct TRemoteCommand {
    std::u16string Number;   // digits without the "+"
    std::u16string Command;  // at most 64 characters
    TRemoteTrigger Trigger;
    // Every table byte that held the command's bit when it was read with a number. While
    // Trigger still names the first of them, encoding sets the bit in exactly these bytes,
    // so triggers no editor can show (bytes 20..31, or more than one) go back as they were.
    std::vector<uint16_t> StoredTriggerBytes;

    bool operator==(const TRemoteCommand&) const = default;
};

using TRemoteCommands = std::array<TRemoteCommand, RemoteCommandCount>;

// Command Index 0..7: the first trigger byte with its bit set gives the trigger, number and
// command; with no bit set the command is reset (input 1 high, empty texts).
TRemoteCommand DecodeRemoteCommand(const TKVXConfig& Config, size_t Index);
// Clears the whole trigger table, then for each command with a number writes its element
// and sets its bit (in its stored bytes, see above); commands without a number leave their
// element and set no bit.
void EncodeRemoteCommands(TKVXConfig& Config, const TRemoteCommands& Commands);
// Erases command Index's element (not its trigger bits); past the block, nothing.
void EraseRemoteCommand(TKVXConfig& Config, size_t Index);

// A command text the unit sends as typed: printable 7-bit characters only. Anything above
// 127 is no GSM character, and a control character would end the text when it is read back.
bool IsRemoteCommandText(std::u16string_view Text);

} // namespace kvx
