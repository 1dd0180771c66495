#include "config/whole_file_platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kvx::platform {

long ProcessId() { return ::getpid(); }

int CreatePrivateFile(const std::filesystem::path& Path)
{
    return ::open(Path.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, 0600);
}

bool WriteAllAndFlush(int Descriptor, std::string_view Bytes)
{
    size_t done = 0;
    while (done < Bytes.size()) {
        const ssize_t wrote = ::write(Descriptor, Bytes.data() + done, Bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return ::fsync(Descriptor) == 0;
}

bool CloseFile(int Descriptor) { return ::close(Descriptor) == 0; }

bool NameWithoutReplacing(const std::filesystem::path& Temporary, const std::filesystem::path& Path)
{
    if (::link(Temporary.c_str(), Path.c_str()) != 0) return false;
    ::unlink(Temporary.c_str());
    // The new name is on disk only once its folder is.
    const std::filesystem::path folder = Path.has_parent_path() ? Path.parent_path() : std::filesystem::path(".");
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) return false;
    const bool flushed = ::fsync(directory) == 0;
    ::close(directory);
    return flushed;
}

void KeepFolderToOwner(const std::filesystem::path& Folder, std::error_code& Error)
{
    std::filesystem::permissions(Folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace, Error);
}

} // namespace kvx::platform
