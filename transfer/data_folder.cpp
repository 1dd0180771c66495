#include "transfer/data_folder.h"

#include <string>

namespace kvx {

namespace {

std::filesystem::path FromEnv(const TGetEnv& GetEnv, const char* Name)
{
    const char* value = GetEnv(Name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

std::filesystem::path ProgramDataFolder(const TGetEnv& GetEnv)
{
#ifdef _WIN32
    const std::filesystem::path base = FromEnv(GetEnv, "APPDATA");
#else
    std::filesystem::path base = FromEnv(GetEnv, "XDG_DATA_HOME");
    if (base.empty()) {
        const std::filesystem::path home = FromEnv(GetEnv, "HOME");
        if (!home.empty()) base = home / ".local" / "share";
    }
#endif
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
