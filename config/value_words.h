#pragma once
// The words that stand for coded values wherever a configuration is text: the dump, the
// JSON build, the lists exchanged with spreadsheets, and the pages' own words that the
// description of a configuration shares with the pages.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/general_setup.h"

namespace kvx {

// Bit 0 (Monday) first.
inline constexpr std::array<std::string_view, 7> WeekDayWords = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
// By relay action number: 1 On .. 4 Toggle; 0 is shown as "-".
inline constexpr std::array<std::string_view, 5> ActionWords = {"-", "On", "Off", "Pulse", "Toggle"};
// By ADType.
inline constexpr std::array<std::string_view, 3> AnalogueTypeWords = {"none", "voltage", "current"};

// What the serial port serves; any stored value but 0 and 1 reads as disabled.
inline constexpr std::array<std::pair<TSerialInterface, std::string_view>, 3> SerialInterfaceWords = {
    {{TSerialInterface::IOExpander, "I/O expander"}, {TSerialInterface::DSC, "DSC functions"}, {TSerialInterface::Disabled, "disabled"}}};

// A text or number field that holds nothing.
inline constexpr std::string_view EmptyWord = "(empty)";
// A field its page shows greyed out, or a setting switched off by its own number (tamper 255).
inline constexpr std::string_view DisabledWord = "disabled";
// A check box.
inline constexpr std::string_view OnWord = "on";
inline constexpr std::string_view OffWord = "off";
// No recipient, no day.
inline constexpr std::string_view NoneWord = "none";

// A value as messages name it, in double quotes.
std::string Quoted(std::string_view Text);

// "7:30" or "07:30" within the day, as hour and minute.
std::optional<std::pair<uint8_t, uint8_t>> TimeOfDayOfText(std::string_view Text);
// Two digits each, "07:30".
std::string TimeOfDayText(unsigned Hour, unsigned Minute);

// The word of an action byte, its confirmation bit aside; an action without a word as its number.
std::string ActionText(uint8_t Action);
// The words of the days a week-day mask holds, Monday first.
std::vector<std::string> WeekDayWordsOf(uint8_t Mask);

// A check box as on or off.
std::string_view OnOffWord(bool On);
// Image text (bytes as Latin-1 characters) as UTF-8.
std::string Utf8Text(const std::u16string& Text);
// A text field as its edit shows it: in double quotes, or "(empty)".
std::string QuotedOrEmpty(const std::u16string& Text);
// A telephone number's stored digits in international form ("+447700900123"), or "(empty)".
std::string PhoneNumberText(const std::u16string& Digits);
// A count of hundredths with two decimals: 475 reads "4.75".
std::string HundredthsText(unsigned Hundredths);
// The days of a week-day mask, Monday first ("Mon Tue Fri"); "every day"; "none".
std::string WeekDaysText(uint8_t Mask);
// Recipients 1..10 of a recipient mask ("1, 2, 5"); "none".
std::string RecipientsText(uint16_t Mask);

// A relay (0-based) as the relay lists offer it: "Relay1" .. "Relay8"; beyond them "Relay12 (unknown)".
std::string RelayChoiceText(uint8_t Relay);
// An action as the action lists offer it: "On" .. "Toggle" (bit 7 not named); another
// "Action 7 (unknown)".
std::string ActionChoiceText(uint8_t Action);

// Locations as their own lists number them, Index 0-based: "Timer 01" .. "Timer 64" and
// "Missed call 001" .. "Missed call 500".
std::string TimerLocationName(size_t Index);
std::string MissedCallLocationName(size_t Index);

// The action (1..4) a word names, ignoring case; empty for any other word.
std::optional<uint8_t> ActionOfWord(std::string_view Word);
// The week-day bit a word names ("Mon", "monday", "TUE"), ignoring case; empty for any other.
std::optional<uint8_t> WeekDayBitOfWord(std::string_view Word);

} // namespace kvx
