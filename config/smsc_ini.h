#pragma once
// SMSC.ini: message centre numbers by country (section) and cellular network (key).
// Read by hand because the SIM page relies on the Windows private-profile rules, which no
// INI library here follows: blanks around names and values dropped, a value's matching
// quotes dropped, ";" lines skipped, names matched without regard to case, first match wins.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kvx {

struct TSMSCNetwork {
    std::string Name;
    std::string Number;  // digits without "+", as the file gives them
};

struct TSMSCCountry {
    std::string Name;
    std::vector<TSMSCNetwork> Networks;  // in file order
};

// Where a number was found: the country's position in the country list ("Custom" is 0,
// the file's first section 1) and the network's name.
struct TSMSCMatch {
    size_t CountryPosition;
    std::string Network;
};

class TSMSCIni {
public:
    TSMSCIni() = default;
    // Any text is taken: lines that are neither sections nor keys are skipped; CRLF or LF.
    static TSMSCIni Parse(const std::string& Text);
    // A missing or unreadable file gives an empty list.
    static TSMSCIni Load(const std::filesystem::path& File);

    // Section names in file order.
    std::vector<std::string> CountryNames() const;
    // The key names of the first section of that name; none when there is no such section.
    std::vector<std::string> NetworkNames(const std::string& Country) const;
    // The value of the first key of that name in that section; empty when there is none.
    std::string Number(const std::string& Country, const std::string& Network) const;
    // The first network in file order whose number equals Number; an empty number never matches.
    std::optional<TSMSCMatch> FindNumber(const std::string& Number) const;

    const std::vector<TSMSCCountry>& Countries() const { return FCountries; }

private:
    const TSMSCCountry* FindCountry(const std::string& Name) const;

    std::vector<TSMSCCountry> FCountries;
};

} // namespace kvx
