#pragma once
// The SIM setup page's fields: both message centre numbers and the secondary SIM switch.
#include <string>

#include "image/kvx_config.h"

namespace kvx {

enum class TSIM : uint8_t { Primary, Secondary };

// The digits without their first character.
std::u16string DecodeServiceCentreNumber(const TKVXConfig& Config, TSIM SIM);
// "+" and the digits, zero-padded; an empty number leaves the field.
void EncodeServiceCentreNumber(TKVXConfig& Config, TSIM SIM, const std::u16string& Digits);

// SIM2Enable: only 255 is in use; stored as 255 or 0.
bool DecodeSecondarySIMEnabled(const TKVXConfig& Config);
void EncodeSecondarySIMEnabled(TKVXConfig& Config, bool Enabled);

} // namespace kvx
