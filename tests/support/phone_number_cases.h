#pragma once
// One table of telephone numbers as people write them, and what every way in (a page, a
// spreadsheet import, kvxctl set and build) stores for each, or why it refuses it.
#include <string>

namespace kvx::test {

struct TPhoneNumberCase {
    const char* Text;
    const char* CountryCode;  // the default country code; "" for none
    const char* Stored;       // the digits after the "+"; nullptr: refused
    const char* Reason;       // why it is refused
};

inline constexpr TPhoneNumberCase PhoneNumberCases[] = {
    {"+44 7700 900123", "", "447700900123", ""},
    {"0044-7700-900.123", "", "447700900123", ""},
    {"+44 (0)7700 900123", "", "447700900123", ""},  // the national 0 goes with its brackets
    {"447700900123", "", "447700900123", ""},        // the pages' own form: "+" left out
    {"\xC2\xA0+33\xC2\xA0" "612345678 ", "", "33612345678", ""},
    {"+44 7700 900123", "33", "447700900123", ""},   // a default never touches an international number
    {"07700 900123", "44", "447700900123", ""},      // the default stands in for the national 0
    {"(01632) 960 001", "44", "441632960001", ""},
    {"07700 900123", "", nullptr, "\"07700 900123\" is a national number: add the country code"},
    {"+44 (0)7700-900abc", "", nullptr, "\"+44 (0)7700-900abc\" holds letters: a telephone number is digits"},
    {"4.47701E+11", "", nullptr, "\"4.47701E+11\" holds letters: a telephone number is digits"},
    {"+44 7700#900", "", nullptr, "\"+44 7700#900\" is not a telephone number"},
    {"+", "", nullptr, "\"+\" is not a telephone number"},
    {"4477009001234567", "", nullptr, "\"4477009001234567\" has more than 15 digits"},
    {"0770090012345678", "44", nullptr, "\"0770090012345678\" has more than 15 digits"},
};

} // namespace kvx::test
