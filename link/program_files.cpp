#include "link/program_files.h"

#include <cstdlib>
#include <system_error>

#include "link/program_files_platform.h"

namespace kvx {

std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& ProgramFolder, const std::string& Name)
{
    for (const auto& folder : platform::ProgramFileFolders(ProgramFolder)) {
        std::error_code error;
        const std::filesystem::path candidate = folder / Name;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::filesystem::path ProgramFilePath(const std::filesystem::path& ProgramFolder, const std::string& Name)
{
    return FindProgramFile(ProgramFolder, Name).value_or(ProgramFolder / Name);
}

std::filesystem::path SimulatorLibraryPath(const std::filesystem::path& ProgramFolder)
{
    return ProgramFilePath(ProgramFolder, SimulatorLibraryName());
}

bool RememberSimulatedUnit(const std::filesystem::path& MemoryFile, bool Reset, std::string& Error)
{
    constexpr const char* MemoryKnob = "KVXSIM_MEMORY";
    if (const char* given = std::getenv(MemoryKnob); (given && *given) || MemoryFile.empty()) return true;
    std::error_code ec;
    if (Reset && !std::filesystem::remove(MemoryFile, ec) && ec) {
        Error = "Could not remove the simulated unit's memory \"" + MemoryFile.string() + "\": " + ec.message() + ".";
        return false;
    }
    try {
        const std::string path = MemoryFile.string();
        platform::SetEnvironment(MemoryKnob, path.c_str());
    } catch (const std::system_error&) {
        Error = "The simulated unit's memory cannot be kept under this folder's name; it starts afresh every run.";
        return false;
    }
    return true;
}

} // namespace kvx
