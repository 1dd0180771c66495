#include "config/cid_list.h"

#include <algorithm>
#include <optional>

#include "config/whole_file.h"

namespace kvx {

namespace {

constexpr size_t CodeWidth = 3;
constexpr size_t DescriptionStart = 5;  // after the code and one separator, counted from 1

// The code field as a number: leading blanks, then digits to the field's end.
std::optional<int> ParseCode(std::string_view Field)
{
    size_t at = Field.find_first_not_of(' ');
    if (at == std::string_view::npos) return std::nullopt;
    int code = 0;
    for (; at < Field.size(); ++at) {
        const char c = Field[at];
        if (c < '0' || c > '9') return std::nullopt;
        code = code * 10 + (c - '0');
    }
    return code;
}

std::u16string Latin1(std::string_view Bytes)
{
    std::u16string text;
    text.reserve(Bytes.size());
    for (const char c : Bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

TCIDList ParseCIDList(std::string_view Text, size_t MaxEvents)
{
    TCIDList list;
    size_t at = 0;
    while (at < Text.size() && list.Events.size() < MaxEvents) {
        const size_t end = std::min(Text.find_first_of("\r\n", at), Text.size());
        const std::string_view line = Text.substr(at, end - at);
        at = end;
        if (at < Text.size() && Text[at] == '\r') ++at;
        if (at < Text.size() && Text[at] == '\n') ++at;

        const auto code = ParseCode(line.substr(0, CodeWidth));
        if (!code) {
            list.StoppedAtInvalidCode = true;
            break;
        }
        const std::string_view description = line.size() >= DescriptionStart ? line.substr(DescriptionStart - 1) : "";
        list.Events.push_back({*code, Latin1(description)});
    }
    return list;
}

TCIDList LoadCIDList(const std::filesystem::path& File, size_t MaxEvents)
{
    // A line is a few dozen bytes: far more than any list the unit takes.
    constexpr size_t MaxFileSize = 1 << 20;
    std::string bytes;
    std::string reason;
    if (!LoadWholeFile(File, bytes, reason, MaxFileSize)) return {};
    return ParseCIDList(bytes, MaxEvents);
}

} // namespace kvx
