#pragma once
// What writing a file safely asks of the operating system. whole_file_posix.cpp and
// whole_file_win32.cpp answer it; the build compiles the one for its system. A failure
// leaves errno saying why.
#include <filesystem>
#include <string_view>
#include <system_error>

namespace kvx::platform {

long ProcessId();
// Creates Path afresh for writing, for its owner only and never through a link; -1 on failure.
int CreatePrivateFile(const std::filesystem::path& Path);
// Writes all of Bytes and flushes them to disk.
bool WriteAllAndFlush(int Descriptor, std::string_view Bytes);
bool CloseFile(int Descriptor);
// Gives the finished Temporary file the name Path, never replacing a file of that name.
bool NameWithoutReplacing(const std::filesystem::path& Temporary, const std::filesystem::path& Path);
// Lets only the folder's owner in, where the system has such permissions.
void KeepFolderToOwner(const std::filesystem::path& Folder, std::error_code& Error);

} // namespace kvx::platform
