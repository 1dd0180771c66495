#include <iostream>

#include "cli/commands.h"
#include "cli/standard_streams.h"
#include "cli/terminal.h"
#include "config/config_build.h"
#include "config/config_set.h"
#include "config/design_config.h"

namespace kvx::cli {

namespace {

constexpr size_t MaxJsonSize = 16 * 1024 * 1024;

void SayProblems(const std::vector<std::string>& Problems)
{
    for (const std::string& problem : Problems) std::cerr << problem << "\n";
    std::cerr << "Nothing was written.\n";
}

} // namespace

bool RefuseSameFile(const std::filesystem::path& Input, const std::filesystem::path& Output)
{
    if (!IsSameFile(Input, Output)) return false;
    std::cerr << "The output \"" << Output.string() << "\" is the input file; name another.\n";
    return true;
}

int BuildTemplate(const std::filesystem::path& Input, const std::filesystem::path& Output, const std::string& CountryCode)
{
    if (RefuseSameFile(Input, Output)) return ExitNoDevice;
    std::string text;
    std::string error;
    if (!ReadInputFile(Input, text, error, MaxJsonSize)) {
        std::cerr << "Could not read \"" << Input.string() << "\": " << error << ".\n";
        return ExitNoDevice;
    }
    const auto json = ParseConfigJson(text, error);
    if (!json) {
        SayProblems({InputName(Input) + ": " + error});
        return ExitNoDevice;
    }
    TKVXConfig image = DesignConfig();
    if (const auto problems = ApplyConfigJson(*json, image, CountryCode); !problems.empty()) {
        SayProblems(problems);
        return ExitNoDevice;
    }
    if (!SaveTemplateOrSay(Output, image)) return ExitNoDevice;
    Told() << "Configuration built into " << OutputName(Output) << ".\n";
    return ExitOK;
}

int SetFields(const std::filesystem::path& Template, const std::vector<std::string>& Assignments, const std::string& CountryCode)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Template, image)) return ExitNoDevice;
    if (const auto problems = ApplyAssignments(Assignments, image, CountryCode); !problems.empty()) {
        SayProblems(problems);
        return ExitNoDevice;
    }
    if (!SaveTemplateOrSay(Template, image)) return ExitNoDevice;
    Told() << Assignments.size() << (Assignments.size() == 1 ? " field" : " fields") << " set in " << OutputName(Template) << ".\n";
    return ExitOK;
}

} // namespace kvx::cli
