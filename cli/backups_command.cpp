#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "transfer/backup_store.h"

namespace kvx::cli {

namespace {

std::string TimeText(const TLocalDateTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.Year % 10000, t.Month % 100, t.Day % 100,
                  t.Hour % 100, t.Minute % 100, t.Second % 100);
    return text;
}

} // namespace

int ListBackupFiles(const TOptions& Options, bool Json)
{
    const std::vector<TBackupFile> backups = ListBackups(Options.BackupFolder);
    if (Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TBackupFile& b : backups)
            list.push_back({{"time", TimeText(b.Time)}, {"unit", b.UnitName}, {"imei", b.IMEI}, {"size", b.Size}, {"file", b.Path.string()}});
        std::cout << JsonText({{"folder", Options.BackupFolder.string()}, {"backups", list}}, 2) << "\n";
        return ExitOK;
    }
    if (backups.empty()) {
        std::cout << "No backups in " << Options.BackupFolder.string() << ".\n";
        return ExitOK;
    }
    std::cout << "Backups in " << Options.BackupFolder.string() << ", newest first:\n";
    for (const TBackupFile& b : backups)
        std::cout << TimeText(b.Time) << "  " << b.UnitName << (b.IMEI.empty() ? "" : " (IMEI " + b.IMEI + ")") << "  "
                  << b.Size << " bytes  " << b.Path.filename().string() << "\n";
    std::cout << "Restore one with: kvxctl restore \"" << backups.front().Path.string() << "\"\n";
    return ExitOK;
}

} // namespace kvx::cli
