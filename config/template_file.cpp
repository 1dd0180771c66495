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
    return LoadWholeFile(Path, bytes, Reason, TKVXConfig::Size) && TemplateFromBytes(bytes, Config, Reason);
}

bool TemplateFromBytes(std::string_view Bytes, TKVXConfig& Config, std::string& Reason)
{
    if (Bytes.size() != TKVXConfig::Size) {
        Reason = NotATemplate(Bytes.size());
        return false;
    }
    std::memcpy(Config.Bytes(), Bytes.data(), TKVXConfig::Size);
    return true;
}

std::string TemplateBytes(const TKVXConfig& Config)
{
    TKVXConfig saved = Config;
    ErasePassword(saved);
    return std::string(reinterpret_cast<const char*>(saved.Bytes()), TKVXConfig::Size);
}

void ErasePassword(TKVXConfig& Config)
{
    std::fill(std::begin(Config.LockArray.Data), std::end(Config.LockArray.Data), 0xFF);
}

bool SaveTemplate(const std::filesystem::path& Path, const TKVXConfig& Config, std::string& Reason)
{
    return SaveWholeFile(Path, TemplateBytes(Config), Reason);
}

} // namespace kvx
