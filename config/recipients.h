#pragma once
// ReportingNumbers: the ten message recipients, 16 bytes each ("+" and digits, zero-padded).
#include <cstddef>
#include <string>

#include "image/kvx_config.h"
#include "config/recipient_masks.h"

namespace kvx {

// Recipient Index 0..9 (shown as 1..10): the digits without their first character.
std::u16string DecodeRecipient(const TKVXConfig& Config, size_t Index);
// Writes "+" and the digits; an empty number, or an index past the block, leaves the slot.
void EncodeRecipient(TKVXConfig& Config, size_t Index, const std::u16string& Digits);
// Erases the slot; past the block, nothing.
void EraseRecipient(TKVXConfig& Config, size_t Index);

} // namespace kvx
