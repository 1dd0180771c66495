#include "link/program_files.h"

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

} // namespace kvx
