#include "transfer/backup_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
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

// Letters and digits stay, anything else becomes "-": no "_", which parts the name.
template <typename TText>
std::string FileNamePart(const TText& Text)
{
    std::string part;
    for (auto c : Text) {
        const bool plain = static_cast<uint32_t>(c) < 0x80 && std::isalnum(static_cast<unsigned char>(c));
        part += plain ? static_cast<char>(c) : '-';
    }
    return part;
}

// "20260323-140509[-N]_Unit[_IMEI].kvx": the time, the number of a second backup in the
// same second, the unit name, the IMEI.
struct TBackupName {
    TLocalDateTime Time;
    unsigned Sequence = 1;
    std::string UnitName;
    std::string IMEI;
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
    if (const size_t imei = name.UnitName.find('_'); imei != std::string::npos) {
        name.IMEI = name.UnitName.substr(imei + 1);
        name.UnitName.resize(imei);
        if (name.UnitName.empty() || name.IMEI.empty() || name.IMEI.find('_') != std::string::npos) return std::nullopt;
    }
    return name;
}

std::string FileName(const std::string& Stamp, unsigned Sequence, const std::string& UnitName, const std::string& IMEI)
{
    return Stamp + (Sequence > 1 ? "-" + std::to_string(Sequence) : "") + "_" + UnitName +
           (IMEI.empty() ? "" : "_" + IMEI) + Extension;
}

} // namespace

bool PrepareBackupFolder(const fs::path& Folder, std::string& Reason)
{
    if (Folder.empty()) {
        Reason = "There is no folder for backups";
        return false;
    }
    std::error_code ec;
    if (!MakePrivateFolder(Folder, ec)) {
        Reason = ec.message();
        return false;
    }
    const fs::path probe = Folder / ".write-test";
    const bool written = SaveNewPrivateFile(probe, "x", ec) || ec == std::errc::file_exists;
    std::error_code ignored;
    fs::remove(probe, ignored);
    if (!written) Reason = "Files cannot be written there (" + ec.message() + ")";
    return written;
}

std::string BackupUnitName(const TKVXConfig& Image)
{
    const std::string name = FileNamePart(ReadText(Image.UnitID));
    return name.empty() ? "unnamed" : name;
}

std::optional<fs::path> SaveBackup(const fs::path& Folder, const TKVXConfig& Image, const std::u16string& IMEI,
                                   const TLocalDateTime& Now, std::string& Reason)
{
    std::error_code ec;
    if (!MakePrivateFolder(Folder, ec)) {
        Reason = ec.message();
        return std::nullopt;
    }
    TKVXConfig saved = Image;
    ErasePassword(saved);
    const std::string_view bytes(reinterpret_cast<const char*>(saved.Bytes()), TKVXConfig::Size);
    const std::string unit = BackupUnitName(Image);
    const std::string imei = FileNamePart(IMEI);
    const std::string stamp = StampText(Now);
    // The program and kvxctl may back up a unit of the same name in the same second, and
    // neither may replace the other's backup.
    fs::path path;
    for (unsigned sequence = 1;; ++sequence) {
        path = Folder / FileName(stamp, sequence, unit, imei);
        if (SaveNewPrivateFile(path, bytes, ec)) break;
        if (ec != std::errc::file_exists) {
            Reason = ec.message();
            return std::nullopt;
        }
    }

    // Only now that the new backup is safe may the oldest go.
    const std::string& key = imei.empty() ? unit : imei;
    size_t kept = 0;
    for (const TBackupFile& file : ListBackups(Folder)) {
        if (file.Unit() != key) continue;
        if (++kept <= BackupsKeptPerUnit || file.Path == path) continue;
        fs::remove(file.Path, ec);
    }
    return path;
}

std::vector<TBackupFile> ListBackups(const fs::path& Folder)
{
    std::vector<std::pair<TBackupName, TBackupFile>> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        auto name = ParseBackupName(entry.path());
        if (!name) continue;
        TBackupFile file{entry.path(), name->UnitName, name->IMEI, name->Time, entry.last_write_time(ec), entry.file_size(ec)};
        found.push_back({std::move(*name), std::move(file)});
    }
    // By when they were made: the PC's clock in a name may have gone back (summer time's end,
    // a corrected clock). Within one tick of the file clock, by the name's time and number.
    const auto order = [](const auto& entry) {
        const TLocalDateTime& t = entry.first.Time;
        return std::tie(entry.second.Made, t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, entry.first.Sequence,
                        entry.second.Path);
    };
    std::sort(found.begin(), found.end(), [&](const auto& a, const auto& b) { return order(a) > order(b); });
    std::vector<TBackupFile> files;
    for (auto& [name, file] : found) files.push_back(std::move(file));
    return files;
}

} // namespace kvx
