#pragma once
// kvxctl's commands; each returns the process exit code.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/cid_list.h"
#include "image/kvx_config.h"
#include "link/status_snapshot.h"
#include "transfer/commissioning_report.h"

namespace kvx::cli {

inline constexpr int ExitOK = 0;
inline constexpr int ExitFailed = 1;     // the unit or the user said no
inline constexpr int ExitNoDevice = 2;   // no library, no dongle, bad file or bad input
inline constexpr int ExitInterrupted = 130;  // Ctrl-C, as shells report it

struct TOptions {
    std::string USBLibrary;                 // --usb-library
    bool Simulate = false;                  // --simulate, or --simulate-reset
    bool SimulateReset = false;             // --simulate-reset: the simulated unit starts afresh
    std::filesystem::path SimulatedUnitFile;  // where the simulated unit keeps its memory between runs
    std::string SerialPort;                 // --serial-port
    std::string SerialBaud;                 // --serial-baud
    std::filesystem::path ProgramFolder;    // where the simulator is looked for
    std::optional<std::string> Password;    // --password, instead of asking (others can see it)
    std::filesystem::path PasswordFile;     // --password-file: its first line is the password
    std::filesystem::path BackupFolder;     // the program's backups, kept before every write
};

// JSON as kvxctl prints it: Indent -1 for one line; text that is no UTF-8 replaced, never refused.
std::string JsonText(const nlohmann::ordered_json& Json, int Indent);

// LoadTemplate and SaveTemplate that say on standard error why they could not; "-" for
// standard input or output.
bool LoadTemplateOrSay(const std::filesystem::path& Path, TKVXConfig& Image);
bool SaveTemplateOrSay(const std::filesystem::path& Path, const TKVXConfig& Image);

// Says so, and is true, when Output is the file Input names.
bool RefuseSameFile(const std::filesystem::path& Input, const std::filesystem::path& Output);

// Exit 1 when no KVX dongle is among them.
int ListDevices(const TOptions& Options, bool Json);
int ReadUnit(const TOptions& Options, const std::filesystem::path& Output);
// Reads the unit's image as ReadUnit does, without a file; ExitOK or the failure's exit code.
// With Status, first waits a few seconds for the status frames that name the unit.
int ReadUnitImage(const TOptions& Options, TKVXConfig& Image, TStatusSnapshot* Status = nullptr);
// Backs up what the unit holds, writes (ChangesOnly: only the pages that differ), and (with
// Verify) reads back and compares.
int WriteUnit(const TOptions& Options, const std::filesystem::path& Input, bool Verify, bool ChangesOnly);
// Writes a backup's own bytes to the unit, after listing what that changes; the unit's
// configuration is backed up first and the write verified.
int RestoreUnit(const TOptions& Options, const std::filesystem::path& Backup);
int CheckPassword(const TOptions& Options);
// The new password from NewPassword (seen by others: warns), the first line of NewPasswordFile,
// or asked twice at the terminal.
int SetPassword(const TOptions& Options, const std::optional<std::string>& NewPassword,
                const std::filesystem::path& NewPasswordFile);
int ClearPassword(const TOptions& Options);
// Json: one object a line. Csv (when given): the status log, a row for every state frame
// ("-": standard output, which then carries nothing else). Exit 130 when stopped by Ctrl-C.
int WatchStatus(const TOptions& Options, unsigned Seconds, bool Json, const std::filesystem::path& Csv);
int DumpTemplate(const std::filesystem::path& Input, bool Json);
// The template page by page, in the pages' own words.
int DumpTemplateWords(const TOptions& Options, const std::filesystem::path& Input);

// Words: grouped by page in the pages' words; Fields: by image name with raw values; Json: both.
enum class TDiffForm { Words, Fields, Json };
// First and Second: template files, or "unit" for a read of the unit. Exit 0 when they are
// equal (as the pages show them), 1 when they differ, 2 when they could not be compared.
int DiffImages(const TOptions& Options, const std::string& First, const std::string& Second, TDiffForm Form);
// The Contact ID events of the CIDList.txt shipped beside kvxctl; none when it is missing.
std::vector<TCIDEvent> ShippedCIDEvents(const TOptions& Options);
int ListBackupFiles(const TOptions& Options, bool Json);
// The commissioning report of Source (a template file, "unit" for a read of the unit with its
// identity, or - for standard input) as a PDF or an HTML page, by Output's extension ("-":
// HTML to standard output).
int WriteReport(const TOptions& Options, const std::string& Source, const std::filesystem::path& Output, const TReportDetails& Details);

// A template from JSON as `dump --json` writes it; fields left out keep the design values.
// Exit 2 for JSON that is refused, or an output that is the input. National telephone numbers
// take CountryCode (digits; empty: refused), here and in SetFields and ImportList.
int BuildTemplate(const std::filesystem::path& Input, const std::filesystem::path& Output, const std::string& CountryCode);
// "PATH=VALUE" edits of a template, by the dump's names; all of them are saved, or none.
// Template "-": read from standard input, the edited one written to standard output.
int SetFields(const std::filesystem::path& Template, const std::vector<std::string>& Assignments, const std::string& CountryCode);

enum class TListKind { MissedCalls, Recipients };
// A spreadsheet's rows into a template; DryRun only reports what would change. Exit 1 when a
// row was skipped, 0 only when every row was taken. Template "-": standard input to output.
int ImportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv, bool DryRun,
               const std::string& CountryCode);
// Csv empty or "-": to standard output.
int ExportList(TListKind Kind, const std::filesystem::path& Template, const std::filesystem::path& Csv);

} // namespace kvx::cli
