// kvxconf: programs the KVX unit through its USB dongle.
#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "link/usbxpress.h"
#include "ui/main/kvx_style.h"
#include "ui/main/line_rate_setting.h"
#include "ui/main/main_window.h"
#include "program_version.h"
#include "ui/main/program_icon.h"
#include "ui/main/program_link.h"
#include "ui/main/qt_event_pump.h"
#include "ui/main/status_view.h"
#include "transfer/data_folder.h"
#include "ui/pages/setup_pages.h"

int main(int argc, char* argv[])
{
    using namespace kvx::ui;
    // Answered before Qt starts, so it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kvxconf %s\n", kvx::ProgramVersion);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kvx::ProgramName);
    QApplication::setApplicationVersion(kvx::ProgramVersion);
    QApplication::setWindowIcon(ProgramIcon());
    ApplyKVXStyle(app);

    TProgramOptions options = ParseProgramOptions(QApplication::arguments());
    options.SavedSerialBaud = SavedLineRate();
    TProgramLink link = OpenProgramLink(options, QApplication::applicationDirPath());
    TQtEventPump pump;

    TMainWindowSetup setup;
    setup.Link = std::move(link.Link);
    setup.Pump = &pump;
    setup.LinkJobs = std::move(link.Jobs);
    setup.LinkProblem = link.Problem;
    setup.CreatePages = CreateSetupPages;
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    setup.BackupFolder = QString::fromStdU16String(kvx::BackupFolderIn(dataFolder.toStdU16String()).u16string());
    setup.VerifyWrites = !options.NoVerify;
    setup.AddMenuCommands = link.MenuCommands;
    TfrmMain window(std::move(setup));
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
