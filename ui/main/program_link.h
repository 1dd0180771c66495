#pragma once
// Which USB calls the program uses, and the link built over them: the vendor library, the
// simulator (--simulate), the file given with --usb-library or, on Linux, the dongle's serial
// port (found in sysfs, or --serial-port). Without either the program still runs over a link
// that never sees a dongle, and says why.
#include <QString>
#include <QMenu>
#include <QStringList>
#include <functional>
#include <memory>

#include "link/usb_api.h"
#include "ui/main/main_window.h"

namespace kvx::ui {

struct TProgramOptions {
    bool Simulate = false;          // --simulate, or --simulate-reset
    bool SimulateReset = false;     // the simulated unit starts afresh
    QString USBLibrary;  // empty: the environment or the default name
    QString SerialPort;
    QString SerialBaud;             // empty: KVX_SERIAL_BAUD, else the saved setting
    uint32_t SavedSerialBaud = 0;   // the program's setting; 0: none
    bool NoVerify = false;  // writes are not read back (a known-slow line)
};

TProgramOptions ParseProgramOptions(const QStringList& Arguments);
// What --help prints (needs a QCoreApplication, not a display).
QString ProgramHelpText();

struct TProgramLink {
    std::unique_ptr<IUSBApi> Api;  // must outlive the link
    std::unique_ptr<IUSBLink> Link;
    std::vector<TLinkJob> Jobs;
    QString Problem;  // empty when the calls could be had
    // Entries for the command bar's menu: the line rate, over a serial port. None otherwise.
    std::function<void(QMenu&)> MenuCommands;
};

// ProgramDir is the folder of the running program.
TProgramLink OpenProgramLink(const TProgramOptions& Options, const QString& ProgramDir);

} // namespace kvx::ui
