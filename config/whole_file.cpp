#include "config/whole_file.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kvx {

namespace {

std::string LastSystemError()
{
    return errno ? std::strerror(errno) : "input/output error";
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

bool CreateNewEmptyFile(const std::filesystem::path& Path, std::error_code& Error)
{
#ifdef _WIN32
    const int descriptor = ::_wopen(Path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor >= 0) ::_close(descriptor);
#else
    const int descriptor = ::open(Path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (descriptor >= 0) ::close(descriptor);
#endif
    Error = descriptor >= 0 ? std::error_code() : std::error_code(errno, std::generic_category());
    return descriptor >= 0;
}

} // namespace kvx
