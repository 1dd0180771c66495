#include "config/smsc_ini.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& Text)
{
    const auto first = std::find_if_not(Text.begin(), Text.end(), IsBlank);
    const auto last = std::find_if_not(Text.rbegin(), Text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// A value wrapped in a matching pair of quotes is given without them.
std::string Unquoted(const std::string& Value)
{
    if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') && Value.back() == Value.front())
        return Value.substr(1, Value.size() - 2);
    return Value;
}

bool SameName(const std::string& A, const std::string& B)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [&](char a, char b) { return lower(a) == lower(b); });
}

} // namespace

TSMSCIni TSMSCIni::Parse(const std::string& Text)
{
    TSMSCIni ini;
    std::istringstream lines(Text);
    std::string raw;
    bool first = true;
    while (std::getline(lines, raw)) {
        if (first && raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);  // a UTF-8 mark
        first = false;
        const std::string line = Trimmed(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos && close > 0) ini.FCountries.push_back({Trimmed(line.substr(1, close - 1)), {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (ini.FCountries.empty() || equals == std::string::npos) continue;
        const std::string name = Trimmed(line.substr(0, equals));
        if (name.empty()) continue;
        ini.FCountries.back().Networks.push_back({name, Unquoted(Trimmed(line.substr(equals + 1)))});
    }
    return ini;
}

TSMSCIni TSMSCIni::Load(const std::filesystem::path& File)
{
    std::ifstream in(File, std::ios::binary);
    if (!in) return {};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {};
    return Parse(text);
}

std::vector<std::string> TSMSCIni::CountryNames() const
{
    std::vector<std::string> names;
    for (const TSMSCCountry& country : FCountries) names.push_back(country.Name);
    return names;
}

const TSMSCCountry* TSMSCIni::FindCountry(const std::string& Name) const
{
    const auto it = std::find_if(FCountries.begin(), FCountries.end(), [&](const TSMSCCountry& c) { return SameName(c.Name, Name); });
    return it == FCountries.end() ? nullptr : &*it;
}

std::vector<std::string> TSMSCIni::NetworkNames(const std::string& Country) const
{
    std::vector<std::string> names;
    if (const TSMSCCountry* country = FindCountry(Country))
        for (const TSMSCNetwork& network : country->Networks) names.push_back(network.Name);
    return names;
}

std::string TSMSCIni::Number(const std::string& Country, const std::string& Network) const
{
    const TSMSCCountry* country = FindCountry(Country);
    if (!country) return {};
    const auto it = std::find_if(country->Networks.begin(), country->Networks.end(),
                                 [&](const TSMSCNetwork& n) { return SameName(n.Name, Network); });
    return it == country->Networks.end() ? std::string() : it->Number;
}

std::optional<TSMSCMatch> TSMSCIni::FindNumber(const std::string& Number) const
{
    if (Number.empty()) return std::nullopt;
    for (size_t c = 0; c < FCountries.size(); ++c)
        for (const TSMSCNetwork& network : FCountries[c].Networks)
            if (network.Number == Number) return TSMSCMatch{c + 1, network.Name};
    return std::nullopt;
}

} // namespace kvx
