#pragma once
// kvxctl's commands over configurations as text: build, set, and the lists exchanged with
// spreadsheets (calls, recipients).
namespace CLI {
class App;
class Validator;
}

namespace kvx::cli {

// InputFile: the check of an argument naming a file to read.
void AddTextSubcommands(CLI::App& App, int& ExitCode, const CLI::Validator& InputFile);

} // namespace kvx::cli
