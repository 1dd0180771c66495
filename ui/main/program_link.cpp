#include "ui/main/program_link.h"

#include <QCommandLineParser>

#include "link/simulator_library.h"
#include "link/siusbxp_library.h"
#include "link/usbxpress.h"
#include "ui/main/absent_link.h"

namespace kvx::ui {

TProgramOptions ParseProgramOptions(const QStringList& Arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption simulate("simulate", "Use the simulated dongle and unit.");
    const QCommandLineOption library("usb-library", "The USB library to load.", "path");
    const QCommandLineOption noVerify("no-verify", "Do not read the unit back to verify a write.");
    parser.addOption(simulate);
    parser.addOption(library);
    parser.addOption(noVerify);
    parser.parse(Arguments);
    return {parser.isSet(simulate), parser.value(library), parser.isSet(noVerify)};
}

QString USBLibraryPath(const TProgramOptions& Options, const QString& ProgramDir)
{
    if (!Options.USBLibrary.isEmpty()) return Options.USBLibrary;
    if (Options.Simulate)
        return QString::fromStdU16String(SimulatorLibraryPath(ProgramDir.toStdU16String()).u16string());
    return QString::fromStdString(ResolveUSBLibraryPath(std::string()));
}

TProgramLink OpenProgramLink(const QString& LibraryPath)
{
    TProgramLink result;
    std::string error;
    result.Library = TSiUSBXpLibrary::Load(LibraryPath.toStdString(), error);
    if (!result.Library) {
        result.Link = std::make_unique<TAbsentUSBLink>();
        result.Problem = QString::fromStdString(error);
        return result;
    }
    auto usb = std::make_unique<TUSBXpress>(result.Library->Api());
    TUSBXpress* raw = usb.get();
    result.Jobs.push_back({[] { return static_cast<int>(TUSBXpress::DeviceWatchIntervalMs); }, [raw] { raw->PollDevices(); }});
    result.Jobs.push_back({[raw] { return static_cast<int>(raw->RXPollingtime()); }, [raw] { raw->PollRX(); }});
    result.Link = std::move(usb);
    return result;
}

} // namespace kvx::ui
