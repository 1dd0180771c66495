// kvxconf: programs the KVX unit through its USB dongle.
#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>
#include <initializer_list>

#include "link/program_files.h"
#include "link/usbxpress.h"
#include "ui/main/kvx_style.h"
#include "ui/main/line_rate_setting.h"
#include "ui/main/main_window.h"
#include "program_version.h"
#include "ui/main/program_icon.h"
#include "ui/main/program_link.h"
#include "ui/main/program_settings.h"
#include "ui/main/qt_event_pump.h"
#include "ui/main/status_view.h"
#include "transfer/data_folder.h"
#include "ui/pages/setup_pages.h"

namespace {

bool Given(int argc, char* argv[], std::initializer_list<const char*> Names)
{
    for (int i = 1; i < argc; ++i)
        for (const char* name : Names)
            if (std::strcmp(argv[i], name) == 0) return true;
    return false;
}

int RunProgram(int argc, char* argv[])
{
    using namespace kvx::ui;
    // Answered before the window system starts, so neither needs a display.
    if (Given(argc, argv, {"--version", "-v"})) {
        std::printf("kvxconf %s\n", kvx::ProgramVersion);
        return 0;
    }
    if (Given(argc, argv, {"--help", "-h", "-?", "--help-all"})) {
        const QCoreApplication core(argc, argv);
        std::fputs(ProgramHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kvx::ProgramName);
    QApplication::setApplicationVersion(kvx::ProgramVersion);
    QApplication::setWindowIcon(ProgramIcon());
    ApplyKVXStyle(app);

    TProgramOptions options = ParseProgramOptions(QApplication::arguments());
    options.SavedSerialBaud = SavedLineRate();
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    std::string problem;
    if (options.Simulate &&
        !kvx::RememberSimulatedUnit(kvx::SimulatedUnitFileIn(dataFolder.toStdU16String()), options.SimulateReset, problem))
        std::fprintf(stderr, "%s\n", problem.c_str());
    TProgramLink link = OpenProgramLink(options, QApplication::applicationDirPath());
    TQtEventPump pump;

    TMainWindowSetup setup;
    setup.Link = std::move(link.Link);
    setup.Pump = &pump;
    setup.LinkJobs = std::move(link.Jobs);
    setup.LinkProblem = link.Problem;
    setup.CreatePages = CreateSetupPages;
    setup.DefaultCountryCode = SavedCountryCode();
    setup.SaveCountryCode = SaveCountryCode;
    setup.BackupFolder = QString::fromStdU16String(kvx::BackupFolderIn(dataFolder.toStdU16String()).u16string());
    setup.VerifyWrites = !options.NoVerify;
    setup.AddMenuCommands = link.MenuCommands;
    TMainWindow window(std::move(setup));
    // The serial backend learns on every device poll what keeps a dongle from being used.
    QTimer problemWatch;
    if (link.Api) {
        QObject::connect(&problemWatch, &QTimer::timeout, &window, [&] {
            window.StatusView()->ShowLinkProblem(QString::fromStdString(link.Api->Problem()));
        });
        problemWatch.start(static_cast<int>(kvx::TUSBXpress::DeviceWatchIntervalMs));
    }
    if (const QScreen* screen = QApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return RunProgram(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvxconf stopped on an unexpected problem: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kvxconf stopped on an unexpected problem.\n");
    }
    return 2;
}
