#pragma once
// A sysfs tree in a temporary folder, laid out as the kernel lays out USB serial adapters:
// the device under devices/, its interface, the usb-serial port and its tty class device,
// and the device's entry in bus/usb/devices/. Beside it, what decides whether the cp210x
// driver takes a dongle: the driver's registration, the kernel's modules, udev's rules and its
// records of devices (all empty until a test puts them there).
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/serial_driver.h"
#include "link/serial_problems.h"

namespace kvx::test {

struct TUSBSerialAdapter {
    std::string USBName = "1-2";  // bus-port, as sysfs names USB devices
    std::string Vendor = "10c4";
    std::string Product = "8a4c";
    std::string Serial = "0001";
    std::string Description = "KVX USB Dongle";
    std::string Tty = "ttyUSB0";  // empty: no serial driver bound
};

class TFakeSysfs {
public:
    TFakeSysfs()
        : FRoot(std::filesystem::temp_directory_path() /
                ("kvx_sysfs_" + std::to_string(::getpid()) + "_" + std::to_string(++Created)))
    {
        std::filesystem::remove_all(FRoot);
        std::filesystem::create_directories(FRoot / "bus" / "usb" / "devices");
    }
    ~TFakeSysfs() { std::filesystem::remove_all(FRoot); }
    TFakeSysfs(const TFakeSysfs&) = delete;
    TFakeSysfs& operator=(const TFakeSysfs&) = delete;

    const std::filesystem::path& Root() const { return FRoot; }

    TDriverPlaces Places() const
    {
        TDriverPlaces places;
        places.RuleFolders = {FRoot / "etc" / "udev" / "rules.d", FRoot / "lib" / "udev" / "rules.d"};
        places.UdevRecords = FRoot / "run" / "udev" / "data";
        places.KernelModules = FRoot / "lib" / "modules" / "6.1.0-test";
        return places;
    }

    void RegisterDriver() { std::filesystem::create_directories(FRoot / "bus" / "usb-serial" / "drivers" / "cp210x"); }
    void InstallModules(bool WithCp210x)
    {
        const auto folder = Places().KernelModules;
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "modules.dep") << "kernel/drivers/usb/serial/usbserial.ko:\n"
                                              << (WithCp210x ? "kernel/drivers/usb/serial/cp210x.ko: "
                                                               "kernel/drivers/usb/serial/usbserial.ko\n"
                                                             : "");
    }
    void InstallRule()
    {
        const auto folder = Places().RuleFolders.back();
        std::filesystem::create_directories(folder);
        std::ofstream(folder / DongleUdevRule) << "# the rule\n";
    }
    // udev's record of a plugged adapter, written at When, with the rule's mark or without.
    void RecordInUdev(const std::string& USBName, bool Marked, std::filesystem::file_time_type When)
    {
        std::ifstream in(DevicePath(USBName) / "dev");
        std::string number;
        std::getline(in, number);
        const auto record = Places().UdevRecords / ("c" + number);
        std::filesystem::create_directories(record.parent_path());
        std::ofstream(record) << "I:1234\nE:ID_VENDOR_ID=10c4\n" << (Marked ? std::string("E:") + DongleRuleMark + "=1\n" : "");
        std::filesystem::last_write_time(record, When);
    }

    void Plug(const TUSBSerialAdapter& Adapter)
    {
        const auto device = DevicePath(Adapter.USBName);
        const auto interface = device / (Adapter.USBName + ":1.0");
        std::filesystem::create_directories(interface);
        if (!Adapter.Tty.empty()) std::filesystem::create_directories(interface / Adapter.Tty / "tty" / Adapter.Tty);
        const auto attribute = [&device](const char* name, const std::string& value) {
            std::ofstream(device / name) << value << "\n";
        };
        attribute("idVendor", Adapter.Vendor);
        attribute("idProduct", Adapter.Product);
        attribute("serial", Adapter.Serial);
        attribute("product", Adapter.Description);
        attribute("dev", "189:" + std::to_string(++FDevices));
        // Interfaces are listed beside devices; they carry no ids.
        const auto listing = FRoot / "bus" / "usb" / "devices";
        std::filesystem::create_directory_symlink(std::filesystem::relative(device, listing), listing / Adapter.USBName);
        std::filesystem::create_directory_symlink(std::filesystem::relative(interface, listing),
                                                  listing / interface.filename());
    }

    void Unplug(const std::string& USBName)
    {
        std::filesystem::remove_all(DevicePath(USBName));
        std::filesystem::remove(FRoot / "bus" / "usb" / "devices" / USBName);
        std::filesystem::remove(FRoot / "bus" / "usb" / "devices" / (USBName + ":1.0"));
    }

private:
    std::filesystem::path DevicePath(const std::string& USBName) const
    {
        return FRoot / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" / USBName;
    }

    static inline std::atomic<int> Created{0};
    std::filesystem::path FRoot;
    int FDevices = 0;
};

} // namespace kvx::test
