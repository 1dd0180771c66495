#include "config/template_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace kvx {

namespace {

std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

std::string LastSystemError()
{
    return errno ? std::strerror(errno) : "unknown error";
}

} // namespace

bool LoadTemplate(const std::filesystem::path& Path, TKVXConfig& Config, std::string& Error)
{
    errno = 0;
    std::ifstream in(Path, std::ios::binary);
    if (!in) {
        Error = "Could not open " + Quoted(Path) + ": " + LastSystemError() + ".";
        return false;
    }
    // One byte more than an image, so a longer file shows as one.
    std::vector<char> bytes(TKVXConfig::Size + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        Error = "Could not read " + Quoted(Path) + ": " + LastSystemError() + ".";
        return false;
    }
    const auto count = static_cast<size_t>(in.gcount());
    if (count != TKVXConfig::Size) {
        Error = Quoted(Path) + " is not a KVX configuration file (a configuration file holds exactly " +
                std::to_string(TKVXConfig::Size) + " bytes).";
        return false;
    }
    std::memcpy(Config.Bytes(), bytes.data(), TKVXConfig::Size);
    return true;
}

bool SaveTemplate(const std::filesystem::path& Path, const TKVXConfig& Config, std::string& Error)
{
    std::filesystem::path temporary = Path;
    temporary += ".tmp";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) out.write(reinterpret_cast<const char*>(Config.Bytes()), TKVXConfig::Size);
        if (out) out.flush();
        if (!out) {
            Error = "Could not save " + Quoted(Path) + ": " + LastSystemError() + ".";
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, Path, ec);
    if (ec) {
        Error = "Could not save " + Quoted(Path) + ": " + ec.message() + ".";
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace kvx
