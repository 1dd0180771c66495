// Dongles found in a sysfs tree laid out by the test, alone and through the link's device watch.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>

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
        {"no driver bound", {Dongle("1-3", ""), Dongle("1-2", "")}, {}, {"1-2", "1-3"}},
    };
    for (const TCase& c : cases) {
        TFakeSysfs sysfs;
        for (const TUSBSerialAdapter& adapter : c.Plugged) sysfs.Plug(adapter);
        const TDongleScan scan = ScanForDongles(sysfs.Root(), sysfs.Places());
        EXPECT_EQ(TtyNames(scan), c.Ttys) << c.Name;
        std::vector<std::string> unbound;
        for (const TUnboundDongle& dongle : scan.Unbound) unbound.push_back(dongle.USBName);
        EXPECT_EQ(unbound, c.Unbound) << c.Name;
    }
}

// Why no driver took a dongle, from the driver's registration, the kernel's modules, the rule
// file and udev's record of the dongle; each cause with its own advice.
TEST(SerialPortsTest, AnUnboundDongleIsToldWhyAndWhatToDo)
{
    using namespace std::chrono_literals;
    const auto now = std::filesystem::file_time_type::clock::now();
    struct TCase {
        const char* Name;
        bool Registered, Module, Rule;
        std::optional<bool> Marked;  // udev's record, with the rule's mark or without; none: no record
        std::filesystem::file_time_type RecordedAt;
        const char* Says;
    };
    const TCase cases[] = {
        {"no driver in the kernel", false, false, true, true, now, "linux-modules-extra-$(uname -r)"},
        {"the rule ran, the driver did not load", false, true, true, true, now, "sudo modprobe cp210x"},
        {"no rule", true, true, false, std::nullopt, now, "Install the udev rule 60-kvx-dongle.rules"},
        {"plugged in before the rule", true, true, true, false, now - 1h, "Plug it in again, or: sudo udevadm trigger"},
        {"rule not loaded", true, true, true, false, now + 1h, "sudo udevadm control --reload-rules && sudo udevadm trigger"},
    };
    for (const TCase& c : cases) {
        TFakeSysfs sysfs;
        sysfs.Plug(Dongle("1-2", ""));
        if (c.Registered) sysfs.RegisterDriver();
        sysfs.InstallModules(c.Module);
        if (c.Rule) sysfs.InstallRule();
        if (c.Marked) sysfs.RecordInUdev("1-2", *c.Marked, c.RecordedAt);
        const std::string text = DriverNotBoundProblem(ScanForDongles(sysfs.Root(), sysfs.Places()).Unbound);
        EXPECT_EQ(text.rfind("The KVX USB dongle on USB 1-2 has no serial port: ", 0), 0u) << c.Name << ": " << text;
        EXPECT_NE(text.find(c.Says), std::string::npos) << c.Name << ": " << text;
    }
}

TEST(SerialPortsTest, DonglesComeAndGoThroughTheDeviceWatch)
{
    TFakeSysfs sysfs;
    sysfs.Plug(Dongle("1-2", "ttyUSB0"));
    sysfs.Plug(Dongle("1-3", "ttyUSB1", "0002"));
    TSerialSetup setup;
    setup.SysfsRoot = sysfs.Root();
    setup.Driver = sysfs.Places();
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

    // One without its driver is no port, and the problem says which rule binds it: once two
    // polls in a row have seen it, as udev may bind it a moment after plugging in.
    sysfs.Plug(Dongle("1-5", ""));
    link.PollDevices();
    EXPECT_EQ(backend->Problem(), "");
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
        {EACCES, "dialout", {"/dev/ttyUSB0", "plug the dongle in again", "\"dialout\"", "usermod -aG dialout", DongleUdevRule}, nullptr},
        {EACCES, "root", {"No permission", DongleUdevRule}, "usermod"},
        {EBUSY, "dialout", {"in use", "close any other program", "plug the dongle in again"}, "permission"},
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
    EXPECT_TRUE(isSerial(OpenUSBApi({"", "/dev/ttyUSB7", {}, "", 0}, error))) << error;
    EXPECT_EQ(OpenUSBApi({"/no/such/libNamed.so", "/dev/ttyUSB7", {}, "", 0}, error), nullptr);
    EXPECT_NE(error.find("libNamed.so"), std::string::npos) << error;
    // A library named in the environment is no invitation to look elsewhere.
    EXPECT_EQ(OpenUSBApi({}, error), nullptr);
    EXPECT_NE(error.find("libFromEnvironment.so"), std::string::npos) << error;
    ::unsetenv("KVX_USB_LIBRARY");

    if (TSiUSBXpLibrary::Load(DefaultUSBLibraryName(), error)) GTEST_SKIP() << "the vendor library is installed";
    EXPECT_TRUE(isSerial(OpenUSBApi({}, error))) << error;
}

// The line rate: --serial-baud, else KVX_SERIAL_BAUD, else the program's setting, else 9600;
// a rate the port has no setting for is refused by name.
TEST(USBApiChoiceTest, TheLineRateIsChosenFromTheOptionTheEnvironmentOrTheSetting)
{
    struct TCase {
        const char* Option;
        const char* Environment;  // null: not set
        uint32_t Saved;
        uint32_t Rate;         // 0: refused
        const char* Refusal;
    };
    const TCase cases[] = {
        {"", nullptr, 0, 9600, nullptr},
        {"", nullptr, 57600, 57600, nullptr},
        {"", "38400", 57600, 38400, nullptr},
        {"19200", "38400", 57600, 19200, nullptr},
        {"19201", nullptr, 0, 0, "--serial-baud: \"19201\" is not a serial line rate (one of 300, "},
        {"", "fast", 0, 0, "KVX_SERIAL_BAUD: \"fast\""},
        {"9600x", nullptr, 0, 0, "--serial-baud"},
    };
    for (const TCase& c : cases) {
        if (c.Environment) ::setenv("KVX_SERIAL_BAUD", c.Environment, 1);
        std::string error;
        TUSBApiChoice choice{"", "/dev/ttyUSB7", {}, c.Option, c.Saved};
        const std::unique_ptr<IUSBApi> api = OpenUSBApi(choice, error);
        ::unsetenv("KVX_SERIAL_BAUD");
        if (!c.Rate) {
            EXPECT_EQ(api, nullptr) << c.Option;
            EXPECT_EQ(error.rfind(c.Refusal, 0), 0u) << error;
            continue;
        }
        ASSERT_NE(api, nullptr) << error;
        EXPECT_EQ(api->LineRate(), c.Rate) << c.Option;
    }
}

} // namespace
} // namespace kvx::test
