#pragma once
// Where the program keeps files of its own (the backups). The program and kvxctl share the
// folder: the one Qt's AppDataLocation gives the program, worked out here without Qt.
#include <filesystem>
#include <functional>

namespace kvx {

// The program's application name (it sets no organisation), which names its data folder.
inline constexpr const char* ProgramName = "KVX";

using TGetEnv = std::function<const char*(const char* Name)>;

// Linux: $XDG_DATA_HOME/KVX, or ~/.local/share/KVX; Windows: %APPDATA%\KVX. Empty when
// neither the variable nor a home folder is known.
std::filesystem::path ProgramDataFolder(const TGetEnv& GetEnv);

// The backups inside the program's data folder; empty for an empty data folder.
std::filesystem::path BackupFolderIn(const std::filesystem::path& DataFolder);

// The simulated unit's memory (--simulate), kept between runs of the program and kvxctl, in
// the program's data folder; empty for an empty data folder.
std::filesystem::path SimulatedUnitFileIn(const std::filesystem::path& DataFolder);

} // namespace kvx
