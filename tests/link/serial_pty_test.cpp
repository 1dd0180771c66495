// The unchanged device object and link over the serial backend, on a real kernel tty whose
// other end is served by the simulated unit: whole transfers, status, a port that vanishes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <utility>

#include "image/kvx_config.h"
#include "link/crc8.h"
#include "link/kvx.h"
#include "link/kvx_messages.h"
#include "link/serial_backend.h"
#include "link/serial_tty.h"
#include "link/usbxpress.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_sysfs.h"
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
        setup.ModemLines = [this](int, bool rts, bool dtr) {
            Lines.push_back({rts, dtr});
            return Unit.SetLines(rts, dtr);
        };
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
    std::vector<std::pair<bool, bool>> Lines;  // RTS and DTR as the backend set them
};

TEST_F(SerialPtyTest, WholeReadAndWriteCrossTheTty)
{
    // Opening raises both lines, and setting the line may again: lowered after each.
    EXPECT_EQ(Lines, (std::vector<std::pair<bool, bool>>{{false, false}, {false, false}}));
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::OK);
    const std::vector<uint8_t> before = UnitMemory();
    EXPECT_TRUE(std::equal(before.begin(), before.end(), Kvx->EEPROMBuffer()));

    std::fill_n(image->Bytes() + 176, 16, uint8_t{'Z'});
    ASSERT_EQ(Kvx->WriteConfig(image.get()), TKVXResult::OK);
    const std::vector<uint8_t> after = UnitMemory();
    EXPECT_TRUE(std::equal(after.begin(), after.end(), Kvx->EEPROMBuffer()));
    EXPECT_EQ(after[176], 'Z');
    EXPECT_EQ(after[2046], 0xAA);
    EXPECT_EQ(WriteFailureMessage(TKVXResult::PageWriteFailed).find(u"baud"), std::u16string::npos) << "the unit answered";
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
    EXPECT_EQ(Kvx->ReadConfig(image.get()), TKVXResult::NoExitConfig);
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
    ASSERT_EQ(OpenTty(::ptsname(master), port), 0);
    ASSERT_EQ(MakeTtyRaw(port, 115200), 0);
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

// The port is this program's alone (a second open is refused, for root too), and no handshake
// a previous user left on it survives: no XON/XOFF either way, no restart on any byte, no RTS/CTS.
TEST(SerialTty, OpenTakesThePortAloneAndEveryHandshakeOff)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    // A master reads and sets the settings of its slave.
    const auto settings = [master] {
        termios now{};
        ::tcgetattr(master, &now);
        return now;
    };
    termios left = settings();
    left.c_iflag |= IXON | IXOFF | IXANY;
    left.c_cflag |= CRTSCTS;
    ASSERT_EQ(::tcsetattr(master, TCSANOW, &left), 0);

    int port = -1, second = -1;
    ASSERT_EQ(OpenTty(::ptsname(master), port), 0);
    EXPECT_EQ(OpenTty(::ptsname(master), second), EBUSY);
    ASSERT_EQ(MakeTtyRaw(port, 19200), 0);
    EXPECT_EQ(settings().c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(settings().c_cflag & CRTSCTS, 0u);
    const termios raw = settings();
    EXPECT_EQ(::cfgetospeed(&raw), static_cast<speed_t>(B19200));
    ASSERT_EQ(SetTtyHandshake(port, false, true), 0);
    EXPECT_EQ(settings().c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));

    EXPECT_TRUE(IsPseudoTerminal(port));
    EXPECT_FALSE(TtyHungUp(port));
    ::close(master);
    EXPECT_TRUE(TtyHungUp(port));
    CloseTty(port);
}

// Both lines are lowered right after opening and again after setting the line, and a refusal
// fails the open, except a pseudo-terminal's: it has no lines to set.
TEST(SerialBackendOpen, LinesAreLoweredTwiceAndOnlyAPseudoTerminalMayRefuse)
{
    TPtyUnit unit;
    ASSERT_FALSE(unit.Port().empty());
    const struct {
        int Answer;
        SI_STATUS Status;
        size_t Calls;
    } cases[] = {{ENOTTY, SI_SUCCESS, 2}, {EIO, SI_SYSTEM_ERROR_CODE, 1}};
    for (const auto& c : cases) {
        std::vector<std::pair<bool, bool>> lines;
        TSerialSetup setup;
        setup.Port = unit.Port();
        setup.ModemLines = [&](int, bool rts, bool dtr) {
            lines.push_back({rts, dtr});
            return c.Answer;
        };
        const auto backend = TSerialBackend::Create(setup);
        uint32_t count = 0;
        ASSERT_EQ(backend->GetNumDevices(&count), SI_SUCCESS);
        SI_HANDLE handle = nullptr;
        EXPECT_EQ(backend->Open(0, &handle), c.Status) << c.Answer;
        const std::vector<std::pair<bool, bool>> lowered(c.Calls, {false, false});
        EXPECT_EQ(lines, lowered) << c.Answer;
        if (handle) backend->Close(handle);
    }
}

// The link and the device object over a serial backend, driven by hand.
struct TSerialLink {
    // Units: those that may be at the far end, each told the lines the backend sets.
    TSerialLink(TSerialSetup Setup, std::vector<TPtyUnit*> Units)
    {
        Setup.ModemLines = [Units](int, bool rts, bool dtr) {
            for (TPtyUnit* unit : Units) unit->SetLines(rts, dtr);
            return 0;
        };
        Backend = TSerialBackend::Create(std::move(Setup));
        auto link = std::make_unique<TUSBXpress>(Backend->Api());
        USB = link.get();
        Kvx = std::make_unique<TKVX>(std::move(link), Pump, [] { return TLocalDateTime{2026, 3, 23, 14, 5, 9}; });
    }
    bool PollAndConnected()
    {
        USB->PollDevices();
        return Kvx->DeviceConnected();
    }

    TQuickPump Pump;
    std::unique_ptr<TSerialBackend> Backend;
    TUSBXpress* USB = nullptr;
    std::unique_ptr<TKVX> Kvx;
};

// A wiggled cable: the dongle comes back as another ttyUSB while the old port is still open,
// or under the same name (a by-id link) with the old port hung up. The dead port shows as no
// device, so the watch lets go of it, and the next poll takes the dongle afresh.
TEST(SerialReenumeration, ADeadOpenPortIsLetGoAndTheDongleTakenAgain)
{
    for (const bool renamed : {true, false}) {
        SCOPED_TRACE(renamed ? "back as ttyUSB1" : "the same name, hung up");
        TPtyUnit before, after;
        TFakeSysfs sysfs;
        const std::filesystem::path devices = sysfs.Root() / "dev";
        std::filesystem::create_directories(devices);
        std::filesystem::create_symlink(before.Port(), devices / "ttyUSB0");
        sysfs.Plug({"1-2", "10c4", "8a4c", "0001", "KVX USB Dongle", "ttyUSB0"});
        TSerialSetup setup;
        setup.SysfsRoot = sysfs.Root();
        setup.DeviceRoot = devices;
        setup.Driver = sysfs.Places();
        if (!renamed) setup.Port = (devices / "ttyUSB0").string();
        TSerialLink link(setup, {&before, &after});
        ASSERT_TRUE(link.PollAndConnected());

        if (renamed) {
            sysfs.Unplug("1-2");
            std::filesystem::create_symlink(after.Port(), devices / "ttyUSB1");
            sysfs.Plug({"1-2", "10c4", "8a4c", "0001", "KVX USB Dongle", "ttyUSB1"});
        } else {
            before.Hangup();
            std::filesystem::remove(devices / "ttyUSB0");
            std::filesystem::create_symlink(after.Port(), devices / "ttyUSB0");
        }
        EXPECT_FALSE(link.PollAndConnected());
        EXPECT_NE(link.Backend->Problem().find("went away"), std::string::npos) << link.Backend->Problem();
        ASSERT_TRUE(link.PollAndConnected());
        EXPECT_EQ(link.Backend->Problem(), "");
        std::u16string password;
        EXPECT_EQ(link.Kvx->ReadPassword(password), TKVXResult::OK) << "the unit answers on the new port";
    }
}

// A unit silent at the chosen rate (nothing serves the far end): the session ends with the
// failure to leave configuration mode, and the message says the rate may be wrong.
TEST(SerialSilentUnit, AFailureSaysTheRateMayBeWrong)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    TSerialSetup setup;
    setup.Port = ::ptsname(master);
    setup.BaudRate = 38400;
    setup.ModemLines = [](int, bool, bool) { return 0; };
    const auto backend = TSerialBackend::Create(setup);
    auto link = std::make_unique<TUSBXpress>(backend->Api());
    TUSBXpress* usb = link.get();
    TFakePump pump;
    TKVX kvx(std::move(link), pump, [] { return TLocalDateTime{2026, 3, 23, 14, 5, 9}; });
    usb->PollDevices();
    ASSERT_TRUE(kvx.DeviceConnected());

    std::u16string password;
    const TKVXResult code = kvx.ReadPassword(password);
    EXPECT_EQ(code, TKVXResult::NoExitConfig);
    EXPECT_NE(ReadFailureMessage(code).find(u"No reply at 38400 baud"), std::u16string::npos);
    ::close(master);
}

// A port another program holds: the problem is told at once, and the port is opened by itself
// once the other program lets go (the watch sees it go and come again every third poll).
TEST(SerialBackendOpen, ABusyPortIsToldAndTakenOnceFree)
{
    TPtyUnit unit;
    ASSERT_FALSE(unit.Port().empty());
    int holder = -1;
    ASSERT_EQ(OpenTty(unit.Port(), holder), 0);
    TSerialSetup setup;
    setup.Port = unit.Port();
    TSerialLink link(setup, {&unit});

    EXPECT_FALSE(link.PollAndConnected());
    EXPECT_NE(link.Backend->Problem().find("is in use by another program"), std::string::npos) << link.Backend->Problem();
    for (int poll = 0; poll < 3; ++poll) EXPECT_FALSE(link.PollAndConnected()) << "still held";
    CloseTty(holder);
    EXPECT_TRUE(link.PollAndConnected() || link.PollAndConnected() || link.PollAndConnected());
    EXPECT_EQ(link.Backend->Problem(), "");
}

} // namespace
} // namespace kvx::test
