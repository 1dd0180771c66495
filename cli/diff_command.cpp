#include <iostream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "config/config_compare.h"
#include "config/contact_id.h"
#include "config/template_file.h"
#include "config/words_text.h"
#include "link/program_files.h"

namespace kvx::cli {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* UnitSource = "unit";
constexpr int ExitDifferent = 1;
constexpr int ExitCannotCompare = 2;
constexpr const char* SameText = "The configurations are the same.\n";

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

json FieldsJson(const std::vector<TFieldDifference>& Fields)
{
    json list = json::array();
    for (const TFieldDifference& d : Fields)
        list.push_back({{"field", d.Name}, {"offset", d.Offset}, {"size", d.Size}, {"first", d.First}, {"second", d.Second}});
    return list;
}

json WordsJson(const std::vector<TWordedDifference>& Differences)
{
    json list = json::array();
    for (const TWordedDifference& d : Differences)
        list.push_back({{"page", d.PageNo ? json(PageHeading(d.PageNo)) : json()},
                        {"caption", d.Caption},
                        {"first", d.First},
                        {"second", d.Second},
                        {"fields", FieldsJson(d.Fields)}});
    return list;
}

} // namespace

std::vector<TCIDEvent> ShippedCIDEvents(const TOptions& Options)
{
    const auto file = FindProgramFile(Options.ProgramFolder, "CIDList.txt");
    return file ? LoadCIDList(*file, CIDReportingCapacity).Events : std::vector<TCIDEvent>{};
}

int DiffImages(const TOptions& Options, const std::string& First, const std::string& Second, TDiffForm Form)
{
    if (First == "-" && Second == "-") {
        std::cerr << "Only one of the two can come from standard input.\n";
        return ExitCannotCompare;
    }
    TKVXConfig first;
    TKVXConfig second;
    if (!LoadSource(Options, First, first) || !LoadSource(Options, Second, second)) return ExitCannotCompare;
    if (Form == TDiffForm::Fields) {
        const std::vector<TFieldDifference> fields = CompareConfigs(first, second);
        if (fields.empty()) std::cout << SameText;
        for (const TFieldDifference& d : fields) std::cout << d.Name << ": " << d.First << " -> " << d.Second << "\n";
        return fields.empty() ? ExitOK : ExitDifferent;
    }
    // In the pages' words, what the pages show alike is no difference.
    const std::vector<TWordedDifference> words = CompareConfigWords(first, second, ShippedCIDEvents(Options));
    if (Form == TDiffForm::Json) std::cout << json{{"equal", words.empty()}, {"differences", WordsJson(words)}}.dump(2) << "\n";
    else std::cout << (words.empty() ? SameText : DifferencesText(words));
    return words.empty() ? ExitOK : ExitDifferent;
}

int DumpTemplateWords(const TOptions& Options, const std::filesystem::path& Input)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Input, image)) return ExitNoDevice;
    std::cout << ConfigWordsText(image, ShippedCIDEvents(Options));
    return ExitOK;
}

} // namespace kvx::cli
