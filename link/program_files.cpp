#include "link/program_files.h"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace kvx {

namespace {

// The folders looked in, in order, for a program in ProgramFolder.
std::vector<std::filesystem::path> ProgramFileFolders(const std::filesystem::path& ProgramFolder)
{
#ifdef _WIN32
    // Windows keeps everything in the program's own folder.
    return {ProgramFolder};
#else
    // The build tree keeps the simulator in lib/ beside bin/; an installation keeps it and
    // the data in folders of its own (named by the build, relative to bin/).
    std::vector<std::filesystem::path> folders{ProgramFolder};
    for (const char* relative : {"../lib", KVX_INSTALLED_PRIVATE_LIB_DIR, KVX_INSTALLED_DATA_DIR})
        folders.push_back((ProgramFolder / relative).lexically_normal());
    return folders;
#endif
}

} // namespace

std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& ProgramFolder, const std::string& Name)
{
    for (const auto& folder : ProgramFileFolders(ProgramFolder)) {
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

std::string SimulatorLibraryName()
{
#ifdef _WIN32
    return "kvxsim.dll";
#else
    return "libkvxsim.so";
#endif
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
#ifdef _WIN32
        _putenv_s(MemoryKnob, path.c_str());
#else
        setenv(MemoryKnob, path.c_str(), 1);
#endif
    } catch (const std::system_error&) {
        Error = "The simulated unit's memory cannot be kept under this folder's name; it starts afresh every run.";
        return false;
    }
    return true;
}

} // namespace kvx
