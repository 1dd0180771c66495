#include "config/template_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>

#include "config/whole_file.h"

namespace kvx {

namespace {

std::string LastSystemError()
{
    return errno ? std::strerror(errno) : "input/output error";
}

} // namespace

bool LoadTemplate(const std::filesystem::path& Path, TKVXConfig& Config, std::string& Reason)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(Path, ec);
    if (ec) {
        Reason = ec.message();
        return false;
    }
    if (size != TKVXConfig::Size) {
        Reason = "It is not a KVX configuration file (" + std::to_string(size) +
                 " bytes; a configuration file holds " + std::to_string(TKVXConfig::Size) + ")";
        return false;
    }
    errno = 0;
    std::ifstream in(Path, std::ios::binary);
    TKVXConfig loaded;
    if (in) in.read(reinterpret_cast<char*>(loaded.Bytes()), TKVXConfig::Size);
    if (!in || in.gcount() != static_cast<std::streamsize>(TKVXConfig::Size)) {
        Reason = LastSystemError();
        return false;
    }
    Config = loaded;
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
