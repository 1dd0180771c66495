#pragma once
#include <cstdint>
#include <string>

namespace kvx {

// One USB device as the link enumerates it; strings are the library's bytes, one char each.
struct TDeviceInfo {
    uint32_t DeviceNumber = 0;
    std::string Serial;
    std::string Description;
    std::string LinkName;
    std::string VID;
    std::string PID;

    // Two devices are the same when all five strings match exactly; the number is not compared.
    bool SameDevice(const TDeviceInfo& other) const
    {
        return Serial == other.Serial && Description == other.Description && LinkName == other.LinkName &&
               VID == other.VID && PID == other.PID;
    }
};

} // namespace kvx
