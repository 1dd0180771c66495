#pragma once
// Where the system keeps its users' application data. data_folder_posix.cpp and
// data_folder_win32.cpp answer it; the build compiles the one for its system.
#include <filesystem>

#include "transfer/data_folder.h"

namespace kvx {

// The environment variable Name as a path; empty when it is unset or empty.
std::filesystem::path PathFromEnv(const TGetEnv& GetEnv, const char* Name);

namespace platform {

// Linux: $XDG_DATA_HOME, or ~/.local/share; Windows: %APPDATA%. Empty when unknown.
std::filesystem::path UserDataFolder(const TGetEnv& GetEnv);

} // namespace platform

} // namespace kvx
