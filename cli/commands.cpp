#include "cli/commands.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <utility>

#include <nlohmann/json.hpp>

#include "cli/connection.h"
#include "cli/standard_streams.h"
#include "cli/terminal.h"
#include "config/template_file.h"
#include "link/kvx_messages.h"
#include "link/password_gate.h"
#include "link/program_files.h"
#include "link/status_frame.h"
#include "link/status_snapshot.h"
#include "image/utils.h"
#include "config/whole_file.h"
#include "link/new_password.h"
#include "transfer/backup_store.h"
#include "transfer/config_document.h"
#include "transfer/memory_compare.h"
#include "transfer/status_log.h"
#include "transfer/unit_write.h"
#include "transfer/write_messages.h"

namespace kvx::cli {

namespace {

void Say(const std::u16string& text)
{
    std::cerr << TerminalText(text) << "\n";
}

TUSBApiChoice USBApiChoice(const TOptions& options)
{
    return {options.Simulate ? SimulatorLibraryPath(options.ProgramFolder).string() : options.USBLibrary,
            options.SerialPort, options.ProgramFolder, options.SerialBaud};
}

std::unique_ptr<TConnection> OpenConnection(const TOptions& options)
{
    std::string error;
    // Once a run: a second connection must not wipe what the first one wrote.
    static bool simulatorPrepared = false;
    if (options.Simulate && !std::exchange(simulatorPrepared, true) &&
        !RememberSimulatedUnit(options.SimulatedUnitFile, options.SimulateReset, error)) {
        std::cerr << error << "\n";
        error.clear();
    }
    auto connection = TConnection::Open(USBApiChoice(options), error);
    if (!connection) std::cerr << error << "\n";
    return connection;
}

// Why the dongle cannot be used, when the serial backend knows.
void SayProblem(const TConnection& connection)
{
    const std::string problem = connection.Api().Problem();
    if (!problem.empty()) std::cerr << problem << "\n";
}

std::unique_ptr<TConnection> ConnectToUnit(const TOptions& options)
{
    auto connection = OpenConnection(options);
    if (!connection) return nullptr;
    connection->FindDongle();
    if (!connection->KVX().DeviceConnected()) {
        Say(DongleNotConnectedMessage);
        SayProblem(*connection);
        return nullptr;
    }
    return connection;
}

constexpr const char* CommandLinePasswordWarning =
    "Warning: a password on the command line can be seen by other users of this computer; "
    "use KVX_PASSWORD, --password-file or the prompt instead.";

// The first line of the file, without its line end; says why not on standard error.
std::optional<std::u16string> PasswordFromFile(const std::filesystem::path& path)
{
    std::string bytes;
    std::string reason;
    if (!LoadWholeFile(path, bytes, reason, 4096)) {
        std::cerr << "Could not read the password file \"" << path.string() << "\": " << reason << ".\n";
        return std::nullopt;
    }
    bytes = bytes.substr(0, bytes.find_first_of("\r\n"));
    return TextFromTerminal(bytes);
}

// The unit's password from --password (with a warning), --password-file, KVX_PASSWORD, or the prompt.
TPasswordPrompt PasswordPrompt(const TOptions& options)
{
    return [&options]() -> std::optional<std::u16string> {
        if (options.Password) {
            std::cerr << CommandLinePasswordWarning << "\n";
            return TextFromTerminal(*options.Password);
        }
        if (!options.PasswordFile.empty()) return PasswordFromFile(options.PasswordFile);
        if (const char* given = std::getenv("KVX_PASSWORD")) return TextFromTerminal(given);
        return AskPassword("Password of the KVX: ");
    };
}

// Proves the unit's password as the program does before a read or a write; ExitOK when proven.
int ProvePassword(TKVX& kvx, const TOptions& options, std::u16string (*failureMessage)(TKVXResult))
{
    const TPasswordCheck check = ProveUnitPassword(kvx, PasswordPrompt(options));
    switch (check.Outcome) {
    case TPasswordOutcome::Proven:
        return ExitOK;
    case TPasswordOutcome::ReadFailed:
        Say(failureMessage(check.Code));
        return ExitFailed;
    case TPasswordOutcome::Cancelled:
        Say(u"No password given.");
        return ExitFailed;
    case TPasswordOutcome::Incorrect:
        Say(IncorrectPasswordMessage);
        return ExitFailed;
    }
    return ExitFailed;
}

int TransferOutcome(const TConnection& connection, TKVXResult code, std::u16string (*failureMessage)(TKVXResult))
{
    if (code == TKVXResult::OK) return ExitOK;
    Say(code == TKVXResult::Stopped ? u"Stopped." : failureMessage(code));
    SayProblem(connection);
    return ExitFailed;
}

std::string DeviceLine(const TDeviceListEntry& entry)
{
    const TDeviceInfo& d = entry.Info;
    return entry.Name + "  " + d.Description + "  serial " + d.Serial + "  VID " + d.VID + "  PID " + d.PID +
           (d.LinkName.empty() ? "" : "  at " + d.LinkName) + (IsKVXDongle(d) ? "  (KVX dongle)" : "");
}

nlohmann::ordered_json DeviceJson(const TDeviceListEntry& entry)
{
    const TDeviceInfo& d = entry.Info;
    return {{"name", entry.Name}, {"description", d.Description}, {"serial", d.Serial}, {"vid", d.VID}, {"pid", d.PID},
            {"port", d.LinkName}, {"kvx_dongle", IsKVXDongle(d)}};
}

} // namespace

std::string JsonText(const nlohmann::ordered_json& Json, int Indent)
{
    // Texts from a unit or a USB descriptor may hold anything; JSON holds UTF-8.
    return Json.dump(Indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

int ListDevices(const TOptions& Options, bool Json)
{
    auto connection = OpenConnection(Options);
    if (!connection) return ExitNoDevice;
    connection->FindDongle();
    const auto& devices = connection->USB().DeviceList();
    if (Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TDeviceListEntry& entry : devices) list.push_back(DeviceJson(entry));
        std::cout << JsonText(list, 2) << "\n";
    } else {
        if (devices.empty()) std::cout << "No USBXpress devices found.\n";
        for (const TDeviceListEntry& entry : devices) std::cout << DeviceLine(entry) << "\n";
    }
    SayProblem(*connection);
    const bool found = std::any_of(devices.begin(), devices.end(), [](const TDeviceListEntry& e) { return IsKVXDongle(e.Info); });
    return found ? ExitOK : ExitFailed;
}

bool LoadTemplateOrSay(const std::filesystem::path& Path, TKVXConfig& Image)
{
    std::string bytes;
    std::string error;
    const bool loaded = IsStandardStream(Path) ? ReadInputFile(Path, bytes, error, TKVXConfig::Size) && TemplateFromBytes(bytes, Image, error)
                                               : LoadTemplate(Path, Image, error);
    if (loaded) return true;
    std::cerr << "Could not load the template \"" << Path.string() << "\": " << error << ".\n";
    return false;
}

bool SaveTemplateOrSay(const std::filesystem::path& Path, const TKVXConfig& Image)
{
    std::string error;
    if (IsStandardStream(Path)) ClaimStandardOutput();
    if (WriteOutputFile(Path, TemplateBytes(Image), error)) return true;
    std::cerr << "Could not save the template \"" << Path.string() << "\": " << error << ".\n";
    return false;
}

namespace {

// How long a report waits for the unit's identity: its status frames come once a second.
constexpr uint32_t IdentityWaitMs = 3000;

// Decodes what the unit sends, answers every state frame with the PC's clock as the program
// does, and hands each frame on.
void TakeStatusFrames(TKVX& kvx, std::function<void(const TStatusUpdate&)> Handle)
{
    kvx.OnRxData = [&kvx, Handle = std::move(Handle)](uint32_t count) {
        // Decode from a copy: the unit may deliver more into the buffer meanwhile.
        const std::vector<uint8_t> bytes(kvx.RXBuffer.begin(), kvx.RXBuffer.begin() + count);
        for (const TStatusUpdate& update : DecodeStatusFrames(bytes.data(), bytes.size())) {
            if (std::holds_alternative<TUnitStatus>(update)) kvx.SetTime();
            Handle(update);
        }
    };
}

bool IdentityComplete(const TStatusSnapshot& s) { return s.Unit && s.Operator && s.IMEI && s.IMSI; }

} // namespace

int ReadUnitImage(const TOptions& Options, TKVXConfig& Image, TStatusSnapshot* Status)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    if (Status) {
        TakeStatusFrames(kvx, [Status](const TStatusUpdate& update) { ApplyStatusUpdate(*Status, update); });
        connection->Watch(IdentityWaitMs, [Status] { return IdentityComplete(*Status); });
        kvx.OnRxData = nullptr;
    }
    if (const int proven = ProvePassword(kvx, Options, ReadFailureMessage); proven != ExitOK) return proven;

    Image = ErasedConfig();
    TKVXResult code;
    {
        TProgressBar progress("Reading");
        kvx.SetProgressBarPosition = [&progress](uint16_t pages) { progress.Show(pages); };
        code = kvx.ReadConfig(&Image);
    }
    return TransferOutcome(*connection, code, ReadFailureMessage);
}

int ReadUnit(const TOptions& Options, const std::filesystem::path& Output)
{
    TKVXConfig image;
    if (const int read = ReadUnitImage(Options, image); read != ExitOK) return read;
    if (!SaveTemplateOrSay(Output, image)) return ExitNoDevice;
    Told() << "Configuration read into " << OutputName(Output) << ".\n";
    return ExitOK;
}

namespace {

int WriteOutcome(const TUnitWriteResult& result, const TOptions& options, const TConnection& connection)
{
    switch (result.Step) {
    case TWriteStep::ReadBefore:
        Say(NothingWrittenMessage(result.Code));
        SayProblem(connection);
        return ExitFailed;
    case TWriteStep::Write:
        if (result.PartlyWritten()) {
            Say(PartlyWrittenMessage(result.Code, result.PagesSent, result.PagesToSend, result.BackupFile.u16string()));
            std::cerr << "To restore it: kvxctl restore \"" << result.BackupFile.string() << "\"\n";
            SayProblem(connection);
            return ExitFailed;
        }
        return TransferOutcome(connection, result.Code, WriteFailureMessage);
    case TWriteStep::Backup:
        Say(BackupFailedMessage(options.BackupFolder.u16string(), TextFromTerminal(result.BackupReason)));
        return ExitNoDevice;
    case TWriteStep::ReadBack:
        Say(result.Code == TKVXResult::Stopped ? u"Stopped before the write was verified." : ReadBackFailedMessage(result.Code));
        return ExitFailed;
    case TWriteStep::Verify:
        Say(VerifyFailedMessage(result.Differences.front(), result.Differences.size()));
        for (const TFieldDifference& d : result.Differences)
            std::cerr << "  " << d.Name << ": written " << d.First << ", the KVX holds " << d.Second << "\n";
        return ExitFailed;
    case TWriteStep::Done:
        break;
    }
    return ExitOK;
}

// Connects, proves the password and runs the safe write of image; Preview lists what it
// changes in the unit first (the unit is read for that).
int WriteImage(const TOptions& options, const TKVXConfig& image, const TUnitWriteSetup& setup, bool preview,
               const std::string& source)
{
    auto connection = ConnectToUnit(options);
    if (!connection) return ExitNoDevice;
    // Before anything goes to the unit: a write without its backup does not start.
    std::string error;
    if (!PrepareBackupFolder(options.BackupFolder, error)) {
        Say(BackupFailedMessage(options.BackupFolder.u16string(), TextFromTerminal(error)));
        return ExitNoDevice;
    }
    TKVX& kvx = connection->KVX();
    if (const int proven = ProvePassword(kvx, options, WriteFailureMessage); proven != ExitOK) return proven;

    TProgressBar progress("Writing");
    kvx.SetProgressBarPosition = [&progress](uint16_t pages) { progress.Show(pages); };
    if (preview) {
        TKVXConfig held = ErasedConfig();
        if (const TKVXResult code = kvx.ReadConfig(&held); code != TKVXResult::OK) {
            Say(NothingWrittenMessage(code));
            return ExitFailed;
        }
        const auto changes = CompareUnitMemory(kvx.EEPROMBuffer(), kvx.MemoryToWrite(image).data());
        if (changes.empty()) {
            Told() << "The KVX already holds " << source << ".\n";
            return ExitOK;
        }
        std::cout << "Restoring changes these fields in the KVX:\n";
        for (const TFieldDifference& d : changes) std::cout << "  " << d.Name << ": " << d.First << " -> " << d.Second << "\n";
    }
    const TUnitWriteResult result = BackUpWriteAndVerify(kvx, image, setup);
    kvx.SetProgressBarPosition = nullptr;
    if (!result.BackupFile.empty()) Told() << TerminalText(BackupSavedMessage(result.BackupFile.u16string())) << "\n";
    if (const int outcome = WriteOutcome(result, options, *connection); outcome != ExitOK) return outcome;
    if (result.PagesToSend == 0) {
        Told() << TerminalText(AlreadyHeldMessage) << "\n";
        return ExitOK;
    }
    Told() << "Configuration written from " << source << (result.Verified ? " and verified." : " (not verified).");
    if (result.PagesToSend < PageCount)
        Told() << " Only the pages that differ were sent (" << result.PagesToSend << " of " << PageCount << ").";
    Told() << "\n";
    return ExitOK;
}

} // namespace

int WriteUnit(const TOptions& Options, const std::filesystem::path& Input, bool Verify, bool ChangesOnly)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Input, image)) return ExitNoDevice;
    // As the program does: unprogrammed memory in the hidden setting goes out as the default.
    uint8_t& hidden = image.Bytes()[HiddenSettingOffset];
    hidden = HiddenSettingToWrite(hidden);
    const TWriteScope scope = ChangesOnly ? TWriteScope::ChangedPages : TWriteScope::AllPages;
    return WriteImage(Options, image, {Options.BackupFolder, SystemLocalDateTime, Verify, scope}, false, InputName(Input));
}

int RestoreUnit(const TOptions& Options, const std::filesystem::path& Backup)
{
    // The backup's own bytes, every field no page stores included.
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Backup, image)) return ExitNoDevice;
    return WriteImage(Options, image, {Options.BackupFolder}, true, Backup.string());
}

int CheckPassword(const TOptions& Options)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    std::u16string stored;
    if (const TKVXResult code = kvx.ReadPassword(stored); code != TKVXResult::OK) {
        Say(ReadFailureMessage(code));
        return ExitFailed;
    }
    if (stored.empty()) {
        Told() << "The KVX has no password.\n";
        return ExitOK;
    }
    if (const int proven = ProvePassword(kvx, Options, ReadFailureMessage); proven != ExitOK) return proven;
    Told() << "Password correct.\n";
    return ExitOK;
}

namespace {

int WriteNewPassword(const TOptions& options, const std::u16string& password)
{
    auto connection = ConnectToUnit(options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    if (const int proven = ProvePassword(kvx, options, ReadFailureMessage); proven != ExitOK) return proven;
    // Set only once the unit gives it back.
    const TPasswordStoreResult stored = StoreNewPassword(kvx, password);
    switch (stored.Outcome) {
    case TPasswordStore::WriteFailed:
        Say(PasswordWriteFailedMessage);
        return ExitFailed;
    case TPasswordStore::ReadBackFailed:
        Say(ReadFailureMessage(stored.Code));
        return ExitFailed;
    case TPasswordStore::NotKept:
        Say(PasswordNotKeptMessage);
        return ExitFailed;
    case TPasswordStore::Stored:
        break;
    }
    Told() << (password.empty() ? "Password cleared.\n" : "Password set.\n");
    return ExitOK;
}

} // namespace

int SetPassword(const TOptions& Options, const std::optional<std::string>& NewPassword,
                const std::filesystem::path& NewPasswordFile)
{
    std::u16string password;
    if (NewPassword) {
        std::cerr << CommandLinePasswordWarning << "\n";
        password = TextFromTerminal(*NewPassword);
    } else if (!NewPasswordFile.empty()) {
        const auto read = PasswordFromFile(NewPasswordFile);
        if (!read) return ExitNoDevice;
        password = *read;
    } else {
        const auto first = AskPassword("New password: ");
        const auto confirm = AskPassword("Confirm password: ");
        if (!first || !confirm || *first != *confirm) {
            Say(PasswordMismatchMessage);
            return ExitFailed;
        }
        password = *first;
    }
    if (password.empty()) {
        std::cerr << "An empty password clears it: use 'password clear'.\n";
        return ExitFailed;
    }
    // Only what the unit stores and gives back unchanged: anything else locks the installer out.
    if (const auto problem = NewPasswordProblem(password)) {
        Say(*problem);
        return ExitFailed;
    }
    return WriteNewPassword(Options, password);
}

int ClearPassword(const TOptions& Options)
{
    return WriteNewPassword(Options, u"");
}

namespace {

void PrintStatusUpdate(const TStatusUpdate& update)
{
    if (const auto* unit = std::get_if<TUnitStatus>(&update)) {
        std::string line = TerminalText(FirmwareCaption(*unit));
        if (const auto state = StateCaption(unit->State)) line += " | " + TerminalText(*state);
        line += " | signal -" + std::to_string(unit->SignalLevel) + " dBm | SIM " + (unit->SIM2Active ? "2" : "1");
        line += " | inputs ";
        for (bool high : unit->InputHigh) line += high ? 'H' : 'L';
        line += std::string(" mains ") + (unit->MainsHigh ? 'H' : 'L') + " | relays ";
        for (bool closed : unit->RelayClosed) line += closed ? 'C' : 'O';
        line += " | supply " + TerminalText(SupplyText(unit->SupplyDeciVolts, u'.')) +
                (SupplyIsLow(unit->SupplyDeciVolts) ? " (low)" : "");
        line += " | " + TerminalText(AnalogueVoltageText(*unit, u'.')) + " V " +
                TerminalText(AnalogueCurrentText(*unit, u'.')) + " mA";
        std::cout << line << "\n";
    } else if (const auto* op = std::get_if<TOperatorName>(&update)) {
        std::cout << TerminalText(OperatorCaption(op->Text)) << "\n";
    } else if (const auto* imei = std::get_if<TModemIMEI>(&update)) {
        std::cout << TerminalText(IMEICaption(imei->Text)) << "\n";
    } else if (const auto* imsi = std::get_if<TSimIMSI>(&update)) {
        std::cout << TerminalText(IMSICaption(imsi->Text)) << "\n";
    }
}

// One JSON object a line, for scripts.
nlohmann::ordered_json StatusJson(const TStatusUpdate& update)
{
    using json = nlohmann::ordered_json;
    if (const auto* unit = std::get_if<TUnitStatus>(&update)) {
        const auto state = StateCaption(unit->State);
        return {{"type", "state"},
                {"firmware", std::to_string(unit->FirmwareMajor) + "." + std::to_string(unit->FirmwareMinor)},
                {"state", unit->State ? json(*unit->State) : json()},
                {"state_text", state ? json(TerminalText(*state)) : json()},
                {"signal_dbm", -static_cast<int>(unit->SignalLevel)},
                {"sim", unit->SIM2Active ? 2 : 1},
                {"inputs_high", unit->InputHigh},
                {"mains_high", unit->MainsHigh},
                {"relays_closed", unit->RelayClosed},
                {"supply_volts", unit->SupplyDeciVolts / 10.0},
                {"supply_low", SupplyIsLow(unit->SupplyDeciVolts)},
                {"analogue_mode", unit->AnalogueMode},
                {"analogue_volts", unit->AnalogueCentiVolts / 100.0},
                {"analogue_milliamps", unit->AnalogueCentiMilliAmps / 100.0}};
    }
    if (const auto* op = std::get_if<TOperatorName>(&update)) return {{"type", "operator"}, {"name", TerminalText(op->Text)}};
    if (const auto* imei = std::get_if<TModemIMEI>(&update)) return {{"type", "imei"}, {"imei", TerminalText(imei->Text)}};
    const auto& imsi = std::get<TSimIMSI>(update);
    return {{"type", "imsi"}, {"imsi", TerminalText(imsi.Text)}};
}

} // namespace

int WatchStatus(const TOptions& Options, unsigned Seconds, bool Json, const std::filesystem::path& Csv)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    // The log's rows are written as they come: a watch cut short keeps what came.
    const bool logging = !Csv.empty();
    const bool logToOutput = IsStandardStream(Csv);
    std::ofstream file;
    if (logging && !logToOutput) file.open(Csv, std::ios::binary | std::ios::trunc);
    if (logToOutput) ClaimStandardOutput();
    const auto logLine = [&](const std::string& line) {
        std::string reason;
        return logToOutput ? WriteOutputFile(Csv, line, reason) : static_cast<bool>(file << line << std::flush);
    };
    const auto sayLogFailed = [&Csv] {
        std::cerr << "Could not write the status log to " << OutputName(Csv) << ".\n";
        return ExitNoDevice;
    };
    bool logFailed = logging && !logLine(StatusLogHeader());
    if (logFailed) return sayLogFailed();

    TKVX& kvx = connection->KVX();
    TStatusSnapshot snapshot;
    size_t rows = 0;
    TakeStatusFrames(kvx, [&](const TStatusUpdate& update) {
        ApplyStatusUpdate(snapshot, update);
        if (const auto* unit = std::get_if<TUnitStatus>(&update); unit && logging && !logFailed) {
            logFailed = !logLine(StatusLogRow(SystemLocalDateTime(), *unit, snapshot.Operator));
            rows += logFailed ? 0 : 1;
        }
        if (logToOutput) return;  // standard output carries the log alone
        if (Json) std::cout << JsonText(StatusJson(update), -1) << "\n";
        else PrintStatusUpdate(update);
        std::cout.flush();
    });
    bool unplugged = false;
    kvx.OnDeviceDisconnect = [&unplugged] { unplugged = true; };
    connection->Watch(Seconds * 1000u, [&logFailed] { return logFailed; });
    if (logFailed) return sayLogFailed();
    if (logging) Told() << "Status log: " << rows << " rows written to " << OutputName(Csv) << ".\n";
    if (unplugged) {
        Say(DongleNotConnectedMessage);
        return ExitNoDevice;
    }
    return TConnection::Interrupted() ? ExitInterrupted : ExitOK;
}

} // namespace kvx::cli
