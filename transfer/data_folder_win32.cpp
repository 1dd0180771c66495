#include "transfer/data_folder_platform.h"

namespace kvx::platform {

std::filesystem::path UserDataFolder(const TGetEnv& GetEnv) { return PathFromEnv(GetEnv, "APPDATA"); }

} // namespace kvx::platform
