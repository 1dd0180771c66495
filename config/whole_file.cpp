#include "config/whole_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <system_error>

#include "config/whole_file_platform.h"

namespace kvx {

namespace {

std::string LastSystemError()
{
    return errno ? std::strerror(errno) : "input/output error";
}

std::error_code LastErrorCode()
{
    return std::error_code(errno ? errno : EIO, std::generic_category());
}

// A name no other writer picks: the process, a count within it and the clock.
std::filesystem::path UniqueTemporaryBeside(const std::filesystem::path& Path)
{
    static std::atomic<unsigned> count{0};
    const long process = platform::ProcessId();
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path partial = Path;
    partial += "." + std::to_string(process) + "-" + std::to_string(++count) + "-" + std::to_string(ticks) + ".partial";
    return partial;
}

} // namespace

bool LoadWholeFile(const std::filesystem::path& Path, std::string& Bytes, std::string& Reason, size_t MaxSize)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(Path, ec);
    if (ec) {
        Reason = ec.message();
        return false;
    }
    if (size > MaxSize) {
        Reason = "the file is larger than " + std::to_string(MaxSize) + " bytes";
        return false;
    }
    errno = 0;
    std::ifstream in(Path, std::ios::binary);
    std::string read(static_cast<size_t>(size), '\0');
    if (in) in.read(read.data(), static_cast<std::streamsize>(size));
    if (!in || in.gcount() != static_cast<std::streamsize>(size)) {
        Reason = LastSystemError();
        return false;
    }
    Bytes = std::move(read);
    return true;
}

bool SaveWholeFile(const std::filesystem::path& Path, std::string_view Bytes, std::string& Reason)
{
    std::filesystem::path partial = Path;
    partial += ".partial";
    std::error_code ignored;
    {
        errno = 0;
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (out) out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        if (out) out.close();
        if (!out) {
            Reason = LastSystemError();
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(partial, Path, ec);
    if (ec) {
        Reason = ec.message();
        std::filesystem::remove(partial, ignored);
        return false;
    }
    return true;
}

bool SaveNewPrivateFile(const std::filesystem::path& Path, std::string_view Bytes, std::error_code& Error)
{
    const std::filesystem::path temporary = UniqueTemporaryBeside(Path);
    errno = 0;
    const int descriptor = platform::CreatePrivateFile(temporary);
    if (descriptor < 0) {
        Error = LastErrorCode();
        return false;
    }
    errno = 0;
    bool saved = platform::WriteAllAndFlush(descriptor, Bytes);
    if (!saved) Error = LastErrorCode();
    const bool closed = platform::CloseFile(descriptor);
    if (saved && !closed) {
        saved = false;
        Error = LastErrorCode();
    }
    errno = 0;
    if (saved && !platform::NameWithoutReplacing(temporary, Path)) {
        saved = false;
        Error = LastErrorCode();
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    if (saved) Error.clear();
    return saved;
}

bool MakePrivateFolder(const std::filesystem::path& Folder, std::error_code& Error)
{
    std::filesystem::create_directories(Folder, Error);
    if (Error) return false;
    platform::KeepFolderToOwner(Folder, Error);
    return !Error;
}

} // namespace kvx
