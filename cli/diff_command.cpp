#include <iostream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "config/config_compare.h"
#include "config/template_file.h"

namespace kvx::cli {

namespace {

constexpr const char* UnitSource = "unit";
constexpr int ExitDifferent = 1;
constexpr int ExitCannotCompare = 2;

// A template file, or the unit's image when Source is "unit".
bool LoadSource(const TOptions& options, const std::string& source, TKVXConfig& image)
{
    if (source == UnitSource) {
        if (ReadUnitImage(options, image) != ExitOK) return false;
        // Compared as a file would hold it: the password is not shown.
        ErasePassword(image);
        return true;
    }
    return LoadTemplateOrSay(source, image);
}

} // namespace

int DiffImages(const TOptions& Options, const std::string& First, const std::string& Second, bool Json)
{
    if (First == "-" && Second == "-") {
        std::cerr << "Only one of the two can come from standard input.\n";
        return ExitCannotCompare;
    }
    TKVXConfig first;
    TKVXConfig second;
    if (!LoadSource(Options, First, first) || !LoadSource(Options, Second, second)) return ExitCannotCompare;
    const std::vector<TFieldDifference> differences = CompareConfigs(first, second);

    if (Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TFieldDifference& d : differences)
            list.push_back({{"field", d.Name}, {"offset", d.Offset}, {"size", d.Size}, {"first", d.First}, {"second", d.Second}});
        std::cout << nlohmann::ordered_json{{"equal", differences.empty()}, {"differences", list}}.dump(2) << "\n";
    } else if (differences.empty()) {
        std::cout << "The configurations are the same.\n";
    } else {
        for (const TFieldDifference& d : differences) std::cout << d.Name << ": " << d.First << " -> " << d.Second << "\n";
    }
    return differences.empty() ? ExitOK : ExitDifferent;
}

} // namespace kvx::cli
