#pragma once
// Where the simulated dongle lives relative to a program: build/lib beside build/bin on
// Linux, the program's own folder on Windows.
#include <filesystem>

namespace kvx {

inline std::filesystem::path SimulatorLibraryPath(const std::filesystem::path& ProgramFolder)
{
#ifdef _WIN32
    return ProgramFolder / "kvxsim.dll";
#else
    return (ProgramFolder / ".." / "lib" / "libkvxsim.so").lexically_normal();
#endif
}

} // namespace kvx
