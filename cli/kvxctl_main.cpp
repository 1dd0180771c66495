// kvxctl: the command line over the same core as the program.
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/commands.h"
#include "cli/text_subcommands.h"
#include "program_version.h"
#include "transfer/data_folder.h"

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
    CLI::App app{"kvxctl: read, write and watch a KVX unit through its USB programming dongle"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("kvxctl ") + kvx::ProgramVersion);

    TOptions options;
    options.ProgramFolder = ProgramFolder(argv[0]);
    options.BackupFolder = kvx::BackupFolderIn(kvx::ProgramDataFolder([](const char* name) { return std::getenv(name); }));
    app.add_option("--usb-library", options.USBLibrary,
                   "USBXpress library to load (default: KVX_USB_LIBRARY, else the platform's SiUSBXp; on Linux, "
                   "failing that, the dongle's serial port)");
    app.add_flag("--simulate", options.Simulate, "use the simulated dongle and unit (kvxsim)");
    app.add_option("--serial-port", options.SerialPort,
                   "the dongle's serial port, e.g. /dev/ttyUSB0 (Linux; --usb-library and --simulate win over it)");
    app.add_option("--password", options.Password, "the unit's password, instead of asking for it");

    int exitCode = ExitOK;
    app.add_subcommand("devices", "list the USBXpress devices")->callback([&] { exitCode = ListDevices(options); });

    std::filesystem::path output;
    auto* read = app.add_subcommand("read", "read the unit's configuration into a template file");
    read->add_option("-o,--output", output, "template file to write (*.kvx)")->required();
    read->callback([&] { exitCode = ReadUnit(options, output); });

    std::filesystem::path input;
    bool noVerify = false;
    auto* write = app.add_subcommand("write", "back up the unit's configuration, write a template file (or a backup) to it, and verify");
    write->add_option("file", input, "template file (*.kvx)")->required()->check(CLI::ExistingFile);
    write->add_flag("--no-verify", noVerify, "do not read the unit back to verify the write");
    write->callback([&] { exitCode = WriteUnit(options, input, !noVerify); });

    auto* password = app.add_subcommand("password", "prove, set or clear the unit's access password");
    password->require_subcommand(1);
    password->add_subcommand("check", "ask for the stored password and prove it")->callback([&] {
        exitCode = CheckPassword(options);
    });
    std::optional<std::string> newPassword;
    auto* set = password->add_subcommand("set", "set a new password (asked twice unless given)");
    set->add_option("new", newPassword, "the new password, at most 32 characters");
    set->callback([&] { exitCode = SetPassword(options, newPassword); });
    password->add_subcommand("clear", "leave the unit without a password")->callback([&] {
        exitCode = ClearPassword(options);
    });

    unsigned seconds = 10;
    auto* status = app.add_subcommand("status", "show the unit's live status frames");
    status->add_option("--seconds", seconds, "how long to watch")->capture_default_str();
    status->callback([&] { exitCode = WatchStatus(options, seconds); });

    bool json = false;
    bool words = false;
    std::filesystem::path dumped;
    auto* dump = app.add_subcommand("dump", "show every field of a template file by name");
    dump->add_option("file", dumped, "template file (*.kvx)")->required()->check(CLI::ExistingFile);
    dump->add_flag("--json", json, "JSON instead of text");
    dump->add_flag("--words", words, "page by page, in the pages' own words")->excludes("--json");
    dump->callback([&] { exitCode = words ? DumpTemplateWords(options, dumped) : DumpTemplate(dumped, json); });

    std::string first;
    std::string second;
    bool diffJson = false;
    bool diffFields = false;
    auto* diff = app.add_subcommand("diff", "show where two configurations differ, page by page in the pages' words "
                                            "(exit 0 equal, 1 different)");
    diff->add_option("first", first, "template file, or \"unit\" for the unit's configuration")->required();
    diff->add_option("second", second, "template file, or \"unit\" for the unit's configuration")->required();
    diff->add_flag("--fields", diffFields, "the image's field names and raw values instead");
    diff->add_flag("--json", diffJson, "JSON with both: page, caption and words, field names and raw values")->excludes("--fields");
    diff->callback([&] {
        exitCode = DiffImages(options, first, second, diffJson ? TDiffForm::Json : diffFields ? TDiffForm::Fields : TDiffForm::Words);
    });

    app.add_subcommand("backups", "list the backups kept before every write")->callback([&] {
        exitCode = ListBackupFiles(options);
    });
    AddTextSubcommands(app, exitCode);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? ExitOK : ExitNoDevice;
    }
    return exitCode;
}
