#include "config/phone_number.h"

namespace kvx {

namespace {

constexpr std::string_view NoBreakSpace = "\xC2\xA0";  // spreadsheets group digits with it
constexpr std::string_view Separators = " \t-().";

} // namespace

std::optional<std::u16string> NormalisedNumber(std::string_view Text, std::string& Reason)
{
    std::string text(Text);
    for (size_t at = text.find(NoBreakSpace); at != std::string::npos; at = text.find(NoBreakSpace)) text.replace(at, NoBreakSpace.size(), " ");
    const size_t first = text.find_first_not_of(" \t");
    std::string_view rest = first == std::string::npos ? std::string_view() : std::string_view(text).substr(first);
    const bool international = rest.starts_with('+') || rest.starts_with("00");
    if (international) rest.remove_prefix(rest.starts_with('+') ? 1 : 2);
    std::string kept(rest);
    if (international)
        if (const size_t trunk = kept.find("(0)"); trunk != std::string::npos) kept.erase(trunk, 3);
    std::u16string digits;
    for (const char c : kept) {
        if (Separators.find(c) != std::string_view::npos) continue;
        if (c < '0' || c > '9') {
            Reason = "\"" + std::string(Text) + "\" is not a telephone number";
            return std::nullopt;
        }
        digits.push_back(static_cast<char16_t>(c));
    }
    if (digits.empty()) {
        Reason = Text.empty() ? "no number" : "\"" + std::string(Text) + "\" is not a telephone number";
        return std::nullopt;
    }
    if (digits.size() > PhoneNumberDigits) {
        Reason = "\"" + std::string(Text) + "\" has more than " + std::to_string(PhoneNumberDigits) + " digits";
        return std::nullopt;
    }
    return digits;
}

} // namespace kvx
