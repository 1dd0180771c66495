#pragma once
// A sysfs tree in a temporary folder, laid out as the kernel lays out USB serial adapters:
// the device under devices/, its interface, the usb-serial port and its tty class device,
// and the device's entry in bus/usb/devices/.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

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
};

} // namespace kvx::test
