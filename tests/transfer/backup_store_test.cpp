// The backups' folder as the program's data folder gives it, their names, and which are kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <atomic>
#include <chrono>

#include "config/general_setup.h"
#include "transfer/backup_store.h"
#include "transfer/data_folder.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

class BackupStoreTest : public ::testing::Test {
protected:
    BackupStoreTest() : Folder(fs::temp_directory_path() / ("kvx-backup-store-" + std::to_string(std::random_device{}()))) {}
    ~BackupStoreTest() override { fs::remove_all(Folder); }

    // Each backup made a second after the one before, whatever the clock in its name says.
    fs::path Save(const std::u16string& UnitName, TLocalDateTime Time, const std::u16string& IMEI = u"")
    {
        TKVXConfig image = ErasedConfig();
        EncodeUnitID(image, UnitName);
        std::string reason;
        const auto saved = SaveBackup(Folder, image, IMEI, Time, reason);
        EXPECT_TRUE(saved) << reason;
        if (saved) fs::last_write_time(*saved, Made + std::chrono::seconds(++Count));
        return saved.value_or(fs::path());
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const TBackupFile& file : ListBackups(Folder)) names.push_back(file.Path.filename().string());
        return names;
    }

    fs::path Folder;
    fs::file_time_type Made = fs::file_time_type::clock::now() - std::chrono::hours(2);
    std::atomic<int> Count{0};
};

TEST(DataFolder, IsTheOneQtGivesTheProgramFromTheEnvironment)
{
    struct TCase {
        std::map<std::string, std::string> Environment;
        fs::path Expected;
    };
    const TCase cases[] = {
#ifdef _WIN32
        {{{"APPDATA", "C:\\Users\\me\\AppData\\Roaming"}}, "C:\\Users\\me\\AppData\\Roaming\\KVX"},
#else
        {{{"XDG_DATA_HOME", "/data/me"}, {"HOME", "/home/me"}}, "/data/me/KVX"},
        {{{"XDG_DATA_HOME", ""}, {"HOME", "/home/me"}}, "/home/me/.local/share/KVX"},
#endif
        {{}, ""},
    };
    for (const TCase& c : cases) {
        const fs::path folder = ProgramDataFolder([&](const char* name) {
            const auto found = c.Environment.find(name);
            return found == c.Environment.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(folder, c.Expected);
        EXPECT_EQ(BackupFolderIn(folder), c.Expected.empty() ? fs::path() : c.Expected / "backups");
    }
}

TEST_F(BackupStoreTest, NamedAfterTimeUnitAndIMEIAndListedByWhenTheyWereMade)
{
    const TLocalDateTime noon{2026, 3, 23, 12, 0, 0};
    Save(u"KVX Demo Site", noon);
    Save(u"Farm/gate: 2", {2026, 3, 23, 12, 0, 1}, u"356938035643809");
    Save(u"", noon);
    Save(u"KVX Demo Site", noon);  // a second in the same second is kept too
    Save(u"Barn", {2026, 3, 23, 11, 0, 0});  // made last, though the PC's clock went back
    std::ofstream(Folder / "notes.txt") << "not a backup";
    std::ofstream(Folder / "mine.kvx") << "not a backup either";
    EXPECT_EQ(Names(), (std::vector<std::string>{"20260323-110000_Barn.kvx", "20260323-120000-2_KVX-Demo-Site.kvx",
                                                 "20260323-120000_unnamed.kvx",
                                                 "20260323-120001_Farm-gate--2_356938035643809.kvx",
                                                 "20260323-120000_KVX-Demo-Site.kvx"}));
    const TBackupFile farm = ListBackups(Folder)[3];
    EXPECT_EQ(farm.UnitName, "Farm-gate--2");
    EXPECT_EQ(farm.IMEI, "356938035643809");
    EXPECT_EQ(farm.Unit(), "356938035643809");
    EXPECT_EQ(farm.Size, TKVXConfig::Size);
}

TEST_F(BackupStoreTest, KeepsTheNewest50OfEachUnitOnly)
{
    // The unit is its IMEI once known, so renaming it keeps counting the same backups.
    for (int i = 0; i < 52; ++i) Save(i % 2 ? u"Gate" : u"Gate 2", {2026, 3, 23, 10, i / 60, i % 60}, u"356938035643809");
    Save(u"Gate", {2025, 1, 1, 0, 0, 0});
    const std::vector<std::string> names = Names();
    EXPECT_EQ(names.size(), 51u);
    EXPECT_EQ(names.front(), "20250101-000000_Gate.kvx") << "another unit's backups are not counted";
    EXPECT_EQ(names[1], "20260323-100051_Gate_356938035643809.kvx");
    EXPECT_EQ(names.back(), "20260323-100002_Gate-2_356938035643809.kvx");
}

#ifndef _WIN32
TEST_F(BackupStoreTest, OnlyTheirOwnerCanReadThem)
{
    fs::create_directories(Folder);
    fs::permissions(Folder, fs::perms::all);  // as an older version left it
    const fs::path saved = Save(u"Gate", {2026, 3, 23, 10, 0, 0});
    EXPECT_EQ(fs::status(Folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(saved).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1) << "no temporary file left";
}
#endif

TEST_F(BackupStoreTest, TwoWritersInTheSameSecondNeverReplaceEachOthersBackups)
{
    // The program and kvxctl backing up units of the same name through two dongles at once.
    const auto writer = [this] {
        for (int i = 0; i < 20; ++i) Save(u"Gate", {2026, 3, 23, 10, 0, 0});
    };
    std::thread other(writer);
    writer();
    other.join();
    const std::vector<TBackupFile> files = ListBackups(Folder);
    EXPECT_EQ(files.size(), 40u);
    for (const TBackupFile& file : files) EXPECT_EQ(file.Size, TKVXConfig::Size) << file.Path;
}

TEST_F(BackupStoreTest, FolderIsCreatedAndProvenWritable)
{
    std::string reason;
    EXPECT_TRUE(PrepareBackupFolder(Folder / "a" / "backups", reason)) << reason;
    EXPECT_TRUE(fs::is_empty(Folder / "a" / "backups"));
    std::ofstream(Folder / "file") << "in the way";
    EXPECT_FALSE(PrepareBackupFolder(Folder / "file" / "backups", reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(PrepareBackupFolder(fs::path(), reason));
}

} // namespace
} // namespace kvx
