#include "cli/standard_streams.h"

#include <cstdio>
#include <system_error>

#include "cli/console.h"
#include "config/whole_file.h"

namespace kvx::cli {

bool IsStandardStream(const std::filesystem::path& Path) { return Path == "-"; }

std::string InputName(const std::filesystem::path& Path)
{
    return IsStandardStream(Path) ? "standard input" : Path.string();
}

std::string OutputName(const std::filesystem::path& Path)
{
    return IsStandardStream(Path) ? "standard output" : Path.string();
}

bool ReadInputFile(const std::filesystem::path& Path, std::string& Bytes, std::string& Reason, size_t MaxSize)
{
    if (!IsStandardStream(Path)) return LoadWholeFile(Path, Bytes, Reason, MaxSize);
    platform::UseBinary(stdin);
    std::string read;
    char chunk[4096];
    while (const size_t n = std::fread(chunk, 1, sizeof chunk, stdin)) {
        read.append(chunk, n);
        if (read.size() > MaxSize) {
            Reason = "more than " + std::to_string(MaxSize) + " bytes";
            return false;
        }
    }
    if (std::ferror(stdin)) {
        Reason = "it could not be read";
        return false;
    }
    Bytes = std::move(read);
    return true;
}

bool WriteOutputFile(const std::filesystem::path& Path, std::string_view Bytes, std::string& Reason)
{
    if (!IsStandardStream(Path)) return SaveWholeFile(Path, Bytes, Reason);
    platform::UseBinary(stdout);
    std::fflush(stdout);
    if (std::fwrite(Bytes.data(), 1, Bytes.size(), stdout) != Bytes.size() || std::fflush(stdout) != 0) {
        Reason = "it could not be written";
        return false;
    }
    return true;
}

std::string CheckInputFile(const std::string& Path)
{
    std::error_code ec;
    if (IsStandardStream(Path)) return {};
    if (!std::filesystem::exists(Path, ec)) return "File does not exist: " + Path;
    if (std::filesystem::is_directory(Path, ec)) return "File is actually a directory: " + Path;
    return {};
}

bool IsSameFile(const std::filesystem::path& Input, const std::filesystem::path& Output)
{
    if (IsStandardStream(Input) || IsStandardStream(Output)) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(Input, Output, ec)) return true;
    // An output not there yet can still be the input under another spelling.
    const auto input = std::filesystem::weakly_canonical(Input, ec);
    const auto output = ec ? std::filesystem::path() : std::filesystem::weakly_canonical(Output, ec);
    return !ec && input == output;
}

} // namespace kvx::cli
