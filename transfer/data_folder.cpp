#include "transfer/data_folder.h"

#include "transfer/data_folder_platform.h"

namespace kvx {

std::filesystem::path PathFromEnv(const TGetEnv& GetEnv, const char* Name)
{
    const char* value = GetEnv(Name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path ProgramDataFolder(const TGetEnv& GetEnv)
{
    const std::filesystem::path base = platform::UserDataFolder(GetEnv);
    return base.empty() ? base : base / ProgramName;
}

std::filesystem::path BackupFolderIn(const std::filesystem::path& DataFolder)
{
    return DataFolder.empty() ? DataFolder : DataFolder / "backups";
}

std::filesystem::path SimulatedUnitFileIn(const std::filesystem::path& DataFolder)
{
    return DataFolder.empty() ? DataFolder : DataFolder / "simulated-unit.mem";
}

} // namespace kvx
