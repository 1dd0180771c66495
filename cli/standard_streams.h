#pragma once
// "-" for standard input or standard output wherever kvxctl reads or writes a file, so that
// its commands chain in pipes: kvxctl dump unit.kvx --json | kvxctl build - -o copy.kvx
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kvx::cli {

bool IsStandardStream(const std::filesystem::path& Path);
// How a report of what was done names a file: its path, or "standard input" / "standard output" for "-".
std::string InputName(const std::filesystem::path& Path);
std::string OutputName(const std::filesystem::path& Path);

// The file's bytes, or standard input's for "-"; false with Reason when unreadable or over MaxSize.
bool ReadInputFile(const std::filesystem::path& Path, std::string& Bytes, std::string& Reason, size_t MaxSize);
// Written whole or not at all; "-" to standard output.
bool WriteOutputFile(const std::filesystem::path& Path, std::string_view Bytes, std::string& Reason);

// Checks an argument naming a file to read: "" when it exists or is "-", else why not (as the
// command line's checks say it).
std::string CheckInputFile(const std::string& Path);

// True when Output names the file Input names (writing would destroy what is being read); never for "-".
bool IsSameFile(const std::filesystem::path& Input, const std::filesystem::path& Output);

} // namespace kvx::cli
