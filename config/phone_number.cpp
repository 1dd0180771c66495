#include "config/phone_number.h"

#include <algorithm>

namespace kvx {

namespace {

constexpr std::string_view NoBreakSpace = "\xC2\xA0";  // spreadsheets group digits with it
constexpr std::string_view Separators = " \t-().";
constexpr std::string_view NationalPrefix = "(0)";
constexpr size_t CountryCodeDigits = 3;

bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
std::string QuotedText(std::string_view Text) { return "\"" + std::string(Text) + "\""; }

std::string Trimmed(std::string_view Text)
{
    std::string text(Text);
    for (size_t at = text.find(NoBreakSpace); at != std::string::npos; at = text.find(NoBreakSpace)) text.replace(at, NoBreakSpace.size(), " ");
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<std::u16string> NormalisedNumber(std::string_view Text, std::string_view DefaultCountryCode, std::string& Reason)
{
    std::string rest = Trimmed(Text);
    const bool international = rest.starts_with('+') || rest.starts_with("00");
    if (international) rest.erase(0, rest.starts_with('+') ? 1 : 2);
    if (international)
        if (const size_t trunk = rest.find(NationalPrefix); trunk != std::string::npos) rest.erase(trunk, NationalPrefix.size());
    if (std::any_of(rest.begin(), rest.end(), IsLetter)) {
        Reason = QuotedText(Text) + " holds letters: a telephone number is digits";
        return std::nullopt;
    }
    std::u16string digits;
    for (const char c : rest) {
        if (Separators.find(c) != std::string_view::npos) continue;
        if (!IsDigit(c)) {
            Reason = QuotedText(Text) + " is not a telephone number";
            return std::nullopt;
        }
        digits.push_back(static_cast<char16_t>(c));
    }
    if (digits.empty()) {
        Reason = Text.empty() ? "no number" : QuotedText(Text) + " is not a telephone number";
        return std::nullopt;
    }
    if (!international && digits.front() == u'0') {
        if (DefaultCountryCode.empty()) {
            Reason = QuotedText(Text) + " is a national number: add the country code";
            return std::nullopt;
        }
        digits = std::u16string(DefaultCountryCode.begin(), DefaultCountryCode.end()) + digits.substr(1);
    }
    if (digits.size() > PhoneNumberDigits) {
        Reason = QuotedText(Text) + " has more than " + std::to_string(PhoneNumberDigits) + " digits";
        return std::nullopt;
    }
    return digits;
}

std::optional<std::string> CountryCodeOfText(std::string_view Text, std::string& Reason)
{
    std::string code = Trimmed(Text);
    if (code.empty()) return code;
    if (code.starts_with('+')) code.erase(0, 1);
    else if (code.starts_with("00")) code.erase(0, 2);
    const bool valid = !code.empty() && code.size() <= CountryCodeDigits && code.front() != '0' &&
                       std::all_of(code.begin(), code.end(), IsDigit);
    if (valid) return code;
    Reason = QuotedText(Text) + " is not a country code (1 to 3 digits, as 44 or +44)";
    return std::nullopt;
}

} // namespace kvx
