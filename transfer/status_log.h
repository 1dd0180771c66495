#pragma once
// The status log: one CSV row for every state frame the unit sends, with the operator its
// last operator frame named, written by the program's "Record status…" and kvxctl status --csv.
#include <optional>
#include <string>

#include "link/event_pump.h"
#include "link/status_frame.h"

namespace kvx {

// The header line: time,state,operator,signal_dbm,sim,inputs,mains,relays,supply_volts,
// analogue_volts,analogue_milliamps (CRLF, as every row).
std::string StatusLogHeader();

// The row of the state frame Status, received at Time, with the operator last named (none:
// not named yet). Inputs 1..9 and the relays 1..8 read
// as letters, the first first (H high, L low; C closed, O open); the signal is empty when
// the frame had no reading, each analogue column while its mode is not chosen.
std::string StatusLogRow(const TLocalDateTime& Time, const TUnitStatus& Status, const std::optional<std::u16string>& Operator);

} // namespace kvx
