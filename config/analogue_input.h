#pragma once
// The I/O expander's analogue input: type, high and low breach (message, thresholds in
// hundredths of a volt and of a milliampere, response time in 20 ms units).
#include <cstdint>
#include <optional>
#include <string>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr uint32_t AnalogueDelayUnitsPerSecond = 50;
// The ranges of the threshold and response time edits, which show a stored value outside
// them as the nearer bound. A response time above 1310 s no longer fits its word (x50).
inline constexpr uint32_t AnalogueVoltsMaximumHundredths = 1000;
inline constexpr uint32_t AnalogueMilliampsMinimumHundredths = 400;
inline constexpr uint32_t AnalogueMilliampsMaximumHundredths = 2000;
inline constexpr double AnalogueVoltsMaximum = AnalogueVoltsMaximumHundredths / 100.0;
inline constexpr double AnalogueMilliampsMinimum = AnalogueMilliampsMinimumHundredths / 100.0;
inline constexpr double AnalogueMilliampsMaximum = AnalogueMilliampsMaximumHundredths / 100.0;
inline constexpr uint32_t AnalogueResponseMaximumSeconds = 1310;

enum class TAnalogueType : uint8_t { None = 0, Voltage = 1, Current = 2 };

struct TAnalogueBreach {
    bool Enabled = false;             // the breach message's check box
    std::u16string Message;           // at most 16 characters
    uint16_t VoltageHundredths = 0;   // 0.01 V
    uint16_t CurrentHundredths = 0;   // 0.01 mA
    uint32_t ResponseSeconds = 0;

    bool operator==(const TAnalogueBreach&) const = default;
};

struct TAnalogueInput {
    bool VoltageInput = true;  // the breach type: voltage (0-10 V) or current (4-20 mA)
    TAnalogueBreach High;
    TAnalogueBreach Low;

    bool operator==(const TAnalogueInput&) const = default;
};

// Empty when ADType is 0 (nothing to show). Any other type loads both breaches; a breach
// with a message is enabled; only type 1 selects the voltage input.
std::optional<TAnalogueInput> DecodeAnalogueInput(const TKVXConfig& Config);
// Each enabled breach writes its non-empty message, both thresholds and its response time
// (seconds x 50, modulo 65536); a disabled one writes nothing. ADType: 0 with no breach
// enabled, else 1 for the voltage input, else 2.
void EncodeAnalogueInput(TKVXConfig& Config, const TAnalogueInput& Input);

// A threshold typed in volts or milliamperes to its stored hundredths, truncated toward
// zero (4.00 -> 400, 4.109 -> 410); negative gives 0, too large 65535.
uint16_t TruncatedHundredths(double Value);

} // namespace kvx
