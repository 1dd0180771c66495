#include "sim/memory_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "link/kvx_frames.h"

namespace kvx::sim {

namespace fs = std::filesystem;

bool LoadMemoryFile(const std::string& Path, std::vector<uint8_t>& Memory, TMemoryFile& File, std::string& Error)
{
    std::error_code ec;
    if (!fs::exists(Path, ec) && !ec) {
        File = {Path, UnitMemorySize};
        return true;
    }
    const auto size = fs::file_size(Path, ec);
    if (ec) {
        Error = Path + ": " + ec.message();
        return false;
    }
    if (size != UnitMemorySize && size != TemplateFileSize) {
        Error = Path + ": " + std::to_string(size) + " bytes, neither 65536 (memory) nor 31872 (template)";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    std::ifstream in(Path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        Error = Path + ": cannot be read";
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), Memory.begin());
    File = {Path, bytes.size()};
    return true;
}

bool SaveMemoryFile(const TMemoryFile& File, const std::vector<uint8_t>& Memory, std::string& Error)
{
    // A file new in a folder not made yet (the program's data folder on a first run).
    std::error_code folderError;
    if (const fs::path folder = fs::path(File.Path).parent_path(); !folder.empty()) fs::create_directories(folder, folderError);
    const std::string temporary = File.Path + ".kvxsim-new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(Memory.data()), static_cast<std::streamsize>(File.SaveSize));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            Error = temporary + ": cannot be written";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, File.Path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        Error = File.Path + ": cannot be replaced";
        return false;
    }
    return true;
}

} // namespace kvx::sim
