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
// Saves Bytes as a new file at Path that only its owner may read or write (0600 on Linux):
// written under a unique temporary name beside it, created afresh and never through a link,
// flushed to disk, then given Path only if nothing has that name yet (Error is
// std::errc::file_exists when something has), and the folder flushed too, so the file
// survives a power cut from the moment this returns true.
bool SaveNewPrivateFile(const std::filesystem::path& Path, std::string_view Bytes, std::error_code& Error);
// Makes Folder (and its parents) and lets only its owner in (0700 on Linux).
bool MakePrivateFolder(const std::filesystem::path& Folder, std::error_code& Error);

} // namespace kvx
