#pragma once
// The words that stand for coded values wherever a configuration is text: the dump, the
// JSON build, and the lists exchanged with spreadsheets.
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

// The action (1..4) a word names, ignoring case; empty for any other word.
std::optional<uint8_t> ActionOfWord(std::string_view Word);
// The week-day bit a word names ("Mon", "monday", "TUE"), ignoring case; empty for any other.
std::optional<uint8_t> WeekDayBitOfWord(std::string_view Word);

} // namespace kvx
