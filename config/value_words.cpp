#include "config/value_words.h"

#include <algorithm>
#include <cctype>

#include "config/missed_calls.h"

namespace kvx {

namespace {

bool SameIgnoringCase(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

constexpr std::array<std::string_view, 7> FullDayNames = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                          "Friday", "Saturday", "Sunday"};

} // namespace

std::string Quoted(std::string_view Text) { return "\"" + std::string(Text) + "\""; }

std::optional<std::pair<uint8_t, uint8_t>> TimeOfDayOfText(std::string_view Text)
{
    const size_t colon = Text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || Text.size() != colon + 3) return std::nullopt;
    unsigned hour = 0;
    unsigned minute = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (i == colon) continue;
        if (Text[i] < '0' || Text[i] > '9') return std::nullopt;
        unsigned& part = i < colon ? hour : minute;
        part = part * 10 + static_cast<unsigned>(Text[i] - '0');
    }
    if (hour > 23 || minute > 59) return std::nullopt;
    return std::pair{static_cast<uint8_t>(hour), static_cast<uint8_t>(minute)};
}

std::string TimeOfDayText(unsigned Hour, unsigned Minute)
{
    const auto two = [](unsigned v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(Hour) + ":" + two(Minute);
}

std::string ActionText(uint8_t Action)
{
    const unsigned action = Action & ~ConfirmationBit;
    return action < ActionWords.size() ? std::string(ActionWords[action]) : std::to_string(action);
}

std::vector<std::string> WeekDayWordsOf(uint8_t Mask)
{
    std::vector<std::string> words;
    for (size_t day = 0; day < WeekDayWords.size(); ++day)
        if (Mask >> day & 1) words.emplace_back(WeekDayWords[day]);
    return words;
}

std::optional<uint8_t> ActionOfWord(std::string_view Word)
{
    for (size_t action = 1; action < ActionWords.size(); ++action)
        if (SameIgnoringCase(Word, ActionWords[action])) return static_cast<uint8_t>(action);
    return std::nullopt;
}

std::optional<uint8_t> WeekDayBitOfWord(std::string_view Word)
{
    for (size_t day = 0; day < WeekDayWords.size(); ++day)
        if (SameIgnoringCase(Word, WeekDayWords[day]) || SameIgnoringCase(Word, FullDayNames[day]))
            return static_cast<uint8_t>(1u << day);
    return std::nullopt;
}

} // namespace kvx
