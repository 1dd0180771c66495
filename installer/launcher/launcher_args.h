#pragma once
// The launcher's own command line: "[key][mode] command" after the program's path.
#include <optional>
#include <string>
#include <string_view>

namespace kvx::launcher {

struct TLauncherArgs {
    std::u16string Key;      // entry of the medium's autorun.inf, section "Installed"
    int Mode = 0;
    std::u16string Command;  // the rest of the line, leading spaces skipped
};

// Nothing when the two bracket groups are missing: then there is nothing to run.
std::optional<TLauncherArgs> ParseLauncherArgs(std::u16string_view ProcessCommandLine);

// Optional '-', then digits up to the first non-digit; out-of-range values saturate.
int ParseMode(std::u16string_view Text);

} // namespace kvx::launcher
