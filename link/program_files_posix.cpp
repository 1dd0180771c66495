#include "link/program_files_platform.h"

#include <cstdlib>

#include "link/program_files.h"

namespace kvx {

std::string SimulatorLibraryName() { return "libkvxsim.so"; }

namespace platform {

std::vector<std::filesystem::path> ProgramFileFolders(const std::filesystem::path& ProgramFolder)
{
    // The build tree keeps the simulator in lib/ beside bin/; an installation keeps it and
    // the data in folders of its own (named by the build, relative to bin/).
    std::vector<std::filesystem::path> folders{ProgramFolder};
    for (const char* relative : {"../lib", KVX_INSTALLED_PRIVATE_LIB_DIR, KVX_INSTALLED_DATA_DIR})
        folders.push_back((ProgramFolder / relative).lexically_normal());
    return folders;
}

void SetEnvironment(const char* Name, const char* Value) { setenv(Name, Value, 1); }

} // namespace platform

} // namespace kvx
