// The unchanged device object and link over the serial backend, on a real kernel tty whose
// other end is served by the simulated unit: whole transfers, status, a port that vanishes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "image/kvx_config.h"
#include "link/crc8.h"
#include "link/kvx.h"
#include "link/serial_backend.h"
#include "link/serial_tty.h"
#include "link/usbxpress.h"
#include "tests/support/pty_unit.h"

namespace kvx::test {
namespace {

// Real time, except that pauses longer than one poll (the retry pauses) pass at once.
class TQuickPump : public TPlainEventPump {
public:
    void Pause(uint32_t Milliseconds) override
    {
        if (Milliseconds <= 1)
            TPlainEventPump::Pause(Milliseconds);
        else
            FSkippedMs += Milliseconds;
    }
    uint64_t NowMs() override { return TPlainEventPump::NowMs() + FSkippedMs; }

private:
    uint64_t FSkippedMs = 0;
};

class SerialPtyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Unit.Port().empty()) << "no pseudo-terminal";
        // Status frames only when a test moves the unit's clock on.
        Unit.WithSimulator([](sim::TSimulator& sim) { sim.Clock.SetManual(true); });
        TSerialSetup setup;
        setup.Port = Unit.Port();
        setup.ModemLines = [this](int, bool rts, bool dtr) { return Unit.SetLines(rts, dtr); };
        Backend = TSerialBackend::Create(setup);
        ASSERT_NE(Backend, nullptr);
        auto link = std::make_unique<TUSBXpress>(Backend->Api());
        Link = link.get();
        Kvx = std::make_unique<TKVX>(std::move(link), Pump, [] { return TLocalDateTime{2026, 3, 23, 14, 5, 9}; });
        Kvx->OnError = [this](uint8_t code) { Errors.push_back(code); };
        Link->PollDevices();
        ASSERT_TRUE(Kvx->DeviceConnected());
    }

    std::vector<uint8_t> UnitMemory()
    {
        return Unit.WithSimulator([](sim::TSimulator& sim) { return sim.Unit.Memory; });
    }

    // Polls Done for up to two seconds: nothing here may hang on a silent tty.
    template <typename TDone>
    static bool Eventually(TDone Done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!Done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    TPtyUnit Unit;
    TQuickPump Pump;
    std::unique_ptr<TSerialBackend> Backend;
    TUSBXpress* Link = nullptr;
    std::unique_ptr<TKVX> Kvx;
    std::vector<uint8_t> Errors;
};

TEST_F(SerialPtyTest, WholeReadAndWriteCrossTheTty)
{
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(image.get()), ResultOK);
    const std::vector<uint8_t> before = UnitMemory();
    EXPECT_TRUE(std::equal(before.begin(), before.end(), Kvx->EEPROMBuffer()));

    std::fill_n(image->Bytes() + 176, 16, uint8_t{'Z'});
    ASSERT_EQ(Kvx->WriteConfig(image.get()), ResultOK);
    const std::vector<uint8_t> after = UnitMemory();
    EXPECT_TRUE(std::equal(after.begin(), after.end(), Kvx->EEPROMBuffer()));
    EXPECT_EQ(after[176], 'Z');
    EXPECT_EQ(after[2046], 0xAA);
    Unit.WithSimulator([](sim::TSimulator& sim) {
        EXPECT_FALSE(sim.Dongle.RtsActive());
        EXPECT_FALSE(sim.Unit.InConfigMode());
    });
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SerialPtyTest, StatusFramesArriveAndTheClockIsSet)
{
    std::vector<uint8_t> received;
    Kvx->OnRxData = [&](uint32_t count) {
        received.insert(received.end(), Kvx->RXBuffer.begin(), Kvx->RXBuffer.begin() + count);
    };
    Unit.WithSimulator([](sim::TSimulator& sim) { sim.Clock.Advance(sim::StatusIntervalMs); });
    ASSERT_TRUE(Eventually([&] {
        Link->PollRX();
        return received.size() >= 4 * 32;
    })) << received.size() << " bytes";
    ASSERT_EQ(received.size() % 32, 0u);
    for (size_t at = 0; at < received.size(); at += 32)
        EXPECT_EQ(Crc8Maxim(received.data() + at + 1, 30), received[at + 31]) << "frame at " << at;

    Kvx->SetTime();
    const auto unitClock = [this] {
        return Unit.WithSimulator([](sim::TSimulator& sim) { return sim.Unit.ClockAt(sim.Clock.NowMs()); });
    };
    ASSERT_TRUE(Eventually([&] { return unitClock().has_value(); }));
    EXPECT_EQ(*unitClock(), (sim::TUnitDateTime{2026, 3, 23, 14, 5, 9}));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SerialPtyTest, PortVanishingDuringAReadFailsItAndSaysWhy)
{
    Kvx->SetProgressBarPosition = [this](uint16_t page) {
        if (page == 100) Unit.Hangup();
    };
    auto image = std::make_unique<TKVXConfig>();
    EXPECT_EQ(Kvx->ReadConfig(image.get()), ResultNoExitConfig);
    EXPECT_NE(std::find(Errors.begin(), Errors.end(), SI_DEVICE_IO_FAILED), Errors.end());
    EXPECT_NE(Backend->Problem().find(Unit.Port() + " went away"), std::string::npos) << Backend->Problem();

    Link->PollDevices();
    EXPECT_FALSE(Kvx->DeviceConnected());
}

// A read of more bytes than have come waits for the rest, however the tty reports an empty
// queue; only the time running out or a hang-up ends it early.
TEST(SerialTty, ReadWaitsForTheRestAndEndsOnTimeOrHangup)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    int port = -1;
    ASSERT_EQ(OpenTty(::ptsname(master), 115200, port), 0);
    uint8_t bytes[4] = {};
    uint32_t done = 0;

    std::thread late([master] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ASSERT_EQ(::write(master, "ab", 2), 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ASSERT_EQ(::write(master, "cd", 2), 2);
    });
    EXPECT_EQ(ReadTty(port, bytes, 4, 5000, done), 0);
    late.join();
    EXPECT_EQ(done, 4u);
    EXPECT_EQ(std::string(bytes, bytes + 4), "abcd");

    EXPECT_EQ(ReadTty(port, bytes, 1, 20, done), ETIMEDOUT);
    EXPECT_EQ(done, 0u);
    ::close(master);
    EXPECT_EQ(ReadTty(port, bytes, 1, 5000, done), EIO);
    CloseTty(port);
}

} // namespace
} // namespace kvx::test
