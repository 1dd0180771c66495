// The backups' folder as the program's data folder gives it, their names, and which are kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>

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

    fs::path Save(const std::u16string& UnitName, TLocalDateTime Time)
    {
        TKVXConfig image = ErasedConfig();
        EncodeUnitID(image, UnitName);
        std::string reason;
        const auto saved = SaveBackup(Folder, image, Time, reason);
        EXPECT_TRUE(saved) << reason;
        return saved.value_or(fs::path());
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const TBackupFile& file : ListBackups(Folder)) names.push_back(file.Path.filename().string());
        return names;
    }

    fs::path Folder;
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

TEST_F(BackupStoreTest, NamedAfterTimeAndUnitAndListedNewestFirst)
{
    const TLocalDateTime noon{2026, 3, 23, 12, 0, 0};
    Save(u"KVX Demo Site", noon);
    Save(u"Farm/gate: 2", {2026, 3, 23, 12, 0, 1});
    Save(u"", noon);
    Save(u"KVX Demo Site", noon);  // a second in the same second is kept too
    std::ofstream(Folder / "notes.txt") << "not a backup";
    std::ofstream(Folder / "mine.kvx") << "not a backup either";
    EXPECT_EQ(Names(), (std::vector<std::string>{"20260323-120001_Farm-gate--2.kvx", "20260323-120000-2_KVX-Demo-Site.kvx",
                                                 "20260323-120000_unnamed.kvx", "20260323-120000_KVX-Demo-Site.kvx"}));
    const TBackupFile newest = ListBackups(Folder).front();
    EXPECT_EQ(newest.UnitName, "Farm-gate--2");
    EXPECT_EQ(newest.Size, TKVXConfig::Size);
}

TEST_F(BackupStoreTest, KeepsTheNewest50OfEachUnitOnly)
{
    for (int i = 0; i < 52; ++i) Save(u"Gate", {2026, 3, 23, 10, i / 60, i % 60});
    Save(u"Barn", {2025, 1, 1, 0, 0, 0});
    const std::vector<std::string> names = Names();
    EXPECT_EQ(names.size(), 51u);
    EXPECT_EQ(names.front(), "20260323-100051_Gate.kvx");
    EXPECT_EQ(names[49], "20260323-100002_Gate.kvx");
    EXPECT_EQ(names.back(), "20250101-000000_Barn.kvx") << "another unit's backups are not counted";
}

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
