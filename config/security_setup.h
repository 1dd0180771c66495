#pragma once
// The Security setup page's fields: the command PIN and SMS sender verification.
#include <string>

#include "image/kvx_config.h"

namespace kvx {

std::u16string DecodeCommandPIN(const TKVXConfig& Config);
// Zero-padded to 4; an empty PIN leaves the field.
void EncodeCommandPIN(TKVXConfig& Config, const std::u16string& PIN);

// VerifySender: only 255 is on; stored as 255 or 0.
bool DecodeVerifySender(const TKVXConfig& Config);
void EncodeVerifySender(TKVXConfig& Config, bool On);

} // namespace kvx
