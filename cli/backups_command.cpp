#include <iostream>

#include "cli/commands.h"
#include "transfer/backup_store.h"

namespace kvx::cli {

int ListBackupFiles(const TOptions& Options, bool Json)
{
    const std::vector<TBackupFile> backups = ListBackups(Options.BackupFolder);
    if (Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TBackupFile& b : backups)
            list.push_back({{"time", DateTimeText(b.Time)}, {"unit", b.UnitName}, {"imei", b.IMEI}, {"size", b.Size}, {"file", b.Path.string()}});
        std::cout << JsonText({{"folder", Options.BackupFolder.string()}, {"backups", list}}, 2) << "\n";
        return ExitOK;
    }
    if (backups.empty()) {
        std::cout << "No backups in " << Options.BackupFolder.string() << ".\n";
        return ExitOK;
    }
    std::cout << "Backups in " << Options.BackupFolder.string() << ", newest first:\n";
    for (const TBackupFile& b : backups)
        std::cout << DateTimeText(b.Time) << "  " << b.UnitName << (b.IMEI.empty() ? "" : " (IMEI " + b.IMEI + ")") << "  "
                  << b.Size << " bytes  " << b.Path.filename().string() << "\n";
    std::cout << "Restore one with: kvxctl restore \"" << backups.front().Path.string() << "\"\n";
    return ExitOK;
}

} // namespace kvx::cli
