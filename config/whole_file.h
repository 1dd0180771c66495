#pragma once
// Files read and written whole: a write goes to a temporary file beside the target and is
// renamed over it, so a failed write never leaves half a file or destroys the old one.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kvx {

// The file's bytes; false, with Reason, for a file that cannot be read or is over MaxSize.
bool LoadWholeFile(const std::filesystem::path& Path, std::string& Bytes, std::string& Reason, size_t MaxSize);
bool SaveWholeFile(const std::filesystem::path& Path, std::string_view Bytes, std::string& Reason);
// Creates Path empty, only if nothing has that name yet (one atomic step, so two programs never
// both take the name); Error is std::errc::file_exists when something has.
bool CreateNewEmptyFile(const std::filesystem::path& Path, std::error_code& Error);

} // namespace kvx
