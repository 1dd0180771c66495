#pragma once
// Which USB library the program binds to, and the link built over it: the vendor library, the
// simulator (--simulate) or the file given with --usb-library. Without a loadable library the
// program still runs over a link that never sees a dongle, and says why.
#include <QString>
#include <QStringList>
#include <memory>

#include "link/siusbxp_library.h"
#include "ui/main/main_window.h"

namespace kvx::ui {

struct TProgramOptions {
    bool Simulate = false;
    QString USBLibrary;  // empty: the environment or the default name
    bool NoVerify = false;  // writes are not read back (a known-slow line)
};

TProgramOptions ParseProgramOptions(const QStringList& Arguments);

// The library file to load; ProgramDir is the folder of the running program.
QString USBLibraryPath(const TProgramOptions& Options, const QString& ProgramDir);

struct TProgramLink {
    std::unique_ptr<TSiUSBXpLibrary> Library;  // must outlive the link
    std::unique_ptr<IUSBLink> Link;
    std::vector<TLinkJob> Jobs;
    QString Problem;  // empty when the library loaded
};

TProgramLink OpenProgramLink(const QString& LibraryPath);

} // namespace kvx::ui
