#include "config/whole_file.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <system_error>

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
#ifdef _WIN32
    const long process = ::_getpid();
#else
    const long process = ::getpid();
#endif
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path partial = Path;
    partial += "." + std::to_string(process) + "-" + std::to_string(++count) + "-" + std::to_string(ticks) + ".partial";
    return partial;
}

bool WriteAllAndFlush(int Descriptor, std::string_view Bytes)
{
    size_t done = 0;
    while (done < Bytes.size()) {
#ifdef _WIN32
        const int wrote = ::_write(Descriptor, Bytes.data() + done, static_cast<unsigned>(Bytes.size() - done));
#else
        const ssize_t wrote = ::write(Descriptor, Bytes.data() + done, Bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
#endif
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
#ifdef _WIN32
    return ::_commit(Descriptor) == 0;
#else
    return ::fsync(Descriptor) == 0;
#endif
}

// Gives the finished temporary file its name, never replacing a file of that name.
bool NameWithoutReplacing(const std::filesystem::path& Temporary, const std::filesystem::path& Path)
{
#ifdef _WIN32
    // Windows' rename refuses an existing target, but names the refusal as a denied access.
    std::error_code ignored;
    if (std::filesystem::exists(Path, ignored)) {
        errno = EEXIST;
        return false;
    }
    return ::_wrename(Temporary.c_str(), Path.c_str()) == 0;
#else
    if (::link(Temporary.c_str(), Path.c_str()) != 0) return false;
    ::unlink(Temporary.c_str());
    // The new name is on disk only once its folder is.
    const std::filesystem::path folder = Path.has_parent_path() ? Path.parent_path() : std::filesystem::path(".");
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) return false;
    const bool flushed = ::fsync(directory) == 0;
    ::close(directory);
    return flushed;
#endif
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
#ifdef _WIN32
    const int descriptor =
        ::_wopen(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    const int descriptor = ::open(temporary.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, 0600);
#endif
    if (descriptor < 0) {
        Error = LastErrorCode();
        return false;
    }
    errno = 0;
    bool saved = WriteAllAndFlush(descriptor, Bytes);
    if (!saved) Error = LastErrorCode();
#ifdef _WIN32
    const bool closed = ::_close(descriptor) == 0;
#else
    const bool closed = ::close(descriptor) == 0;
#endif
    if (saved && !closed) {
        saved = false;
        Error = LastErrorCode();
    }
    errno = 0;
    if (saved && !NameWithoutReplacing(temporary, Path)) {
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
#ifndef _WIN32
    std::filesystem::permissions(Folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace, Error);
#endif
    return !Error;
}

} // namespace kvx
