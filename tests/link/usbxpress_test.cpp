#include "link/usbxpress.h"

#include <gtest/gtest.h>

#include "tests/link/fake_siusbxp.h"

namespace kvx::test {
namespace {

const TFakeDeviceStrings Dongle{"0001", "KVX USB Dongle", "\\\\?\\usb#vid_10c4&pid_8a4c#0001", "10c4", "8a4c"};
const TFakeDeviceStrings Bridge{"0042", "CP2102 Bridge", "\\\\?\\usb#vid_10c4&pid_ea60#0042", "10c4", "ea60"};
const TFakeDeviceStrings Meter{"7", "Meter", "\\\\?\\usb#vid_10c4&pid_8a4c#7", "10c4", "8a4c"};

std::array<std::string, 5> StringsOf(const TDeviceInfo& info)
{
    return {info.Serial, info.Description, info.LinkName, info.VID, info.PID};
}

class USBXpressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fake = TFakeSiUSBXp{};
        Link.OnDeviceConnect = [this](const TDeviceInfo& info) { Connected.push_back(info); };
        Link.OnDeviceDisconnect = [this](const TDeviceInfo& info) { Disconnected.push_back(info); };
        Link.OnError = [this](uint8_t code) { Errors.push_back(code); };
        Link.OnRxData = [this](uint32_t count) { RxCounts.push_back(count); };
    }

    void OpenDongle()
    {
        Fake.Devices = {Dongle};
        Link.Open(0);
        ASSERT_TRUE(Link.DeviceConnected());
    }

    std::vector<std::string> ListNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : Link.DeviceList()) names.push_back(entry.Name);
        return names;
    }

    TUSBXpress Link{FakeApi()};
    std::vector<TDeviceInfo> Connected;
    std::vector<TDeviceInfo> Disconnected;
    std::vector<uint8_t> Errors;
    std::vector<uint32_t> RxCounts;
};

// --- device watch ---

TEST_F(USBXpressTest, NoDeviceRaisesNothing)
{
    // The vendor library answers "device not found" with a count of 0 when nothing is plugged.
    for (SI_STATUS status : {SI_SUCCESS, SI_DEVICE_NOT_FOUND}) {
        Fake.NumDevicesStatus = status;
        Link.PollDevices();
        Link.PollDevices();
    }
    EXPECT_TRUE(Connected.empty());
    EXPECT_TRUE(Disconnected.empty());
    EXPECT_TRUE(Errors.empty());
    EXPECT_TRUE(Link.DeviceList().empty());
}

TEST_F(USBXpressTest, DonglePluggedThenUnplugged)
{
    Fake.Devices = {Dongle};
    Link.PollDevices();
    Link.PollDevices();
    ASSERT_EQ(Connected.size(), 1u);
    EXPECT_EQ(Connected[0].DeviceNumber, 0u);
    EXPECT_EQ(StringsOf(Connected[0]), Dongle);
    EXPECT_EQ(ListNames(), std::vector<std::string>{"Device00"});

    Fake.Devices.clear();
    Fake.NumDevicesStatus = SI_DEVICE_NOT_FOUND;
    Link.PollDevices();
    Link.PollDevices();
    ASSERT_EQ(Disconnected.size(), 1u);
    EXPECT_EQ(Disconnected[0].DeviceNumber, 0u);
    EXPECT_EQ(StringsOf(Disconnected[0]), Dongle);
    EXPECT_TRUE(Link.DeviceList().empty());
    EXPECT_TRUE(Errors.empty());
    EXPECT_EQ(Connected.size(), 1u);
}

TEST_F(USBXpressTest, RemovalReportsTheDeviceThatWent)
{
    const std::vector<TFakeDeviceStrings> three{Bridge, Dongle, Meter};
    for (size_t removed = 0; removed < three.size(); ++removed) {
        SCOPED_TRACE(removed);
        TUSBXpress link(FakeApi());
        std::vector<TDeviceInfo> gone;
        link.OnDeviceDisconnect = [&](const TDeviceInfo& info) { gone.push_back(info); };
        Fake.Devices = three;
        link.PollDevices();
        ASSERT_EQ(link.DeviceList().size(), 3u);
        EXPECT_EQ(link.DeviceList()[2].Name, "Device02");

        // The library renumbers the remaining devices from 0.
        Fake.Devices.erase(Fake.Devices.begin() + static_cast<long>(removed));
        link.PollDevices();
        ASSERT_EQ(gone.size(), 1u);
        EXPECT_EQ(StringsOf(gone[0]), three[removed]);
        EXPECT_EQ(gone[0].DeviceNumber, removed);
        ASSERT_EQ(link.DeviceList().size(), 2u);
        for (const auto& entry : link.DeviceList()) EXPECT_FALSE(entry.Info.SameDevice(gone[0]));
    }
}

TEST_F(USBXpressTest, ArrivalsAndDeparturesInGroups)
{
    Fake.Devices = {Bridge};
    Link.PollDevices();
    // Two arrive beside a known one: each is announced once, under its own number.
    Fake.Devices = {Bridge, Dongle, Meter};
    Link.PollDevices();
    ASSERT_EQ(Connected.size(), 3u);
    EXPECT_EQ(StringsOf(Connected[1]), Dongle);
    EXPECT_EQ(Connected[2].DeviceNumber, 2u);
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"Device00", "Device01", "Device02"}));

    Fake.Devices = {Dongle};
    Link.PollDevices();
    ASSERT_EQ(Disconnected.size(), 2u);
    EXPECT_EQ(StringsOf(Disconnected[0]), Bridge);
    EXPECT_EQ(StringsOf(Disconnected[1]), Meter);
    EXPECT_EQ(ListNames(), std::vector<std::string>{"Device01"});
}

TEST_F(USBXpressTest, CountFailures)
{
    Fake.Devices = {Dongle};
    Link.PollDevices();

    // A failure that still reports devices is an error and changes nothing.
    Fake.NumDevicesStatus = SI_SYSTEM_ERROR_CODE;
    Link.PollDevices();
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_SYSTEM_ERROR_CODE});
    EXPECT_TRUE(Disconnected.empty());

    // A failure that writes no count at all means no device, not the count of the last call.
    Fake.NumDevicesWritesCount = false;
    Link.PollDevices();
    EXPECT_EQ(Disconnected.size(), 1u);
    EXPECT_EQ(Errors.size(), 1u);
}

TEST_F(USBXpressTest, UnreadableNewDeviceIsNotAnnounced)
{
    Fake.Devices = {Dongle};
    Fake.ProductStringFailures[{0, SI_RETURN_DESCRIPTION}] = SI_DEVICE_IO_FAILED;
    Link.PollDevices();
    EXPECT_TRUE(Connected.empty());
    EXPECT_TRUE(Link.DeviceList().empty());
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_DEVICE_IO_FAILED});

    // It was never listed, so its leaving is no event either.
    Fake.Devices.clear();
    Link.PollDevices();
    EXPECT_TRUE(Disconnected.empty());
}

// --- device descriptions ---

TEST_F(USBXpressTest, GetDeviceInfoStopsAtFirstFailure)
{
    Fake.Devices = {Dongle};
    Fake.ProductStringFailures[{0, SI_RETURN_LINK_NAME}] = SI_DEVICE_IO_FAILED;
    TDeviceInfo info;
    info.PID = "stale";
    EXPECT_EQ(Link.GetDeviceInfo(0, info), SI_DEVICE_IO_FAILED);
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_DEVICE_IO_FAILED});
    EXPECT_EQ(StringsOf(info), (TFakeDeviceStrings{"0001", "KVX USB Dongle", "", "", ""}));
    EXPECT_EQ(Fake.ProductStringCalls.size(), 3u);

    Fake.ProductStringFailures.clear();
    Errors.clear();
    EXPECT_EQ(Link.GetDeviceInfo(0, info), SI_SUCCESS);
    EXPECT_EQ(StringsOf(info), Dongle);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(USBXpressTest, ProductStringsEndAtZeroOrAfter254Bytes)
{
    const std::string longText(300, 'A');
    Fake.Devices = {{std::string("00\0" "01", 5), longText, std::string(255, 'L'), "\xE9\xFF", ""}};
    TDeviceInfo info;
    ASSERT_EQ(Link.GetDeviceInfo(0, info), SI_SUCCESS);
    EXPECT_EQ(info.Serial, "00");
    EXPECT_EQ(info.Description, std::string(254, 'A'));
    EXPECT_EQ(info.LinkName, std::string(254, 'L'));
    EXPECT_EQ(info.VID, "\xE9\xFF");
    EXPECT_EQ(info.PID, "");
}

// --- open and close ---

TEST_F(USBXpressTest, FailedOpenOrCloseLeavesNoUsableHandle)
{
    Fake.Devices = {Dongle};
    Fake.OpenStatus = SI_DEVICE_NOT_FOUND;
    Link.Open(0);
    EXPECT_FALSE(Link.DeviceConnected());

    Fake.OpenStatus = SI_SUCCESS;
    Link.Open(0);
    Fake.CloseStatus = SI_INVALID_HANDLE;
    Link.Close();
    EXPECT_FALSE(Link.DeviceConnected());
    const uint8_t byte = 1;
    EXPECT_EQ(Link.Write(&byte, 1), 0u);
    Link.Close();
    EXPECT_EQ(Errors, (std::vector<uint8_t>{SI_DEVICE_NOT_FOUND, SI_INVALID_HANDLE}));
}

TEST_F(USBXpressTest, HandlesAreNeverLeaked)
{
    Fake.Devices = {Dongle};
    {
        TUSBXpress link(FakeApi());
        link.Open(0);
        link.Open(0);
        EXPECT_EQ(Fake.OpenHandles, 1);
        EXPECT_TRUE(link.DeviceConnected());
    }
    EXPECT_EQ(Fake.OpenHandles, 0);
}

TEST_F(USBXpressTest, ASecondDeviceThatFailsToOpenLeavesTheFirstInUse)
{
    OpenDongle();
    Fake.OpenStatus = SI_DEVICE_NOT_FOUND;
    EXPECT_FALSE(Link.Open(1));
    EXPECT_TRUE(Link.DeviceConnected());
    EXPECT_EQ(Fake.OpenHandles, 1);
    const uint8_t byte = 1;
    EXPECT_EQ(Link.Write(&byte, 1), 1u);
}

// --- transfers ---

TEST_F(USBXpressTest, NoOpenDeviceMeansNoLibraryCallAndNoEvent)
{
    const uint8_t bytes[4] = {2, 2, 0, 0x91};
    uint8_t in[4];
    uint32_t waiting = 9;
    uint32_t queueStatus = 9;
    EXPECT_EQ(Link.Write(bytes, 4), 0u);
    EXPECT_EQ(Link.Read(in, 4), 0u);
    EXPECT_EQ(Link.CheckRXQueue(waiting, queueStatus), 0xFF);
    EXPECT_EQ(waiting, 0u);
    EXPECT_TRUE(Link.SetFlowControl(0, 1, 0, 0, 0, 0));
    Link.FlushBuffers(true, true);
    EXPECT_EQ(Fake.Cancels + Fake.Writes, 0u);
    EXPECT_TRUE(Fake.Flushes.empty());
    EXPECT_TRUE(Fake.FlowControls.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(USBXpressTest, WriteGoesOnWhenThereIsNothingToCancel)
{
    OpenDongle();
    const uint8_t bytes[4] = {2, 2, 0, 0x91};
    for (SI_STATUS cancel : {SI_NOTHING_TO_CANCEL, SI_SUCCESS}) {
        Fake.CancelStatus = cancel;
        EXPECT_EQ(Link.Write(bytes, 4), 4u);
    }
    EXPECT_EQ(Fake.Written.size(), 8u);
    EXPECT_TRUE(Errors.empty());
    EXPECT_FALSE(Fake.OverlappedSeen);

    Fake.CancelStatus = SI_DEVICE_IO_FAILED;
    EXPECT_EQ(Link.Write(bytes, 4), 0u);
    EXPECT_EQ(Fake.Writes, 2u);
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_DEVICE_IO_FAILED});
}

TEST_F(USBXpressTest, ShortOrFailedWriteReportsAndReturnsZero)
{
    OpenDongle();
    const uint8_t bytes[6] = {2, 1, 2, 7, 0, 0xAE};
    Fake.WriteAccepts = 5;
    EXPECT_EQ(Link.Write(bytes, 6), 0u);
    EXPECT_EQ(Errors, std::vector<uint8_t>{0});

    Fake.WriteAccepts = UINT32_MAX;
    Fake.WriteStatus = SI_WRITE_TIMED_OUT;
    EXPECT_EQ(Link.Write(bytes, 6), 0u);
    EXPECT_EQ(Errors, (std::vector<uint8_t>{0, SI_WRITE_TIMED_OUT}));
}

TEST_F(USBXpressTest, ReadReturnsWhatArrivedAndNeverMoreThanAsked)
{
    OpenDongle();
    Fake.RxQueue = {2, 0xAA, 0, 0x2D, 9};
    uint8_t in[8] = {};
    EXPECT_EQ(Link.Read(in, 4), 4u);
    EXPECT_EQ(in[1], 0xAA);
    EXPECT_EQ(Link.Read(in, 8), 1u);
    EXPECT_FALSE(Fake.OverlappedSeen);

    Fake.RxQueue = {1, 2, 3};
    Fake.ReadOverReports = 100;
    EXPECT_EQ(Link.Read(in, 3), 3u);

    Fake.ReadOverReports = 0;
    Fake.ReadStatus = SI_READ_TIMED_OUT;
    EXPECT_EQ(Link.Read(in, 3), 0u);
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_READ_TIMED_OUT});
}

TEST_F(USBXpressTest, FlowControlPassesArgumentsInOrder)
{
    OpenDongle();
    EXPECT_TRUE(Link.SetFlowControl(0, 1, 0, 0, 0, 0));
    Fake.FlowStatus = SI_DEVICE_IO_FAILED;
    EXPECT_FALSE(Link.SetFlowControl(1, 0, 2, 3, 4, 5));
    EXPECT_EQ(Fake.FlowControls, (std::vector<std::array<int, 6>>{{0, 1, 0, 0, 0, 0}, {1, 0, 2, 3, 4, 5}}));
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_DEVICE_IO_FAILED});
}

TEST_F(USBXpressTest, VersionsAndTimeoutsComeFromTheRightCalls)
{
    uint32_t high = 0;
    uint32_t low = 0;
    EXPECT_EQ(Link.GetLIBVersion(high, low), SI_SUCCESS);
    EXPECT_EQ(high, 0x00040002u);
    EXPECT_EQ(Link.GetDLLVersion(high, low), SI_SUCCESS);
    EXPECT_EQ(high, 0x00030005u);
    EXPECT_EQ(Link.SetTimeouts(500, 700), SI_SUCCESS);
    EXPECT_EQ(Link.GetTimeouts(high, low), SI_SUCCESS);
    EXPECT_EQ(std::make_pair(high, low), std::make_pair(500u, 700u));
    Fake.NoHandleStatus = SI_GLOBAL_DATA_ERROR;
    EXPECT_EQ(Link.SetTimeouts(1, 1), SI_GLOBAL_DATA_ERROR);
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_GLOBAL_DATA_ERROR});
}

// --- receive poll ---

TEST_F(USBXpressTest, WaitingBytesAreAnnouncedNotRead)
{
    OpenDongle();
    Link.PollRX();
    EXPECT_TRUE(RxCounts.empty());
    Fake.RxQueue.assign(32, 0x02);
    Link.PollRX();
    EXPECT_EQ(RxCounts, std::vector<uint32_t>{32});
    EXPECT_EQ(Fake.RxQueue.size(), 32u);

    Link.EnableRX(false);
    Link.PollRX();
    EXPECT_EQ(RxCounts.size(), 1u);
    Link.EnableRX(true);
    Link.Close();
    Link.PollRX();
    EXPECT_EQ(RxCounts.size(), 1u);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(USBXpressTest, OverrunIsFlushedAndReportedWhateverTheStatus)
{
    OpenDongle();
    Fake.QueueStatusOverride = SI_RX_OVERRUN;
    for (SI_STATUS status : {SI_READ_ERROR, SI_SUCCESS}) {
        Fake.CheckStatus = status;
        Fake.RxQueue.assign(100, 0x55);
        Link.PollRX();
        EXPECT_TRUE(Fake.RxQueue.empty());
    }
    EXPECT_EQ(Fake.Flushes, (std::vector<std::pair<uint8_t, uint8_t>>{{0, 1}, {0, 1}}));
    EXPECT_EQ(Errors, (std::vector<uint8_t>{SI_READ_ERROR, RxOverrunError}));
    EXPECT_TRUE(RxCounts.empty());
}

TEST_F(USBXpressTest, QueueFailureIsReportedWithoutData)
{
    OpenDongle();
    Fake.RxQueue.assign(4, 1);
    Fake.CheckStatus = SI_DEVICE_IO_FAILED;
    Link.PollRX();
    EXPECT_EQ(Errors, std::vector<uint8_t>{SI_DEVICE_IO_FAILED});
    EXPECT_TRUE(RxCounts.empty());
    EXPECT_TRUE(Fake.Flushes.empty());
}

} // namespace
} // namespace kvx::test
