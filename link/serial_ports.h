#pragma once
// Finding the dongle's serial ports in sysfs: the ttys below a USB device with the dongle's
// vendor and product ids, described by that device's own attributes. The root is a
// parameter so tests can lay out a tree of their own.
#include <filesystem>
#include <string>
#include <vector>

#include "link/serial_driver.h"

namespace kvx {

struct TDonglePort {
    std::string TtyName;  // ttyUSB0
    std::string Serial;
    std::string Product;
    std::string VendorId;
    std::string ProductId;
};

// A USB device with the dongle's ids but no tty: no driver bound.
struct TUnboundDongle {
    std::string USBName;  // 1-2
    TUnboundCause Cause;
};

struct TDongleScan {
    std::vector<TDonglePort> Ports;        // in the order of their names' numbers
    std::vector<TUnboundDongle> Unbound;   // by name
};

TDongleScan ScanForDongles(const std::filesystem::path& SysfsRoot, const TDriverPlaces& Places);

} // namespace kvx
