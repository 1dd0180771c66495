#include "link/program_files_platform.h"

#include <cstdlib>

#include "link/program_files.h"

namespace kvx {

std::string SimulatorLibraryName() { return "kvxsim.dll"; }

namespace platform {

// Windows keeps everything in the program's own folder.
std::vector<std::filesystem::path> ProgramFileFolders(const std::filesystem::path& ProgramFolder)
{
    return {ProgramFolder};
}

void SetEnvironment(const char* Name, const char* Value) { _putenv_s(Name, Value); }

} // namespace platform

} // namespace kvx
