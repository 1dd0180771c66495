#include "transfer/data_folder_platform.h"

namespace kvx::platform {

std::filesystem::path UserDataFolder(const TGetEnv& GetEnv)
{
    const std::filesystem::path data = PathFromEnv(GetEnv, "XDG_DATA_HOME");
    if (!data.empty()) return data;
    const std::filesystem::path home = PathFromEnv(GetEnv, "HOME");
    return home.empty() ? home : home / ".local" / "share";
}

} // namespace kvx::platform
