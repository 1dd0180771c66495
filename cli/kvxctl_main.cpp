// kvxctl: the command line over the same core as the program.
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "cli/command_docs.h"
#include "cli/commands.h"
#include "cli/standard_streams.h"
#include "cli/terminal.h"
#include "cli/text_subcommands.h"
#include "program_version.h"
#include "transfer/data_folder.h"
#include "ui/report/report_pdf.h"

namespace {

std::filesystem::path ProgramFolder(const char* argv0)
{
    std::error_code ec;
    const auto self = std::filesystem::canonical("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::absolute(argv0, ec).parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace kvx::cli;
    CLI::App app{"kvxctl: read, write and watch a KVX unit through its USB programming dongle", "kvxctl"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("kvxctl ") + kvx::ProgramVersion);
    const CLI::Validator inputFile(CheckInputFile, "");

    TOptions options;
    options.ProgramFolder = ProgramFolder(argv[0]);
    const auto dataFolder = kvx::ProgramDataFolder([](const char* name) { return std::getenv(name); });
    options.BackupFolder = kvx::BackupFolderIn(dataFolder);
    options.SimulatedUnitFile = kvx::SimulatedUnitFileIn(dataFolder);
    app.add_option("--usb-library", options.USBLibrary,
                   "USBXpress library to load (default: KVX_USB_LIBRARY, else the platform's SiUSBXp; on Linux, "
                   "failing that, the dongle's serial port)")
        ->type_name(AnyFile);
    app.add_flag("--simulate", options.Simulate, "use the simulated dongle and unit (kvxsim), whose memory is kept between runs");
    app.add_flag_callback("--simulate-reset", [&options] { options.Simulate = options.SimulateReset = true; },
                          "as --simulate, the simulated unit starting afresh");
    app.add_option("--serial-port", options.SerialPort,
                   "the dongle's serial port, e.g. /dev/ttyUSB0 (Linux; --usb-library and --simulate win over it)")
        ->type_name(AnyFile);
    app.add_option("--serial-baud", options.SerialBaud,
                   "the serial port's line rate (Linux; default: KVX_SERIAL_BAUD, else 9600)");
    app.add_option("--password", options.Password,
                   "the unit's password (other users can see it: prefer KVX_PASSWORD, --password-file or the prompt)");
    app.add_option("--password-file", options.PasswordFile, "a file whose first line is the unit's password")
        ->check(CLI::ExistingFile)->type_name(AnyFile);
    app.add_flag_callback("-q,--quiet", [] { SetQuiet(true); }, "say nothing on success, for scripts (problems still go to standard error)");

    int exitCode = ExitOK;
    bool devicesJson = false;
    auto* devices = app.add_subcommand("devices", "list the USBXpress devices (exit 1 when no KVX dongle is among them)");
    devices->add_flag("--json", devicesJson, "JSON instead of text");
    devices->callback([&] { exitCode = ListDevices(options, devicesJson); });

    std::filesystem::path output;
    auto* read = app.add_subcommand("read", "read the unit's configuration into a template file");
    read->add_option("-o,--output", output, "template file to write (*.kvx; - for standard output)")->required()->type_name(TemplateFile);
    read->callback([&] { exitCode = ReadUnit(options, output); });

    std::filesystem::path input;
    bool noVerify = false;
    bool changesOnly = false;
    auto* write = app.add_subcommand("write", "back up the unit's configuration, write a template file to it, and verify");
    write->add_option("file", input, "template file (*.kvx; - for standard input)")->required()->check(inputFile)->type_name(TemplateFile);
    write->add_flag("--no-verify", noVerify, "do not read the unit back to verify the write");
    write->add_flag("--changes-only", changesOnly, "write (and verify) only the pages that differ from what the unit holds");
    write->callback([&] { exitCode = WriteUnit(options, input, !noVerify, changesOnly); });

    std::filesystem::path restored;
    auto* restore = app.add_subcommand("restore", "list what a backup changes in the unit, back the unit up, write the backup as it is, and verify");
    restore->add_option("backup", restored, "backup file (kvxctl backups lists them)")->required()->check(CLI::ExistingFile)->type_name(TemplateFile);
    restore->callback([&] { exitCode = RestoreUnit(options, restored); });

    auto* password = app.add_subcommand("password", "prove, set or clear the unit's access password");
    password->require_subcommand(1);
    password->add_subcommand("check", "ask for the stored password and prove it")->callback([&] {
        exitCode = CheckPassword(options);
    });
    std::optional<std::string> newPassword;
    std::filesystem::path newPasswordFile;
    auto* set = password->add_subcommand("set", "set a new password (asked twice unless given)");
    set->add_option("new", newPassword, "the new password (other users can see it: prefer the prompt or --new-password-file)");
    set->add_option("--new-password-file", newPasswordFile, "a file whose first line is the new password")
        ->check(CLI::ExistingFile)->type_name(AnyFile);
    set->callback([&] { exitCode = SetPassword(options, newPassword, newPasswordFile); });
    password->add_subcommand("clear", "leave the unit without a password")->callback([&] {
        exitCode = ClearPassword(options);
    });

    unsigned seconds = 10;
    bool statusJson = false;
    std::filesystem::path statusLog;
    auto* status = app.add_subcommand("status", "show the unit's live status frames (Ctrl-C stops, exit 130)");
    status->add_option("--seconds", seconds, "how long to watch")->capture_default_str();
    status->add_flag("--json", statusJson, "one JSON object a line instead of text");
    status->add_option("--csv", statusLog, "also log every state frame as a CSV row to this file (- for standard output, "
                                           "which then carries the log alone)")
        ->type_name(CsvFile);
    status->callback([&] { exitCode = WatchStatus(options, seconds, statusJson, statusLog); });

    bool json = false;
    bool words = false;
    std::filesystem::path dumped;
    auto* dump = app.add_subcommand("dump", "show every field of a template file by name");
    dump->add_option("file", dumped, "template file (*.kvx; - for standard input)")->required()->check(inputFile)->type_name(TemplateFile);
    dump->add_flag("--json", json, "JSON instead of text (kvxctl build takes it back)");
    dump->add_flag("--words", words, "page by page, in the pages' own words")->excludes("--json");
    dump->callback([&] { exitCode = words ? DumpTemplateWords(options, dumped) : DumpTemplate(dumped, json); });

    std::string first;
    std::string second;
    bool diffJson = false;
    bool diffFields = false;
    auto* diff = app.add_subcommand("diff", "show where two configurations differ, page by page in the pages' words "
                                            "(exit 0 equal, 1 different)");
    diff->add_option("first", first, "template file, \"unit\" for the unit's configuration, or - for standard input")
        ->required()
        ->type_name(TemplateFile);
    diff->add_option("second", second, "template file, \"unit\" for the unit's configuration, or - for standard input")
        ->required()
        ->type_name(TemplateFile);
    diff->add_flag("--fields", diffFields, "the image's field names and raw values instead");
    diff->add_flag("--json", diffJson, "JSON with both: page, caption and words, field names and raw values")->excludes("--fields");
    diff->callback([&] {
        exitCode = DiffImages(options, first, second, diffJson ? TDiffForm::Json : diffFields ? TDiffForm::Fields : TDiffForm::Words);
    });

    bool backupsJson = false;
    auto* backups = app.add_subcommand("backups", "list the backups kept before every write");
    backups->add_flag("--json", backupsJson, "JSON instead of text");
    backups->callback([&] { exitCode = ListBackupFiles(options, backupsJson); });
    AddTextSubcommands(app, exitCode, inputFile);

    std::string reported;
    std::filesystem::path reportFile;
    kvx::TReportDetails reportDetails;
    auto* report = app.add_subcommand("report", std::string("write the commissioning report of a template or of the unit: every page's "
                                                            "settings, and the unit's identity and signal when read from it") +
                                                    (kvx::ReportPdfAvailable ? "" : " (this build writes HTML only)"));
    report->add_option("source", reported, "template file, \"unit\" for the unit itself, or - for standard input")
        ->required()
        ->type_name(TemplateFile);
    report->add_option("-o,--output", reportFile,
                       kvx::ReportPdfAvailable ? "the report: FILE.pdf or FILE.html (- for HTML on standard output)"
                                               : "the report: FILE.html (- for standard output); PDF needs a build with Qt")
        ->required()
        ->type_name(AnyFile);
    report->add_option("--installer", reportDetails.Installer, "the installer's name, for the report");
    report->add_option("--site", reportDetails.Site, "where the unit is installed");
    report->add_option("--notes", reportDetails.Notes, "notes for the customer");
    report->callback([&] { exitCode = WriteReport(options, reported, reportFile, reportDetails); });

    // For the build: the manual page's sections and bash completion, from the definitions above.
    if (argc == 2 && std::strcmp(argv[1], "--manual-page") == 0) {
        std::cout << ManualPageSections(app);
        return ExitOK;
    }
    if (argc == 2 && std::strcmp(argv[1], "--bash-completion") == 0) {
        std::cout << BashCompletion(app);
        return ExitOK;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? ExitOK : ExitNoDevice;
    } catch (const std::exception& e) {
        std::cerr << "kvxctl stopped on an unexpected problem: " << e.what() << "\n";
        return ExitNoDevice;
    } catch (...) {
        std::cerr << "kvxctl stopped on an unexpected problem.\n";
        return ExitNoDevice;
    }
    return exitCode;
}
