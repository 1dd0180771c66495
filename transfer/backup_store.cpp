#include "transfer/backup_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <tuple>

#include "config/template_file.h"
#include "config/text_fields.h"
#include "config/whole_file.h"

namespace kvx {

namespace fs = std::filesystem;

namespace {

constexpr const char* Extension = ".kvx";
constexpr size_t StampLength = 15;  // "YYYYMMDD-HHMMSS"

std::string StampText(const TLocalDateTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.Year % 10000, t.Month % 100, t.Day % 100,
                  t.Hour % 100, t.Minute % 100, t.Second % 100);
    return text;
}

// "20260323-140509[-N]_Unit.kvx": the time, the number of a second backup in the same
// second, the unit name.
struct TBackupName {
    TLocalDateTime Time;
    unsigned Sequence = 1;
    std::string UnitName;

    // Newest last; the unit name only keeps the listing the same from run to run.
    auto Order() const
    {
        return std::tie(Time.Year, Time.Month, Time.Day, Time.Hour, Time.Minute, Time.Second, Sequence, UnitName);
    }
};

bool Digits(const std::string& Text, size_t From, size_t Count, int& Value)
{
    Value = 0;
    for (size_t i = From; i < From + Count; ++i) {
        if (i >= Text.size() || !std::isdigit(static_cast<unsigned char>(Text[i]))) return false;
        Value = Value * 10 + (Text[i] - '0');
    }
    return true;
}

std::optional<TBackupName> ParseBackupName(const fs::path& Path)
{
    if (Path.extension() != Extension) return std::nullopt;
    const std::string stem = Path.stem().string();
    const size_t split = stem.find('_');
    if (split == std::string::npos || split < StampLength || split + 1 == stem.size() || stem[8] != '-') return std::nullopt;
    TBackupName name;
    TLocalDateTime& t = name.Time;
    if (!Digits(stem, 0, 4, t.Year) || !Digits(stem, 4, 2, t.Month) || !Digits(stem, 6, 2, t.Day) ||
        !Digits(stem, 9, 2, t.Hour) || !Digits(stem, 11, 2, t.Minute) || !Digits(stem, 13, 2, t.Second))
        return std::nullopt;
    if (split > StampLength) {
        int sequence = 0;
        if (stem[StampLength] != '-' || !Digits(stem, StampLength + 1, split - StampLength - 1, sequence))
            return std::nullopt;
        name.Sequence = static_cast<unsigned>(sequence);
    }
    name.UnitName = stem.substr(split + 1);
    return name;
}

std::string FileName(const std::string& Stamp, unsigned Sequence, const std::string& UnitName)
{
    return Stamp + (Sequence > 1 ? "-" + std::to_string(Sequence) : "") + "_" + UnitName + Extension;
}

} // namespace

bool PrepareBackupFolder(const fs::path& Folder, std::string& Reason)
{
    if (Folder.empty()) {
        Reason = "There is no folder for backups";
        return false;
    }
    std::error_code ec;
    fs::create_directories(Folder, ec);
    if (ec) {
        Reason = ec.message();
        return false;
    }
    const fs::path probe = Folder / ".write-test";
    const bool written = static_cast<bool>(std::ofstream(probe, std::ios::binary | std::ios::trunc) << 'x');
    fs::remove(probe, ec);
    if (!written) Reason = "Files cannot be written there";
    return written;
}

std::string BackupUnitName(const TKVXConfig& Image)
{
    std::string name;
    for (char16_t c : ReadText(Image.UnitID)) {
        const bool plain = c < 0x80 && std::isalnum(static_cast<unsigned char>(c));
        name += plain ? static_cast<char>(c) : '-';
    }
    return name.empty() ? "unnamed" : name;
}

std::optional<fs::path> SaveBackup(const fs::path& Folder, const TKVXConfig& Image, const TLocalDateTime& Now,
                                   std::string& Reason)
{
    std::error_code created;
    fs::create_directories(Folder, created);
    const std::string unit = BackupUnitName(Image);
    const std::string stamp = StampText(Now);
    // The name is taken before the bytes go in: the program and kvxctl may back up a unit of
    // the same name in the same second, and neither may replace the other's backup.
    fs::path path;
    for (unsigned sequence = 1;; ++sequence) {
        path = Folder / FileName(stamp, sequence, unit);
        std::error_code ec;
        if (CreateNewEmptyFile(path, ec)) break;
        if (ec != std::errc::file_exists) {
            Reason = ec.message();
            return std::nullopt;
        }
    }
    if (!SaveTemplate(path, Image, Reason)) {
        std::error_code ignored;
        fs::remove(path, ignored);
        return std::nullopt;
    }

    // Only now that the new backup is safe may the oldest go.
    std::vector<TBackupFile> same;
    for (TBackupFile& file : ListBackups(Folder))
        if (file.UnitName == unit) same.push_back(std::move(file));
    for (size_t i = BackupsKeptPerUnit; i < same.size(); ++i) {
        std::error_code ignored;
        if (same[i].Path != path) fs::remove(same[i].Path, ignored);
    }
    return path;
}

std::vector<TBackupFile> ListBackups(const fs::path& Folder)
{
    std::vector<std::pair<TBackupName, TBackupFile>> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const auto name = ParseBackupName(entry.path());
        if (!name) continue;
        found.push_back({*name, {entry.path(), name->UnitName, name->Time, entry.file_size(ec)}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first.Order() > b.first.Order(); });
    std::vector<TBackupFile> files;
    for (auto& [name, file] : found) files.push_back(std::move(file));
    return files;
}

} // namespace kvx
