#include "config/template_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <system_error>

#include "config/whole_file.h"

namespace kvx {

namespace {

std::string NotATemplate(uintmax_t Size)
{
    return "It is not a KVX configuration file (" + std::to_string(Size) + " bytes; a configuration file holds " +
           std::to_string(TKVXConfig::Size) + ")";
}

} // namespace

bool LoadTemplate(const std::filesystem::path& Path, TKVXConfig& Config, std::string& Reason)
{
    // By its size first, so a large file of another kind is refused unread; a file that
    // cannot be sized is left for the read to name its fault.
    std::error_code ec;
    if (const auto size = std::filesystem::file_size(Path, ec); !ec && size != TKVXConfig::Size) {
        Reason = NotATemplate(size);
        return false;
    }
    std::string bytes;
    if (!LoadWholeFile(Path, bytes, Reason, TKVXConfig::Size)) return false;
    if (bytes.size() != TKVXConfig::Size) {
        Reason = NotATemplate(bytes.size());
        return false;
    }
    std::memcpy(Config.Bytes(), bytes.data(), TKVXConfig::Size);
    return true;
}

void ErasePassword(TKVXConfig& Config)
{
    std::fill(std::begin(Config.LockArray.Data), std::end(Config.LockArray.Data), 0xFF);
}

bool SaveTemplate(const std::filesystem::path& Path, const TKVXConfig& Config, std::string& Reason)
{
    TKVXConfig saved = Config;
    ErasePassword(saved);
    return SaveWholeFile(Path, std::string_view(reinterpret_cast<const char*>(saved.Bytes()), TKVXConfig::Size), Reason);
}

} // namespace kvx
