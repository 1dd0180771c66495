#pragma once
// Misbehaviour the simulated unit and dongle can be told to show, so the program's
// error paths can be driven on purpose.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "link/kvx_frames.h"

namespace kvx::sim {

enum class TFaultKind : uint8_t {
    DropReply,     // the command is carried out, its reply is lost
    BadCrc,        // the command is carried out, its reply arrives with a damaged checksum
    Stray,         // stray bytes arrive ahead of the reply
    WrongAck,      // the unit refuses: the command is not carried out, the reply carries a NAK
    StopAfterPage, // after Pages page commands the unit answers no page command at all
    Overrun,       // the dongle's receive queue overflows once
    CorruptByte,   // after acknowledging a write of its page, the unit stores one byte changed
};

// Which commands a reply fault hits; page commands unless the fault names others.
enum class TFaultScope : uint8_t { Pages, ReadPage, WritePage, EnterConfig, BeginTransfer, ExitConfig, All };

struct TFault {
    TFaultKind Kind = TFaultKind::DropReply;
    TFaultScope Scope = TFaultScope::Pages;
    uint32_t Pages = 0;   // StopAfterPage only
    uint32_t Address = 0; // CorruptByte only
};

using TFaultList = std::vector<TFault>;

// "none" or empty clears; otherwise a comma-separated list of
// drop-reply | bad-crc | stray | wrong-ack, each optionally @page|@read|@write|@enter|@begin|@exit|@all,
// stop-after-page=N, overrun and corrupt-byte=ADDRESS (decimal, or hexadecimal with 0x, below
// 65536). Empty result on any unknown word.
std::optional<TFaultList> ParseFaults(std::string_view Text);

bool FaultHits(const TFaultList& Faults, TFaultKind Kind, TKVXCommand Command);
std::optional<uint32_t> StopAfterPages(const TFaultList& Faults);
// The addresses whose bytes a page write stores changed.
std::vector<uint32_t> CorruptedAddresses(const TFaultList& Faults);

} // namespace kvx::sim
