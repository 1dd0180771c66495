#include "ui/main/program_link.h"

#include <QCommandLineParser>

#include "link/program_files.h"
#include "link/usbxpress.h"
#include "ui/main/absent_link.h"
#include "ui/main/line_rate_setting.h"

namespace kvx::ui {

namespace {

TUSBApiChoice USBApiChoice(const TProgramOptions& Options, const QString& ProgramDir)
{
    TUSBApiChoice choice{Options.USBLibrary.toStdString(), Options.SerialPort.toStdString(), ProgramDir.toStdU16String(),
                         Options.SerialBaud.toStdString(), Options.SavedSerialBaud};
    if (choice.Library.empty() && Options.Simulate)
        choice.Library = SimulatorLibraryPath(ProgramDir.toStdU16String()).string();
    return choice;
}

} // namespace

namespace {

// The program's options, one definition for reading them and for --help.
struct TProgramParser {
    QCommandLineParser Parser;
    const QCommandLineOption Simulate{"simulate", "Use the simulated dongle and unit, whose memory is kept between runs."};
    const QCommandLineOption SimulateReset{"simulate-reset", "As --simulate, the simulated unit starting afresh."};
    const QCommandLineOption Library{"usb-library", "The USB library to load.", "path"};
    const QCommandLineOption Port{"serial-port", "The dongle's serial port (Linux).", "device"};
    const QCommandLineOption Baud{"serial-baud", "The serial port's line rate (Linux).", "rate"};
    const QCommandLineOption NoVerify{"no-verify", "Do not read the unit back to verify a write."};

    TProgramParser()
    {
        Parser.setApplicationDescription("Programs the KVX GSM alarm communicator through its USB programming dongle.");
        for (const QCommandLineOption* option : {&Simulate, &SimulateReset, &Library, &Port, &Baud, &NoVerify})
            Parser.addOption(*option);
    }
};

} // namespace

TProgramOptions ParseProgramOptions(const QStringList& Arguments)
{
    TProgramParser program;
    program.Parser.parse(Arguments);
    const QCommandLineParser& parser = program.Parser;
    TProgramOptions options;
    options.SimulateReset = parser.isSet(program.SimulateReset);
    options.Simulate = parser.isSet(program.Simulate) || options.SimulateReset;
    options.USBLibrary = parser.value(program.Library);
    options.SerialPort = parser.value(program.Port);
    options.SerialBaud = parser.value(program.Baud);
    options.NoVerify = parser.isSet(program.NoVerify);
    return options;
}

QString ProgramHelpText()
{
    TProgramParser program;
    program.Parser.addHelpOption();
    program.Parser.addVersionOption();
    return program.Parser.helpText();
}

TProgramLink OpenProgramLink(const TProgramOptions& Options, const QString& ProgramDir)
{
    TProgramLink result;
    std::string error;
    result.Api = OpenUSBApi(USBApiChoice(Options, ProgramDir), error);
    if (!result.Api) {
        result.Link = std::make_unique<TAbsentUSBLink>();
        result.Problem = QString::fromStdString(error);
        return result;
    }
    auto usb = std::make_unique<TUSBXpress>(result.Api->Api());
    TUSBXpress* raw = usb.get();
    result.Jobs.push_back({[] { return static_cast<int>(TUSBXpress::DeviceWatchIntervalMs); }, [raw] { raw->PollDevices(); }});
    result.Jobs.push_back({[raw] { return static_cast<int>(raw->RXPollingtime()); }, [raw] { raw->PollRX(); }});
    result.Link = std::move(usb);
    if (result.Api->LineRate()) {
        result.MenuCommands = [api = result.Api.get()](QMenu& Menu) {
            AddLineRateMenu(Menu, api->LineRate(), [api](uint32_t rate) { return api->SetLineRate(rate); });
        };
    }
    return result;
}

} // namespace kvx::ui
