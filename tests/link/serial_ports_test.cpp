// Dongles found in a sysfs tree laid out by the test, alone and through the link's device watch.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "link/kvx.h"
#include "link/serial_backend.h"
#include "link/serial_ports.h"
#include "link/serial_problems.h"
#include "link/siusbxp_library.h"
#include "link/usbxpress.h"
#include "tests/support/fake_sysfs.h"

namespace kvx::test {
namespace {

TUSBSerialAdapter Dongle(const std::string& usb, const std::string& tty, const std::string& serial = "0001")
{
    return {usb, "10c4", "8a4c", serial, "KVX USB Dongle", tty};
}

std::vector<std::string> TtyNames(const TDongleScan& scan)
{
    std::vector<std::string> names;
    for (const TDonglePort& port : scan.Ports) names.push_back(port.TtyName);
    return names;
}

TEST(SerialPortsTest, ScanFindsTheDonglesTtysOnly)
{
    const TUSBSerialAdapter foreign{"1-4", "10c4", "ea60", "0042", "CP2102 USB to UART Bridge Controller", "ttyUSB0"};
    struct TCase {
        const char* Name;
        std::vector<TUSBSerialAdapter> Plugged;
        std::vector<std::string> Ttys;
        std::vector<std::string> Unbound;
    };
    const TCase cases[] = {
        {"one dongle", {Dongle("1-2", "ttyUSB0")}, {"ttyUSB0"}, {}},
        {"two, by number", {Dongle("1-3", "ttyUSB10", "0002"), Dongle("1-2", "ttyUSB2")}, {"ttyUSB2", "ttyUSB10"}, {}},
        {"a foreign CP210x beside", {foreign, Dongle("1-2", "ttyUSB1")}, {"ttyUSB1"}, {}},
        {"no driver bound", {Dongle("1-2", "")}, {}, {"1-2"}},
    };
    for (const TCase& c : cases) {
        TFakeSysfs sysfs;
        for (const TUSBSerialAdapter& adapter : c.Plugged) sysfs.Plug(adapter);
        const TDongleScan scan = ScanForDongles(sysfs.Root());
        EXPECT_EQ(TtyNames(scan), c.Ttys) << c.Name;
        EXPECT_EQ(scan.Unbound, c.Unbound) << c.Name;
    }
}

TEST(SerialPortsTest, DonglesComeAndGoThroughTheDeviceWatch)
{
    TFakeSysfs sysfs;
    sysfs.Plug(Dongle("1-2", "ttyUSB0"));
    sysfs.Plug(Dongle("1-3", "ttyUSB1", "0002"));
    TSerialSetup setup;
    setup.SysfsRoot = sysfs.Root();
    const auto backend = TSerialBackend::Create(setup);
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(TSerialBackend::Create(setup), nullptr) << "one backend at a time";

    TUSBXpress link(backend->Api());
    std::vector<TDeviceInfo> connected, disconnected;
    std::vector<uint8_t> errors;
    link.OnDeviceConnect = [&](const TDeviceInfo& info) { connected.push_back(info); };
    link.OnDeviceDisconnect = [&](const TDeviceInfo& info) { disconnected.push_back(info); };
    link.OnError = [&](uint8_t code) { errors.push_back(code); };

    link.PollDevices();
    ASSERT_EQ(connected.size(), 2u);
    EXPECT_TRUE(IsKVXDongle(connected[0])) << "the attributes pass the dongle check unchanged";
    EXPECT_EQ(connected[0].LinkName, "/dev/ttyUSB0");
    EXPECT_EQ(connected[1].Serial, "0002");
    EXPECT_EQ(connected[1].LinkName, "/dev/ttyUSB1");
    EXPECT_EQ(backend->Problem(), "");

    // Pulled between two polls: the one that went is named, the other stays.
    sysfs.Unplug("1-2");
    link.PollDevices();
    ASSERT_EQ(disconnected.size(), 1u);
    EXPECT_EQ(disconnected[0].LinkName, "/dev/ttyUSB0");
    ASSERT_EQ(link.DeviceList().size(), 1u);
    EXPECT_EQ(link.DeviceList()[0].Info.LinkName, "/dev/ttyUSB1");

    // One without its driver is no port, and the problem says which rule binds it.
    sysfs.Plug(Dongle("1-5", ""));
    link.PollDevices();
    EXPECT_EQ(connected.size(), 2u);
    EXPECT_NE(backend->Problem().find("1-5"), std::string::npos) << backend->Problem();
    EXPECT_NE(backend->Problem().find(DongleUdevRule), std::string::npos) << backend->Problem();
    EXPECT_TRUE(errors.empty());
}

TEST(SerialPortsTest, OpenFailuresSayWhatToDo)
{
    struct TCase {
        int Error;
        const char* Group;
        std::vector<std::string> Says;
        const char* NotSaid;
    };
    const TCase cases[] = {
        {EACCES, "dialout", {"/dev/ttyUSB0", "\"dialout\"", "usermod -aG dialout", DongleUdevRule}, nullptr},
        {EACCES, "root", {"No permission", DongleUdevRule}, "usermod"},
        {EBUSY, "dialout", {"in use"}, "permission"},
        {ENOENT, "", {"Cannot open /dev/ttyUSB0"}, "permission"},
    };
    for (const TCase& c : cases) {
        const std::string text = OpenProblem("/dev/ttyUSB0", c.Error, c.Group);
        for (const std::string& said : c.Says) EXPECT_NE(text.find(said), std::string::npos) << text;
        if (c.NotSaid) {
            EXPECT_EQ(text.find(c.NotSaid), std::string::npos) << text;
        }
    }
}

TEST(USBApiChoiceTest, NamedLibraryThenPortByHandThenEnvironmentThenTheSearch)
{
    const auto isSerial = [](const std::unique_ptr<IUSBApi>& api) {
        return dynamic_cast<const TSerialBackend*>(api.get()) != nullptr;
    };
    std::string error;
    ::setenv("KVX_USB_LIBRARY", "/no/such/libFromEnvironment.so", 1);
    EXPECT_TRUE(isSerial(OpenUSBApi({"", "/dev/ttyUSB7", {}}, error))) << error;
    EXPECT_EQ(OpenUSBApi({"/no/such/libNamed.so", "/dev/ttyUSB7", {}}, error), nullptr);
    EXPECT_NE(error.find("libNamed.so"), std::string::npos) << error;
    // A library named in the environment is no invitation to look elsewhere.
    EXPECT_EQ(OpenUSBApi({}, error), nullptr);
    EXPECT_NE(error.find("libFromEnvironment.so"), std::string::npos) << error;
    ::unsetenv("KVX_USB_LIBRARY");

    if (TSiUSBXpLibrary::Load(DefaultUSBLibraryName(), error)) GTEST_SKIP() << "the vendor library is installed";
    EXPECT_TRUE(isSerial(OpenUSBApi({}, error))) << error;
}

} // namespace
} // namespace kvx::test
