#pragma once
// Telephone numbers as people write them, made into what the KVX stores after its "+".
#include <optional>
#include <string>
#include <string_view>

namespace kvx {

inline constexpr size_t PhoneNumberDigits = 15;  // "+" and 15 digits fill a 16-byte slot

// Spaces, dashes, brackets and dots dropped; a leading "+" or "00" is the international prefix
// (and a "(0)" after it the national one, dropped with its bracket). Empty, with Reason, for
// anything else than 1 to 15 digits.
std::optional<std::u16string> NormalisedNumber(std::string_view Text, std::string& Reason);

} // namespace kvx
