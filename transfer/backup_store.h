#pragma once
// Backups of what the unit held before a write: template-sized files named after the time,
// the unit's reporting name and, when its status frames gave one, its IMEI
// ("20260323-140509_KVX-Demo-Site_356938035643809.kvx"). They hold the command PIN and every
// phone number, so only their owner may read them; the newest 50 of each unit are kept.
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
    std::string IMEI;      // as the file name has it; empty when the unit gave none
    TLocalDateTime Time;   // the PC's clock in the name
    std::filesystem::file_time_type Made;
    uintmax_t Size = 0;

    // What tells one unit's backups from another's: the IMEI when known, else the name.
    const std::string& Unit() const { return IMEI.empty() ? UnitName : IMEI; }
};

// Creates the folder for its owner only and proves that a file can be written in it; Reason
// says why not.
bool PrepareBackupFolder(const std::filesystem::path& Folder, std::string& Reason);

// The image's reporting name, safe in a file name: letters, digits and "-" stay, anything
// else becomes "-"; "unnamed" when there is none.
std::string BackupUnitName(const TKVXConfig& Image);

// Saves Image (the password bytes 0xFF) as the newest backup of its unit, in Folder (created
// when missing), on disk before this returns, then deletes that unit's backups beyond the
// newest 50. IMEI: the unit's, or empty. The path saved, or nothing with Reason saying why.
std::optional<std::filesystem::path> SaveBackup(const std::filesystem::path& Folder, const TKVXConfig& Image,
                                                const std::u16string& IMEI, const TLocalDateTime& Now,
                                                std::string& Reason);

// The backups in the folder, most recently made first; other files are left out.
std::vector<TBackupFile> ListBackups(const std::filesystem::path& Folder);

} // namespace kvx
