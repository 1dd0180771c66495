#pragma once
// Telephone numbers as people write them, made into what the KVX stores after its "+". One
// rule for every way a number comes in: the pages, the list imports, kvxctl set and build.
#include <optional>
#include <string>
#include <string_view>

namespace kvx {

inline constexpr size_t PhoneNumberDigits = 15;  // "+" and 15 digits fill a 16-byte slot

// Spaces, dashes, dots and brackets are separators. A leading "+" or "00" is the international
// prefix, and a "(0)" after the country code the national one, dropped. Digits without a
// prefix are the international form without its "+" (as the pages' edits hold it), except a
// national number (a leading 0): that takes DefaultCountryCode in place of its 0, or, with
// none, is refused ("add the country code"). Letters, other characters, no digits or more
// than 15 are refused. Empty, with Reason, when refused.
std::optional<std::u16string> NormalisedNumber(std::string_view Text, std::string_view DefaultCountryCode, std::string& Reason);

// A country code as a user gives it ("44", "+44", "0044"): its digits, 1 to 3 of them and not
// starting with 0; empty, with Reason, for anything else. An empty text is no country code ("").
std::optional<std::string> CountryCodeOfText(std::string_view Text, std::string& Reason);

} // namespace kvx
