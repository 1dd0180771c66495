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
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"

namespace kvx {
namespace {

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
    ASSERT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
    EXPECT_EQ(Text(image->UnitID), "KVX Demo Site   ");
    EXPECT_EQ(image->Relay8PulseTime.Value(), 120);

    std::fill_n(image->UnitID.Data, 16, uint8_t{'Z'});
    image->Relay1PulseTime.SetValue(1000);
    image->ShortCuts[639] = 0x42;
    Kvx->SessionPassword = u"open sesame";
    ASSERT_EQ(Kvx->WriteConfig(image.get()), ResultOK);

    auto back = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(back.get()), ResultOK);
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
    ASSERT_EQ(Kvx->ReadPassword(password), ResultOK);
    EXPECT_EQ(password, u"");
    ASSERT_EQ(Kvx->WritePassword(u"secret"), ResultOK);
    ASSERT_EQ(Kvx->ReadPassword(password), ResultOK);
    EXPECT_EQ(password, u"secret");
    EXPECT_EQ(Control("peek", "1823"), ' ');
    EXPECT_EQ(Count("begin-transfer"), 0);
}

TEST_F(SimTransferTest, EveryFaultGivesItsCodeAndTheUnitIsStillAskedToLeave)
{
    struct TCase {
        const char* Fault;
        bool Write;
        uint8_t Code;
    };
    const TCase cases[] = {
        {"drop-reply@enter", false, ResultNoConfigMode},
        {"wrong-ack@begin", false, ResultNoBeginTransfer},
        {"drop-reply", false, ResultPageReadFailed},
        {"bad-crc", false, ResultPageReadFailed},
        {"wrong-ack@read", false, ResultPageReadFailed},
        {"stop-after-page=100", false, ResultPageReadFailed},
        {"drop-reply@exit", false, ResultNoExitConfig},
        {"stray@all", false, ResultOK},
        {"wrong-ack", true, ResultPageWriteFailed},
        {"bad-crc@write", true, ResultPageWriteFailed},
        {"stop-after-page=3", true, ResultPageWriteFailed},
    };
    auto image = std::make_unique<TKVXConfig>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fault);
        // A write needs what lies above the image; a failed write leaves it unknown.
        if (c.Write) {
            ASSERT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
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
    ASSERT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
    const auto before = UnitBytes(0, 300);
    ASSERT_EQ(Control("fault", "wrong-ack@write"), 0);
    std::fill_n(image->Bytes(), TKVXConfig::Size, uint8_t{0x00});
    EXPECT_EQ(Kvx->WriteConfig(image.get()), ResultPageWriteFailed);
    EXPECT_EQ(UnitBytes(0, 300), before);

    // A write cut off part way keeps the pages it finished, and no more.
    ASSERT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
    std::fill_n(image->Bytes(), TKVXConfig::Size, uint8_t{0x00});
    ASSERT_EQ(Control("fault", "stop-after-page=2"), 0);
    EXPECT_EQ(Kvx->WriteConfig(image.get()), ResultPageWriteFailed);
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
        EXPECT_EQ(result.Differences.empty() ? "" : result.Differences.front().Name, c.FirstDifference);
        std::ifstream backup(result.BackupFile, std::ios::binary);
        EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(backup), {}), held);
        if (!c.Verify) {
            EXPECT_EQ(Count("read-page"), readsBefore) << "no read-back, and the unit was known";
        }
        ASSERT_EQ(Control("fault", "none"), 0);
    }
    EXPECT_EQ(ListBackups(folder).size(), std::size(cases));
    std::filesystem::remove_all(folder);
}

TEST_F(SimTransferTest, WriteWhoseBackupCannotBeSavedWritesNothing)
{
    // A file where the backups' folder would go.
    const auto blocked = std::filesystem::temp_directory_path() / ("kvx-no-folder-" + std::to_string(std::random_device{}()));
    std::ofstream(blocked) << "in the way";
    const TUnitWriteResult result = BackUpWriteAndVerify(*Kvx, ErasedConfig(), {blocked / "backups", SystemLocalDateTime, true});
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
    EXPECT_EQ(Kvx->ReadConfig(image.get()), ResultNoExitConfig);
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
    EXPECT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
}

TEST_F(SimTransferTest, TimingModelStretchesAFullReadOverVirtualTime)
{
    ASSERT_EQ(Control("baud", "115200"), 0);
    auto image = std::make_unique<TKVXConfig>();
    EXPECT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
    EXPECT_EQ(Text(image->UnitID), "KVX Demo Site   ");
    // 512 pages of 6 bytes out and 132 back at 115200 baud: about 6 s on the line.
    EXPECT_GE(Pump.Now, 6000u);
    EXPECT_LT(Pump.Now, 8000u);
}

} // namespace
} // namespace kvx
