#pragma once
// M2M reporting: four base-station numbers, the 5-character M2M ID (zero-padded) and 34
// event-number slots of 3 characters (space-padded) in the order of the distribution events.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/distribution.h"
#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t M2MStationCount = 4;
inline constexpr size_t M2MTelemetryCount = DistributeMessageCount;
inline constexpr size_t M2MTelemetryWidth = 3;

// Base station Index 0..3: the digits without their first character.
std::u16string DecodeM2MNumber(const TKVXConfig& Config, size_t Index);
// Writes "+" and the digits; an empty number leaves the field.
void EncodeM2MNumber(TKVXConfig& Config, size_t Index, const std::u16string& Digits);

std::u16string DecodeM2MID(const TKVXConfig& Config);
// Writes a non-empty ID, zero-padded to 5; an empty one leaves the field.
void EncodeM2MID(TKVXConfig& Config, const std::u16string& ID);

// The pages edit every event slot but BundleThreshold and SIMChange.
bool M2MTelemetryEdited(TDistributionEvent Event);
// The number each event box holds before any image is shown ("823" for Power Up).
std::u16string M2MStandardEventNumber(TDistributionEvent Event);
std::u16string DecodeM2MTelemetry(const TKVXConfig& Config, TDistributionEvent Event);
// Writes the first 3 characters space-padded, an empty text as three spaces; slots the
// pages do not edit are left alone.
void EncodeM2MTelemetry(TKVXConfig& Config, TDistributionEvent Event, const std::u16string& Number);

} // namespace kvx
