#include "cli/text_subcommands.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_docs.h"
#include "cli/commands.h"
#include "config/phone_number.h"

namespace kvx::cli {

namespace {

// What the parse fills in; kept alive by the callbacks that read it.
struct TArguments {
    std::filesystem::path Json;
    std::filesystem::path Output;
    std::filesystem::path Template;
    std::filesystem::path Csv;
    std::vector<std::string> Assignments;
    bool DryRun = false;
    std::string CountryCode;  // its digits; empty: a national number is refused
};

// The option that lets national telephone numbers ("07700 900123") through, taking this
// country code in place of their 0.
void AddCountryCodeOption(CLI::App& Command, std::string& CountryCode)
{
    const CLI::Validator countryCode(
        [](std::string& Text) {
            std::string reason;
            const auto code = CountryCodeOfText(Text, reason);
            if (code) Text = *code;
            return code ? std::string() : reason;
        },
        "");
    Command.add_option("--country-code", CountryCode, "country code for national numbers (a leading 0), e.g. 44; "
                                                      "without it they are refused")
        ->transform(countryCode)
        ->type_name("CC");
}

void AddListSubcommand(CLI::App& App, int& ExitCode, const std::shared_ptr<TArguments>& Args, const CLI::Validator& InputFile,
                       const char* Name, TListKind Kind, const std::string& What)
{
    auto* list = App.add_subcommand(Name, What + " from and to a spreadsheet (CSV)");
    list->require_subcommand(1);
    auto* import = list->add_subcommand("import", "put the CSV's " + What + " into a template file; a report says what changes "
                                                  "(exit 1 when a row was skipped)");
    import->add_option("template", Args->Template, "template file (*.kvx; - to read standard input and write standard output)")
        ->required()
        ->check(InputFile)
        ->type_name(TemplateFile);
    import->add_option("csv", Args->Csv, "CSV file with a header row (- for standard input)")->required()->check(InputFile)->type_name(CsvFile);
    import->add_flag("--dry-run", Args->DryRun, "only show the report; the template stays as it is");
    AddCountryCodeOption(*import, Args->CountryCode);
    import->callback([&ExitCode, Args, Kind] { ExitCode = ImportList(Kind, Args->Template, Args->Csv, Args->DryRun, Args->CountryCode); });
    auto* exported = list->add_subcommand("export", "write a template file's " + What + " as CSV");
    exported->add_option("template", Args->Template, "template file (*.kvx; - for standard input)")
        ->required()
        ->check(InputFile)
        ->type_name(TemplateFile);
    exported->add_option("csv", Args->Csv, "CSV file to write (default, or -: standard output)")->type_name(CsvFile);
    exported->callback([&ExitCode, Args, Kind] { ExitCode = ExportList(Kind, Args->Template, Args->Csv); });
}

} // namespace

void AddTextSubcommands(CLI::App& App, int& ExitCode, const CLI::Validator& InputFile)
{
    auto args = std::make_shared<TArguments>();
    auto* build = App.add_subcommand("build", "make a template file from JSON as 'dump --json' writes it; fields left out keep "
                                              "the program's design values");
    build->add_option("json", args->Json, "configuration as JSON (- for standard input)")->required()->check(InputFile)->type_name(JsonFile);
    build->add_option("-o,--output", args->Output, "template file to write (*.kvx; - for standard output)")->required()->type_name(TemplateFile);
    AddCountryCodeOption(*build, args->CountryCode);
    build->callback([&ExitCode, args] { ExitCode = BuildTemplate(args->Json, args->Output, args->CountryCode); });

    auto* set = App.add_subcommand("set", "change fields of a template file by name: UnitID=\"Farm 12\" TimerEvents.5.Time=07:30");
    set->add_option("template", args->Template, "template file (*.kvx; - to read standard input and write standard output)")
        ->required()
        ->check(InputFile)
        ->type_name(TemplateFile);
    set->add_option("fields", args->Assignments, "PATH=VALUE, by the names of 'dump', all stored together")->required()->type_name("PATH=VALUE");
    AddCountryCodeOption(*set, args->CountryCode);
    set->callback([&ExitCode, args] { ExitCode = SetFields(args->Template, args->Assignments, args->CountryCode); });

    AddListSubcommand(App, ExitCode, args, InputFile, "calls", TListKind::MissedCalls, "missed-call numbers");
    AddListSubcommand(App, ExitCode, args, InputFile, "recipients", TListKind::Recipients, "message recipients");
}

} // namespace kvx::cli
