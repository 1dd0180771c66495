#pragma once
// Where the systems differ in finding the programs' files. program_files_posix.cpp and
// program_files_win32.cpp answer it; the build compiles the one for its system.
#include <filesystem>
#include <vector>

namespace kvx::platform {

// The folders looked in, in order, for a file shipped with a program in ProgramFolder.
std::vector<std::filesystem::path> ProgramFileFolders(const std::filesystem::path& ProgramFolder);
// Sets the environment variable Name for this process and what it loads.
void SetEnvironment(const char* Name, const char* Value);

} // namespace kvx::platform
