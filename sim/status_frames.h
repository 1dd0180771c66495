#pragma once
// The 32-byte status frames the unit sends unasked: type byte, 30 data bytes, CRC-8 over
// the data bytes.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/unit_clock.h"

namespace kvx::sim {

using TStatusFrame = std::array<uint8_t, 32>;

// Type byte and data; fills in the checksum.
TStatusFrame MakeStatusFrame(uint8_t Type, const std::array<uint8_t, 30>& Data);

// What the unit sends in its Second-th second of running: its state (type 1), operator,
// IMEI and IMSI (types 2, 4, 5), and every fifth second its clock (type 3) or a
// diagnostics frame (type 6). Values drift a little from second to second; Signal, when
// given, is the signal level (-dBm) the state frame reports instead of the drifting one.
std::vector<uint8_t> StatusBurst(uint32_t Second, const std::optional<TUnitDateTime>& Clock, std::string_view IMEI,
                                 std::optional<uint8_t> Signal = std::nullopt);

} // namespace kvx::sim
