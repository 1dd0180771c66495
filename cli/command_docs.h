#pragma once
// What is written about kvxctl's command line, made from its own definitions so that it
// cannot fall behind them: the manual page's OPTIONS and COMMANDS sections, and bash
// completion. Both are generated at build time (kvxctl --manual-page, --bash-completion).
#include <string>

namespace CLI {
class App;
}

namespace kvx::cli {

// A value's kind of file, as option and argument definitions name it (type_name): completion
// offers those files, the manual page names the kind.
inline constexpr const char* TemplateFile = "TEMPLATE";  // *.kvx
inline constexpr const char* JsonFile = "JSON";          // *.json
inline constexpr const char* CsvFile = "CSV";            // *.csv
inline constexpr const char* AnyFile = "FILE";

// The OPTIONS section (the program's own options) and the COMMANDS section (every subcommand
// with its arguments and options, nested ones as "password check"), in roff.
std::string ManualPageSections(const CLI::App& Program);

// A bash completion script for Program: subcommands, options, and for each value or argument
// the files of its kind.
std::string BashCompletion(const CLI::App& Program);

} // namespace kvx::cli
