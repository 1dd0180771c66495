// The device object over the USB link over the simulator, loaded through the same binding
// as the vendor library: whole transfers, every injected fault, plugging and overrun.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "link/crc8.h"
#include "link/kvx.h"
#include "link/siusbxp_library.h"
#include "link/usbxpress.h"
#include "tests/support/simulated_unit.h"
#include "link/new_password.h"
#include "link/password_gate.h"
#include "transfer/backup_store.h"
#include "transfer/memory_compare.h"
#include "transfer/unit_write.h"

namespace kvx {
namespace {

// The file's bytes, its handle closed again (Windows refuses to delete an open file).
std::vector<uint8_t> FileBytes(const std::filesystem::path& Path)
{
    std::ifstream file(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class SimTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        Library = TSiUSBXpLibrary::Load(KVXSIM_LIBRARY, error);
        ASSERT_NE(Library, nullptr) << error;
        Control = reinterpret_cast<KVXSIM_Control_t>(Library->FindFunction(KVXSIM_CONTROL_NAME));
        ASSERT_NE(Control, nullptr);
        test::StartSimulatedUnit(Control, Pump);
        auto link = std::make_unique<TUSBXpress>(Library->Api());
        Link = link.get();
        Kvx = std::make_unique<TKVX>(std::move(link), Pump, [] { return TLocalDateTime{2026, 3, 23, 14, 5, 9}; });
        Kvx->OnError = [this](uint8_t code) { Errors.push_back(code); };
        Kvx->OnDeviceConnect = [this] { ++Connects; };
        Kvx->OnDeviceDisconnect = [this] { ++Disconnects; };
        Link->PollDevices();
        ASSERT_TRUE(Kvx->DeviceConnected());
    }

    void TearDown() override
    {
        Kvx.reset();
        if (Control) Control("reset", "");
    }

    int Count(const char* command) { return Control("count", command); }

    // Lets Milliseconds pass; with Listen, the status frames that arrive reach the device object.
    void Wait(uint32_t Milliseconds, bool Listen)
    {
        for (uint32_t waited = 0; waited < Milliseconds; waited += 500) {
            Pump.Pause(500);
            Pump.ProcessMessages();
            if (Listen) Link->PollRX();
        }
    }

    std::filesystem::path TemporaryFolder(const char* Name) const
    {
        return std::filesystem::temp_directory_path() / (Name + std::to_string(std::random_device{}()));
    }

    std::vector<uint8_t> UnitBytes(size_t offset, size_t count)
    {
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < count; ++i)
            bytes.push_back(static_cast<uint8_t>(Control("peek", std::to_string(offset + i).c_str())));
        return bytes;
    }

    static std::string Text(const TKVXLabel& label)
    {
        return std::string(reinterpret_cast<const char*>(label.Data), sizeof label.Data).c_str();
    }

    std::unique_ptr<TSiUSBXpLibrary> Library;
    KVXSIM_Control_t Control = nullptr;
    test::TFakePump Pump;
    TUSBXpress* Link = nullptr;
    std::unique_ptr<TKVX> Kvx;
    std::vector<uint8_t> Errors;
    int Connects = 0;
    int Disconnects = 0;
};

TEST_F(SimTransferTest, WrittenImageReadsBackEqual)
{
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    EXPECT_EQ(Text(image->UnitID), "KVX Demo Site   ");
    EXPECT_EQ(image->Relay8PulseTime.Value(), 120);

    std::fill_n(image->UnitID.Data, 16, uint8_t{'Z'});
    image->Relay1PulseTime.SetValue(1000);
    image->ShortCuts[639] = 0x42;
    Kvx->SessionPassword = u"open sesame";
    ASSERT_EQ(Kvx->WriteConfig(image.get()), TKVXResult::OK);

    auto back = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(back.get()), TKVXResult::OK);
    EXPECT_EQ(back->Bytes()[0], 0xFF); // every full write marks byte 0
    EXPECT_TRUE(std::equal(image->Bytes() + 1, image->Bytes() + TKVXConfig::Size, back->Bytes() + 1));
    EXPECT_EQ(UnitBytes(1792, 12), std::vector<uint8_t>({'o', 'p', 'e', 'n', ' ', 's', 'e', 's', 'a', 'm', 'e', ' '}));
    EXPECT_EQ(Count("enter-config"), 3);
    EXPECT_EQ(Count("exit-config"), 3);
    EXPECT_EQ(Count("begin-transfer"), 3);
    EXPECT_EQ(Control("config-mode", ""), 0);
    EXPECT_EQ(Control("rts", ""), 0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SimTransferTest, PasswordRoundTripsThroughItsPage)
{
    std::u16string password;
    ASSERT_EQ(Kvx->ReadPassword(password), TKVXResult::OK);
    EXPECT_EQ(password, u"");
    ASSERT_EQ(Kvx->WritePassword(u"secret"), TKVXResult::OK);
    ASSERT_EQ(Kvx->ReadPassword(password), TKVXResult::OK);
    EXPECT_EQ(password, u"secret");
    EXPECT_EQ(Control("peek", "1823"), ' ');
    EXPECT_EQ(Count("begin-transfer"), 0);
}

TEST_F(SimTransferTest, EveryFaultGivesItsCodeAndTheUnitIsStillAskedToLeave)
{
    struct TCase {
        const char* Fault;
        bool Write;
        TKVXResult Code;
    };
    const TCase cases[] = {
        {"drop-reply@enter", false, TKVXResult::NoConfigMode},
        {"wrong-ack@begin", false, TKVXResult::NoBeginTransfer},
        {"drop-reply", false, TKVXResult::PageReadFailed},
        {"bad-crc", false, TKVXResult::PageReadFailed},
        {"wrong-ack@read", false, TKVXResult::PageReadFailed},
        {"stop-after-page=100", false, TKVXResult::PageReadFailed},
        {"drop-reply@exit", false, TKVXResult::NoExitConfig},
        {"stray@all", false, TKVXResult::OK},
        {"wrong-ack", true, TKVXResult::PageWriteFailed},
        {"bad-crc@write", true, TKVXResult::PageWriteFailed},
        {"stop-after-page=3", true, TKVXResult::PageWriteFailed},
    };
    auto image = std::make_unique<TKVXConfig>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fault);
        // A write needs what lies above the image; a failed write leaves it unknown.
        if (c.Write) {
            ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
        }
        ASSERT_EQ(Control("fault", c.Fault), 0);
        const int exitsBefore = Count("exit-config");
        auto target = std::make_unique<TKVXConfig>();
        std::fill_n(target->Bytes(), TKVXConfig::Size, uint8_t{0x5A});
        EXPECT_EQ(c.Write ? Kvx->WriteConfig(target.get()) : Kvx->ReadConfig(target.get()), c.Code);
        EXPECT_GT(Count("exit-config"), exitsBefore);
        ASSERT_EQ(Control("fault", "none"), 0);
        EXPECT_EQ(Control("config-mode", ""), 0); // a lost reply still left the unit in normal operation
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SimTransferTest, RefusedWriteLeavesTheUnitUnchanged)
{
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    const auto before = UnitBytes(0, 300);
    ASSERT_EQ(Control("fault", "wrong-ack@write"), 0);
    std::fill_n(image->Bytes(), TKVXConfig::Size, uint8_t{0x00});
    EXPECT_EQ(Kvx->WriteConfig(image.get()), TKVXResult::PageWriteFailed);
    EXPECT_EQ(UnitBytes(0, 300), before);

    // A write cut off part way keeps the pages it finished, and no more.
    ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    std::fill_n(image->Bytes(), TKVXConfig::Size, uint8_t{0x00});
    ASSERT_EQ(Control("fault", "stop-after-page=2"), 0);
    EXPECT_EQ(Kvx->WriteConfig(image.get()), TKVXResult::PageWriteFailed);
    EXPECT_EQ(Control("peek", "255"), 0x00);
    EXPECT_EQ(UnitBytes(256, 44), std::vector<uint8_t>(before.begin() + 256, before.end()));
}

// Every write, whatever becomes of it, leaves a backup of what the unit held just before.
TEST_F(SimTransferTest, WriteBacksUpWhatTheUnitHeldThenVerifiesAndNamesWhatTheUnitChanged)
{
    struct TCase {
        const char* Fault;
        bool Verify;
        TWriteStep Step;
        const char* FirstDifference;
    };
    const TCase cases[] = {
        {"none", true, TWriteStep::Done, ""},
        {"none", false, TWriteStep::Done, ""},
        {"corrupt-byte=178", true, TWriteStep::Verify, "UnitID"},
        {"corrupt-byte=28930", true, TWriteStep::Verify, "DistributeMessages[IP1H]"},
        {"corrupt-byte=40000", true, TWriteStep::Verify, "AboveImage[+8128]"},  // everything sent is verified
        {"stop-after-page=88", true, TWriteStep::Write, ""},  // half way: the unit holds part of each
        {"none", true, TWriteStep::Done, ""},                 // so the backup must come from a read
    };
    const auto folder = std::filesystem::temp_directory_path() / ("kvx-backups-" + std::to_string(std::random_device{}()));
    const auto image = std::make_unique<TKVXConfig>(ErasedConfig());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TCase& c = cases[i];
        SCOPED_TRACE(std::to_string(i) + " " + c.Fault);
        std::vector<uint8_t> held = UnitBytes(0, TKVXConfig::Size);
        std::fill_n(held.begin() + 1792, 32, uint8_t{0xFF});  // a file never holds the password
        image->UnitID[0] = static_cast<uint8_t>('A' + i);
        ASSERT_EQ(Control("fault", c.Fault), 0);
        const int readsBefore = Count("read-page");

        const TUnitWriteResult result =
            BackUpWriteAndVerify(*Kvx, *image, {folder, [i] { return TLocalDateTime{2026, 3, 23, 14, 5, int(i)}; }, c.Verify});
        EXPECT_EQ(result.Step, c.Step);
        EXPECT_EQ(result.Verified, c.Step == TWriteStep::Done && c.Verify);
        EXPECT_EQ(result.PartlyWritten(), c.Step == TWriteStep::Write);
        EXPECT_EQ(result.Differences.empty() ? "" : result.Differences.front().Name, c.FirstDifference);
        EXPECT_EQ(FileBytes(result.BackupFile), held);
        if (!c.Verify) {
            EXPECT_EQ(Count("read-page"), readsBefore) << "no read-back, and the unit was known";
        }
        ASSERT_EQ(Control("fault", "none"), 0);
    }
    EXPECT_EQ(ListBackups(folder).size(), std::size(cases));
    std::filesystem::remove_all(folder);
}

// The dongle's cable moved to another unit after a read: the write reads that unit before its
// backup, and counts the pages to send against it, never against the first unit's memory.
TEST_F(SimTransferTest, CableMovedToAnotherUnitIsReadBeforeItsBackupAndGetsNothingOfTheFirst)
{
    struct TCase {
        const char* Name;
        bool Swap;
        uint32_t WaitMs;
        bool Listen;   // the status frames reach the device object
        bool ReadBefore;
    };
    const TCase cases[] = {
        {"same unit, talking", false, 3000, true, false},
        {"another IMEI", true, 1000, true, true},
        {"silence long enough for a cable move", true, 3000, false, true},
        {"silent while the same unit stays", false, 3000, false, true},  // no proof it stayed
        {"reconnect", true, 0, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Control("unplug", "");
        Link->PollDevices();
        Control("reset", "");  // the first unit, plugged in again
        test::StartSimulatedUnit(Control, Pump);
        Link->PollDevices();
        Wait(1500, true);  // the unit has said who it is
        auto image = std::make_unique<TKVXConfig>();
        ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
        ASSERT_EQ(Text(image->UnitID), "KVX Demo Site   ");
        if (c.Swap) Control("swap-unit", "");
        if (std::string(c.Name) == "reconnect") {
            Control("unplug", "");
            Link->PollDevices();
            Control("plug", "");
            Link->PollDevices();
        }
        Wait(c.WaitMs, c.Listen);
        EXPECT_EQ(Kvx->UnitMemoryKnown(), !c.ReadBefore);
        const std::vector<uint8_t> before = UnitBytes(0, UnitMemorySize);

        image->Relay1PulseTime.SetValue(77);  // an edit of the first unit's image
        const int reads = Count("read-page");
        const auto folder = TemporaryFolder("kvx-moved-");
        const TUnitWriteResult result =
            BackUpWriteAndVerify(*Kvx, *image, {folder, SystemLocalDateTime, true, TWriteScope::ChangedPages});
        ASSERT_EQ(result.Step, TWriteStep::Done);
        EXPECT_EQ(Count("read-page") - reads, (c.ReadBefore ? 512 : 0) + int(result.PagesToSend));

        std::vector<uint8_t> held(before.begin(), before.begin() + TKVXConfig::Size);
        std::fill_n(held.begin() + 1792, 32, uint8_t{0xFF});
        EXPECT_EQ(FileBytes(result.BackupFile), held) << "the backup is of the unit attached";
        const std::vector<uint8_t> after = UnitBytes(0, UnitMemorySize);
        EXPECT_TRUE(std::equal(before.begin() + TKVXConfig::Size, before.end(), after.begin() + TKVXConfig::Size))
            << "the memory above the image stays the attached unit's";
        std::filesystem::remove_all(folder);
    }
}

// A changed-pages write leaves the unit byte for byte as a full write would, whatever the edit.
TEST_F(SimTransferTest, ChangedPagesWriteLeavesWhatAFullWriteWouldAndVerifiesThosePages)
{
    struct TCase {
        const char* Name;
        size_t Edits;     // random bytes changed
        size_t Spread;    // over the first Spread bytes of the image
        bool AllPages;    // more than half the pages differ: a full write
    };
    const TCase cases[] = {
        {"one field", 1, TKVXConfig::Size, false},
        {"one page", 40, PageSize, false},
        {"a few pages", 12, TKVXConfig::Size, false},
        {"many pages", 2000, TKVXConfig::Size, true},
        {"nothing", 0, TKVXConfig::Size, false},
    };
    std::mt19937 random(20);
    const auto folder = TemporaryFolder("kvx-changed-");
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const size_t from = c.Spread == PageSize ? 40 * PageSize : 0;
        for (size_t i = 0; i < c.Edits; ++i)
            image->Bytes()[from + random() % c.Spread] ^= static_cast<uint8_t>(1 + random() % 255);
        std::vector<uint8_t> expected = UnitBytes(0, UnitMemorySize);
        TKVXConfig marked = *image;
        MarkImageForUnit(marked, Kvx->SessionPassword);
        std::copy(marked.Bytes(), marked.Bytes() + TKVXConfig::Size, expected.begin());
        const size_t differing = ChangedPages(UnitBytes(0, UnitMemorySize).data(), expected.data()).size();
        const int writes = Count("write-page");
        const int reads = Count("read-page");

        const TUnitWriteResult result =
            BackUpWriteAndVerify(*Kvx, *image, {folder, SystemLocalDateTime, true, TWriteScope::ChangedPages});
        EXPECT_EQ(result.Step, TWriteStep::Done);
        EXPECT_TRUE(result.Verified);
        EXPECT_EQ(UnitBytes(0, UnitMemorySize), expected);
        const size_t sent = c.AllPages ? PageCount : differing;
        EXPECT_EQ(result.PagesToSend, sent);
        EXPECT_EQ(size_t(Count("write-page") - writes), sent);
        EXPECT_EQ(size_t(Count("read-page") - reads), sent) << "exactly the pages written are read back";
        EXPECT_TRUE(Kvx->UnitMemoryKnown());
    }
    std::filesystem::remove_all(folder);
}

// A unit without a password is written without one, whatever password another unit had.
TEST_F(SimTransferTest, PasswordProvenOnOneUnitNeverReachesAnother)
{
    ASSERT_EQ(Control("password", "secret"), 0);
    const auto typed = []() -> std::optional<std::u16string> { return u"secret"; };
    ASSERT_EQ(ProveUnitPassword(*Kvx, typed).Outcome, TPasswordOutcome::Proven);
    ASSERT_EQ(Control("swap-unit", ""), 0);
    const auto asked = []() -> std::optional<std::u16string> {
        ADD_FAILURE() << "a unit without a password asks for none";
        return std::nullopt;
    };
    ASSERT_EQ(ProveUnitPassword(*Kvx, asked).Outcome, TPasswordOutcome::Proven);
    auto image = std::make_unique<TKVXConfig>(ErasedConfig());
    ASSERT_EQ(Kvx->WriteConfig(image.get()), TKVXResult::OK);
    EXPECT_EQ(UnitBytes(1792, 32), std::vector<uint8_t>(32, ' '));
}

// A password the unit would store as something else is refused before anything is written,
// and a password counts as set only once the unit gives it back.
TEST_F(SimTransferTest, NewPasswordIsTakenOnlyWhenTheUnitGivesItBack)
{
    struct TCase {
        std::u16string Password;
        const char16_t* Problem;
        const char* Fault;
        TPasswordStore Outcome;
    };
    const TCase cases[] = {
        {u"pässwort", PasswordNotASCIIMessage, "none", TPasswordStore::Stored},
        {u"tab	here", PasswordNotASCIIMessage, "none", TPasswordStore::Stored},
        {std::u16string(33, u'x'), PasswordTooLongMessage, "none", TPasswordStore::Stored},
        {u" secret", PasswordBlankEdgeMessage, "none", TPasswordStore::Stored},
        {u"secret ", PasswordBlankEdgeMessage, "none", TPasswordStore::Stored},
        {u"Gate 12 ~!@#", nullptr, "none", TPasswordStore::Stored},
        {std::u16string(32, u'z'), nullptr, "none", TPasswordStore::Stored},
        {u"", nullptr, "none", TPasswordStore::Stored},
        {u"weak cell", nullptr, "corrupt-byte=1795", TPasswordStore::NotKept},
        {u"refused", nullptr, "wrong-ack@write", TPasswordStore::WriteFailed},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Password.begin(), c.Password.end()));
        const auto problem = NewPasswordProblem(c.Password);
        EXPECT_EQ(problem.value_or(u""), c.Problem ? c.Problem : u"");
        if (problem) continue;
        ASSERT_EQ(Control("fault", c.Fault), 0);
        EXPECT_EQ(StoreNewPassword(*Kvx, c.Password).Outcome, c.Outcome);
        ASSERT_EQ(Control("fault", "none"), 0);
    }
}

TEST_F(SimTransferTest, WriteWhoseBackupCannotBeSavedWritesNothing)
{
    // A file where the backups' folder would go.
    const auto blocked = std::filesystem::temp_directory_path() / ("kvx-no-folder-" + std::to_string(std::random_device{}()));
    std::ofstream(blocked) << "in the way";
    const TUnitWriteResult result = BackUpWriteAndVerify(*Kvx, ErasedConfig(), {blocked / "backups"});
    std::filesystem::remove(blocked);
    EXPECT_EQ(result.Step, TWriteStep::Backup);
    EXPECT_FALSE(result.BackupReason.empty());
    EXPECT_EQ(Count("write-page"), 0);
}

TEST_F(SimTransferTest, UnplugAndPlugReachTheDeviceObject)
{
    ASSERT_EQ(Control("unplug", ""), 0);
    Link->PollDevices();
    EXPECT_EQ(Disconnects, 1);
    EXPECT_FALSE(Kvx->DeviceConnected());
    EXPECT_EQ(Control("open", ""), 0);

    ASSERT_EQ(Control("plug", ""), 0);
    Link->PollDevices();
    EXPECT_EQ(Connects, 2);
    EXPECT_TRUE(Kvx->DeviceConnected());
    EXPECT_EQ(Control("open", ""), 1);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SimTransferTest, DonglePulledDuringAReadFailsItAndLeavesNoUnitInConfigurationMode)
{
    Kvx->SetProgressBarPosition = [this](uint16_t page) {
        if (page == 100) Control("unplug", "");
    };
    auto image = std::make_unique<TKVXConfig>();
    EXPECT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::NoExitConfig);
    EXPECT_NE(std::find(Errors.begin(), Errors.end(), SI_DEVICE_IO_FAILED), Errors.end());
    EXPECT_EQ(Control("config-mode", ""), 0);
    Link->PollDevices();
    EXPECT_EQ(Disconnects, 1);
}

TEST_F(SimTransferTest, StatusFramesArriveAndSetTimeReachesTheUnitClock)
{
    std::vector<uint8_t> received;
    Kvx->OnRxData = [&](uint32_t count) {
        received.insert(received.end(), Kvx->RXBuffer.begin(), Kvx->RXBuffer.begin() + count);
    };
    ASSERT_EQ(Control("advance", "1000"), 0);
    Link->PollRX();
    ASSERT_GE(received.size(), 4u * 32);
    ASSERT_EQ(received.size() % 32, 0u);
    for (size_t at = 0; at < received.size(); at += 32) {
        EXPECT_EQ(Crc8Maxim(received.data() + at + 1, 30), received[at + 31]);
        EXPECT_TRUE(received[at] >= 1 && received[at] <= 6);
    }
    EXPECT_EQ(Control("queued", ""), 0);

    Kvx->SetTime();
    EXPECT_EQ(Control("unit-time", ""), 140509);
    EXPECT_EQ(Control("unit-date", ""), 260323);
}

TEST_F(SimTransferTest, OverrunIsFlushedAndReported)
{
    int deliveries = 0;
    Kvx->OnRxData = [&](uint32_t) { ++deliveries; };
    ASSERT_EQ(Control("fault", "overrun"), 0);
    Link->PollRX();
    EXPECT_EQ(deliveries, 0);
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_RX_QUEUE_NOT_READY});
    EXPECT_EQ(Control("queued", ""), 0);

    // The next read is not disturbed by what was lost.
    auto image = std::make_unique<TKVXConfig>();
    EXPECT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
}

TEST_F(SimTransferTest, TimingModelStretchesAFullReadOverVirtualTime)
{
    ASSERT_EQ(Control("baud", "115200"), 0);
    auto image = std::make_unique<TKVXConfig>();
    EXPECT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    EXPECT_EQ(Text(image->UnitID), "KVX Demo Site   ");
    // 512 pages of 6 bytes out and 132 back at 115200 baud: about 6 s on the line.
    EXPECT_GE(Pump.Now, 6000u);
    EXPECT_LT(Pump.Now, 8000u);
}

} // namespace
} // namespace kvx
