#pragma once
// kvxctl's commands over configurations as text: build, set, and the lists exchanged with
// spreadsheets (calls, recipients).
namespace CLI {
class App;
}

namespace kvx::cli {

void AddTextSubcommands(CLI::App& App, int& ExitCode);

} // namespace kvx::cli
