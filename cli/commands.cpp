#include "cli/commands.h"

#include <iostream>
#include <memory>

#include "cli/connection.h"
#include "cli/terminal.h"
#include "config/template_file.h"
#include "link/kvx_messages.h"
#include "link/password_gate.h"
#include "link/program_files.h"
#include "link/status_frame.h"
#include "image/utils.h"
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"
#include "transfer/write_messages.h"

namespace kvx::cli {

namespace {

constexpr uint8_t UnprogrammedHiddenSetting = 255;
constexpr uint8_t DefaultHiddenSetting = 50;

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

TPasswordPrompt PasswordPrompt(const TOptions& options)
{
    return [&options]() -> std::optional<std::u16string> {
        if (options.Password) return TextFromTerminal(*options.Password);
        return AskPassword("Password of the KVX: ");
    };
}

// Proves the unit's password as the program does before a read or a write; ExitOK when proven.
int ProvePassword(TKVX& kvx, const TOptions& options, std::u16string (*failureMessage)(uint8_t))
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

int TransferOutcome(const TConnection& connection, uint8_t code, std::u16string (*failureMessage)(uint8_t))
{
    if (code == ResultOK) return ExitOK;
    Say(code == ResultStopped ? u"Stopped." : failureMessage(code));
    SayProblem(connection);
    return ExitFailed;
}

std::string DeviceLine(const TDeviceListEntry& entry)
{
    const TDeviceInfo& d = entry.Info;
    return entry.Name + "  " + d.Description + "  serial " + d.Serial + "  VID " + d.VID + "  PID " + d.PID +
           (d.LinkName.empty() ? "" : "  at " + d.LinkName) + (IsKVXDongle(d) ? "  (KVX dongle)" : "");
}

} // namespace

int ListDevices(const TOptions& Options)
{
    auto connection = OpenConnection(Options);
    if (!connection) return ExitNoDevice;
    connection->FindDongle();
    const auto& devices = connection->USB().DeviceList();
    if (devices.empty()) std::cout << "No USBXpress devices found.\n";
    for (const TDeviceListEntry& entry : devices) std::cout << DeviceLine(entry) << "\n";
    SayProblem(*connection);
    return ExitOK;
}

bool LoadTemplateOrSay(const std::filesystem::path& Path, TKVXConfig& Image)
{
    std::string error;
    if (LoadTemplate(Path, Image, error)) return true;
    std::cerr << "Could not load the template \"" << Path.string() << "\": " << error << ".\n";
    return false;
}

bool SaveTemplateOrSay(const std::filesystem::path& Path, const TKVXConfig& Image)
{
    std::string error;
    if (SaveTemplate(Path, Image, error)) return true;
    std::cerr << "Could not save the template \"" << Path.string() << "\": " << error << ".\n";
    return false;
}

int ReadUnitImage(const TOptions& Options, TKVXConfig& Image)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    if (const int proven = ProvePassword(kvx, Options, ReadFailureMessage); proven != ExitOK) return proven;

    Image = ErasedConfig();
    uint8_t code;
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
    std::cout << "Configuration read into " << Output.string() << ".\n";
    return ExitOK;
}

namespace {

int WriteOutcome(const TUnitWriteResult& result, const TOptions& options, const TConnection& connection)
{
    switch (result.Step) {
    case TWriteStep::ReadBefore:
    case TWriteStep::Write:
        return TransferOutcome(connection, result.Code, WriteFailureMessage);
    case TWriteStep::Backup:
        Say(BackupFailedMessage(options.BackupFolder.u16string(), TextFromTerminal(result.BackupReason)));
        return ExitNoDevice;
    case TWriteStep::ReadBack:
        Say(result.Code == ResultStopped ? u"Stopped before the write was verified." : ReadBackFailedMessage(result.Code));
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

} // namespace

int WriteUnit(const TOptions& Options, const std::filesystem::path& Input, bool Verify)
{
    TKVXConfig image = ErasedConfig();
    if (!LoadTemplateOrSay(Input, image)) return ExitNoDevice;
    // As the program does: unprogrammed memory in the hidden setting goes out as the default.
    uint8_t& hidden = image.Bytes()[HiddenSettingOffset];
    if (hidden == UnprogrammedHiddenSetting) hidden = DefaultHiddenSetting;

    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    // Before anything goes to the unit: a write without its backup does not start.
    std::string error;
    if (!PrepareBackupFolder(Options.BackupFolder, error)) {
        Say(BackupFailedMessage(Options.BackupFolder.u16string(), TextFromTerminal(error)));
        return ExitNoDevice;
    }
    TKVX& kvx = connection->KVX();
    if (const int proven = ProvePassword(kvx, Options, WriteFailureMessage); proven != ExitOK) return proven;

    TUnitWriteResult result;
    {
        TProgressBar progress("Writing");
        kvx.SetProgressBarPosition = [&progress](uint16_t pages) { progress.Show(pages); };
        result = BackUpWriteAndVerify(kvx, image, {Options.BackupFolder, SystemLocalDateTime, Verify});
    }
    if (!result.BackupFile.empty())
        std::cout << "The KVX's configuration before the write is saved in " << result.BackupFile.string() << ".\n";
    if (const int outcome = WriteOutcome(result, Options, *connection); outcome != ExitOK) return outcome;
    std::cout << "Configuration written from " << Input.string() << (result.Verified ? " and verified.\n" : " (not verified).\n");
    return ExitOK;
}

int CheckPassword(const TOptions& Options)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    std::u16string stored;
    if (const uint8_t code = kvx.ReadPassword(stored); code != ResultOK) {
        Say(ReadFailureMessage(code));
        return ExitFailed;
    }
    if (stored.empty()) {
        std::cout << "The KVX has no password.\n";
        return ExitOK;
    }
    if (const int proven = ProvePassword(kvx, Options, ReadFailureMessage); proven != ExitOK) return proven;
    std::cout << "Password correct.\n";
    return ExitOK;
}

namespace {

int WriteNewPassword(const TOptions& options, const std::u16string& password)
{
    auto connection = ConnectToUnit(options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    if (const int proven = ProvePassword(kvx, options, ReadFailureMessage); proven != ExitOK) return proven;
    if (kvx.WritePassword(password) != ResultOK) {
        Say(PasswordWriteFailedMessage);
        return ExitFailed;
    }
    std::cout << (password.empty() ? "Password cleared.\n" : "Password set.\n");
    return ExitOK;
}

} // namespace

int SetPassword(const TOptions& Options, const std::optional<std::string>& NewPassword)
{
    std::u16string password;
    if (NewPassword) {
        password = TextFromTerminal(*NewPassword);
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
    if (password.size() > PasswordLength) {
        std::cerr << "A password has at most " << PasswordLength << " characters.\n";
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

} // namespace

int WatchStatus(const TOptions& Options, unsigned Seconds)
{
    auto connection = ConnectToUnit(Options);
    if (!connection) return ExitNoDevice;
    TKVX& kvx = connection->KVX();
    kvx.OnRxData = [&kvx](uint32_t count) {
        // Decode from a copy: the unit may deliver more into the buffer meanwhile.
        const std::vector<uint8_t> bytes(kvx.RXBuffer.begin(), kvx.RXBuffer.begin() + count);
        for (const TStatusUpdate& update : DecodeStatusFrames(bytes.data(), bytes.size())) {
            // Every state frame is answered with the PC's clock, as the program does.
            if (std::holds_alternative<TUnitStatus>(update)) kvx.SetTime();
            PrintStatusUpdate(update);
        }
        std::cout.flush();
    };
    bool unplugged = false;
    kvx.OnDeviceDisconnect = [&unplugged] { unplugged = true; };
    connection->Watch(Seconds * 1000u);
    if (unplugged) {
        Say(DongleNotConnectedMessage);
        return ExitNoDevice;
    }
    return ExitOK;
}

} // namespace kvx::cli
