#pragma once
// Where the programs find the files they ship with (the data files, the simulator, the
// vendor library): beside themselves first, as in the build tree and on Windows, then where
// an installation puts them below the same prefix.
#include <filesystem>
#include <optional>
#include <string>

namespace kvx {

// The first folder that holds Name, of those looked in for a program in ProgramFolder;
// nothing when none does.
std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& ProgramFolder, const std::string& Name);
// Name as found, or where it belongs beside the program (so a message can name it).
std::filesystem::path ProgramFilePath(const std::filesystem::path& ProgramFolder, const std::string& Name);

// "kvxsim.dll" on Windows, "libkvxsim.so" elsewhere.
std::string SimulatorLibraryName();

// The simulator as found, or where it belongs beside the program (so a failed load names it).
std::filesystem::path SimulatorLibraryPath(const std::filesystem::path& ProgramFolder);

// Has the simulated unit keep its memory in MemoryFile between runs (it saves it after every
// write), by the simulator's memory knob, unless that knob is set already: a file named there
// wins and is never removed; with no MemoryFile nothing is kept. Reset first removes
// MemoryFile, so the unit starts afresh. To be
// called before the simulator is loaded; false, with Error, when the file cannot be removed.
bool RememberSimulatedUnit(const std::filesystem::path& MemoryFile, bool Reset, std::string& Error);

} // namespace kvx
