#include "config/value_words.h"

#include <algorithm>
#include <cctype>

#include "config/missed_calls.h"
#include "config/recipient_masks.h"

namespace kvx {

namespace {

bool SameIgnoringCase(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

constexpr size_t ListedRelays = 8;
constexpr uint8_t EveryDay = 0x7F;

// Counted from 1, zero-padded to Digits.
std::string LocationNumber(size_t Index, size_t Digits)
{
    const std::string number = std::to_string(Index + 1);
    return std::string(Digits > number.size() ? Digits - number.size() : 0, '0') + number;
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

std::string_view OnOffWord(bool On) { return On ? OnWord : OffWord; }

std::string Utf8Text(const std::u16string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (const char16_t c : Text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6 & 0x1F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string QuotedOrEmpty(const std::u16string& Text)
{
    return Text.empty() ? std::string(EmptyWord) : Quoted(Utf8Text(Text));
}

std::string PhoneNumberText(const std::u16string& Digits)
{
    return Digits.empty() ? std::string(EmptyWord) : "+" + Utf8Text(Digits);
}

std::string HundredthsText(unsigned Hundredths)
{
    const unsigned cents = Hundredths % 100;
    return std::to_string(Hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

std::string WeekDaysText(uint8_t Mask)
{
    if ((Mask & EveryDay) == EveryDay) return "every day";
    std::string text;
    for (const std::string& day : WeekDayWordsOf(Mask)) text += (text.empty() ? "" : " ") + day;
    return text.empty() ? std::string(NoneWord) : text;
}

std::string RecipientsText(uint16_t Mask)
{
    std::string text;
    for (unsigned n = 1; n <= RecipientCount; ++n)
        if (HasRecipient(Mask, n)) text += (text.empty() ? "" : ", ") + std::to_string(n);
    return text.empty() ? std::string(NoneWord) : text;
}

std::string RelayChoiceText(uint8_t Relay)
{
    const std::string relay = "Relay" + std::to_string(Relay + 1);
    return Relay < ListedRelays ? relay : relay + " (unknown)";
}

std::string ActionChoiceText(uint8_t Action)
{
    // Bit 7 is kept but not named, as the timer lines name the action.
    const uint8_t named = Action & 0x7F;
    if (named >= 1 && named < ActionWords.size()) return std::string(ActionWords[named]);
    return "Action " + std::to_string(Action) + " (unknown)";
}

std::string TimerLocationName(size_t Index) { return "Timer " + LocationNumber(Index, 2); }
std::string MissedCallLocationName(size_t Index) { return "Missed call " + LocationNumber(Index, 3); }

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
