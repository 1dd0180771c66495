#pragma once
// Backups of what the unit held before a write: template-sized files named after the time
// and the unit's reporting name ("20260323-140509_KVX-Demo-Site.kvx"), the newest 50 of each
// unit name kept.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "link/event_pump.h"

namespace kvx {

inline constexpr size_t BackupsKeptPerUnit = 50;

struct TBackupFile {
    std::filesystem::path Path;
    std::string UnitName;  // as the file name has it
    TLocalDateTime Time;
    uintmax_t Size = 0;
};

// Creates the folder and proves that a file can be written in it; Reason says why not.
bool PrepareBackupFolder(const std::filesystem::path& Folder, std::string& Reason);

// The image's reporting name, safe in a file name: letters, digits and "-" stay, anything
// else becomes "-"; "unnamed" when there is none.
std::string BackupUnitName(const TKVXConfig& Image);

// Saves Image (whole or not at all, the password bytes 0xFF) as the newest backup of its
// unit, in Folder (created when missing), then deletes that unit's backups beyond the newest 50. The path saved, or nothing
// with Reason saying why.
std::optional<std::filesystem::path> SaveBackup(const std::filesystem::path& Folder, const TKVXConfig& Image,
                                                const TLocalDateTime& Now, std::string& Reason);

// The backups in the folder, newest first; other files are left out.
std::vector<TBackupFile> ListBackups(const std::filesystem::path& Folder);

} // namespace kvx
