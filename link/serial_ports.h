#pragma once
// Finding the dongle's serial ports in sysfs: the ttys below a USB device with the dongle's
// vendor and product ids, described by that device's own attributes. The root is a
// parameter so tests can lay out a tree of their own.
#include <filesystem>
#include <string>
#include <vector>

namespace kvx {

struct TDonglePort {
    std::string TtyName;  // ttyUSB0
    std::string Serial;
    std::string Product;
    std::string VendorId;
    std::string ProductId;
};

struct TDongleScan {
    std::vector<TDonglePort> Ports;      // in the order of their names' numbers
    std::vector<std::string> Unbound;    // USB devices (1-2) with the dongle's ids but no tty: no driver bound
};

TDongleScan ScanForDongles(const std::filesystem::path& SysfsRoot);

} // namespace kvx
