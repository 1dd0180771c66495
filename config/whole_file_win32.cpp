#include "config/whole_file_platform.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace kvx::platform {

long ProcessId() { return ::_getpid(); }

int CreatePrivateFile(const std::filesystem::path& Path)
{
    return ::_wopen(Path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
}

bool WriteAllAndFlush(int Descriptor, std::string_view Bytes)
{
    size_t done = 0;
    while (done < Bytes.size()) {
        const int wrote = ::_write(Descriptor, Bytes.data() + done, static_cast<unsigned>(Bytes.size() - done));
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return ::_commit(Descriptor) == 0;
}

bool CloseFile(int Descriptor) { return ::_close(Descriptor) == 0; }

bool NameWithoutReplacing(const std::filesystem::path& Temporary, const std::filesystem::path& Path)
{
    // Windows' rename refuses an existing target, but names the refusal as a denied access.
    std::error_code ignored;
    if (std::filesystem::exists(Path, ignored)) {
        errno = EEXIST;
        return false;
    }
    return ::_wrename(Temporary.c_str(), Path.c_str()) == 0;
}

// Windows' folders inherit their access from the user's profile.
void KeepFolderToOwner(const std::filesystem::path&, std::error_code& Error) { Error.clear(); }

} // namespace kvx::platform
