#pragma once
// Where the programs find the files they ship with (the data files, the simulator, the
// vendor library): beside themselves first, as in the build tree and on Windows, then where
// an installation puts them below the same prefix.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kvx {

// The folders looked in, in order, for a program in ProgramFolder.
std::vector<std::filesystem::path> ProgramFileFolders(const std::filesystem::path& ProgramFolder);

// The first of those folders that holds Name; nothing when none does.
std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& ProgramFolder, const std::string& Name);

// "kvxsim.dll" on Windows, "libkvxsim.so" elsewhere.
std::string SimulatorLibraryName();

// The simulator as found, or where it belongs beside the program (so a failed load names it).
std::filesystem::path SimulatorLibraryPath(const std::filesystem::path& ProgramFolder);

} // namespace kvx
