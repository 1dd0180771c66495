#include "config/config_set.h"

#include <algorithm>

#include "config/config_build.h"

namespace kvx {

namespace {

using json = nlohmann::ordered_json;

constexpr size_t MaxNumberDigits = 18;
// The deepest path a field has, with room to spare: "RawBytes.RemoteControl[2].Command".
constexpr long MaxPathDots = 8;

bool AllDigits(const std::string& Text)
{
    return !Text.empty() && std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsUTF8(const std::string& Text)
{
    try {
        (void)json(Text).dump();
        return true;
    } catch (const json::type_error&) {
        return false;
    }
}

// {"TimerEvents": {"5": {"Time": Value}}} for "TimerEvents.5.Time"; what follows "RawBytes."
// is one name, dots and all ("RawBytes.RemoteControl[2].Command").
json Nested(const std::string& Path, json Value)
{
    std::vector<std::string> keys;
    for (size_t from = 0, dot = 0; dot != std::string::npos; from = dot + 1) {
        dot = keys.size() == 1 && keys.front() == RawBytesKey ? std::string::npos : Path.find('.', from);
        keys.push_back(Path.substr(from, dot == std::string::npos ? std::string::npos : dot - from));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) Value = json{{*key, std::move(Value)}};
    return Value;
}

// The value as the text dump writes it: "not set", "yes", "no", "none", words apart ("Mon Fri", "1 3").
std::optional<json> AsTheDumpWritesIt(const std::string& Text)
{
    if (Text == "not set") return json();
    if (Text == "yes" || Text == "no") return json(Text == "yes");
    if (Text == "none") return json::array();
    if (Text.empty() || Text.front() == ' ' || Text.back() == ' ') return std::nullopt;
    json words = json::array();
    for (size_t from = 0, space = 0; space != std::string::npos; from = space + 1) {
        space = Text.find(' ', from);
        const std::string word = Text.substr(from, space == std::string::npos ? std::string::npos : space - from);
        if (AllDigits(word) && word.size() <= MaxNumberDigits) words.push_back(std::stoull(word));
        else words.push_back(word);
    }
    return words;
}

// The ways VALUE can be read, the likeliest first; the last is the text as it is.
std::vector<json> Readings(const std::string& Text)
{
    std::string ignored;
    std::vector<json> readings;
    if (const auto typed = ParseConfigJson(Text, ignored)) {
        if (typed->is_string()) return {*typed};  // in quotes: text, whatever it says
        readings.push_back(*typed);
    } else if (AllDigits(Text) && Text.size() <= MaxNumberDigits) {
        readings.push_back(std::stoull(Text));  // "08": JSON has no leading zeros, people do
    }
    if (const auto dumped = AsTheDumpWritesIt(Text)) readings.push_back(*dumped);
    readings.push_back(Text);
    return readings;
}

// The first reading the field takes as its kind of value (its problems, if any, are then about
// the value itself); the text when none is.
json Reading(const std::string& Path, const std::string& Text, const TKVXConfig& Config, std::string_view DefaultCountryCode)
{
    const std::vector<json> readings = Readings(Text);
    for (const json& reading : readings) {
        TKVXConfig scratch = Config;
        const std::vector<TBuildProblem> problems = BuildFromJson(Nested(Path, reading), scratch, DefaultCountryCode);
        if (std::any_of(problems.begin(), problems.end(), [](const TBuildProblem& p) { return !p.WrongKind; }) || problems.empty())
            return reading;
    }
    return readings.back();
}

// Into's members with From's over them, objects member by member.
void Merge(json& Into, const json& From)
{
    for (const auto& [key, value] : From.items()) {
        const auto found = Into.find(key);
        if (found != Into.end() && found->is_object() && value.is_object()) Merge(*found, value);
        else Into[key] = value;
    }
}

} // namespace

std::vector<std::string> ApplyAssignments(const std::vector<std::string>& Assignments, TKVXConfig& Config,
                                          std::string_view DefaultCountryCode)
{
    std::vector<std::string> problems;
    json edits = json::object();
    for (const std::string& assignment : Assignments) {
        const size_t equals = assignment.find('=');
        if (!IsUTF8(assignment)) {
            problems.push_back(assignment.substr(0, equals) + ": not UTF-8 text");
        } else if (equals == std::string::npos || equals == 0) {
            problems.push_back(assignment + ": expected PATH=VALUE (UnitID=\"Farm 12\", TimerEvents.5.Time=07:30)");
        } else if (std::count(assignment.begin(), assignment.begin() + static_cast<std::ptrdiff_t>(equals), '.') > MaxPathDots) {
            problems.push_back(assignment.substr(0, equals) + ": unknown key (no field lies that deep)");
        } else {
            const std::string path = assignment.substr(0, equals);
            Merge(edits, Nested(path, Reading(path, assignment.substr(equals + 1), Config, DefaultCountryCode)));
        }
    }
    if (!problems.empty()) return problems;
    return ApplyConfigJson(edits, Config, DefaultCountryCode);
}

} // namespace kvx
