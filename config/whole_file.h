#pragma once
// Files read and written whole: a write goes to a temporary file beside the target and is
// renamed over it, so a failed write never leaves half a file or destroys the old one.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvx {

// The file's bytes; false, with Reason, for a file that cannot be read or is over MaxSize.
bool LoadWholeFile(const std::filesystem::path& Path, std::string& Bytes, std::string& Reason, size_t MaxSize);
bool SaveWholeFile(const std::filesystem::path& Path, std::string_view Bytes, std::string& Reason);

} // namespace kvx
