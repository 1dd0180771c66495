#pragma once
// kvxctl's commands; each returns the process exit code.
#include <filesystem>
#include <optional>
#include <string>

namespace kvx::cli {

inline constexpr int ExitOK = 0;
inline constexpr int ExitFailed = 1;     // the unit or the user said no
inline constexpr int ExitNoDevice = 2;   // no library, no dongle, bad file

struct TOptions {
    std::string USBLibrary;                 // --usb-library
    bool Simulate = false;                  // --simulate
    std::string SerialPort;                 // --serial-port
    std::filesystem::path ProgramFolder;    // where the simulator is looked for
    std::optional<std::string> Password;    // --password, instead of asking
};

int ListDevices(const TOptions& Options);
int ReadUnit(const TOptions& Options, const std::filesystem::path& Output);
int WriteUnit(const TOptions& Options, const std::filesystem::path& Input);
int CheckPassword(const TOptions& Options);
// NewPassword empty: asked twice at the terminal.
int SetPassword(const TOptions& Options, const std::optional<std::string>& NewPassword);
int ClearPassword(const TOptions& Options);
int WatchStatus(const TOptions& Options, unsigned Seconds);
int DumpTemplate(const std::filesystem::path& Input, bool Json);

} // namespace kvx::cli
