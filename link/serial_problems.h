#pragma once
// What keeps a dongle's serial port from being used, said so the user can act on it.
#include <string>
#include <vector>

namespace kvx {

// The udev rule that gives the user's group the port and binds the serial driver.
inline constexpr const char* DongleUdevRule = "60-kvx-dongle.rules";

// Error is the errno of the failed open; Group the device node's group, when known.
std::string OpenProblem(const std::string& Port, int Error, const std::string& Group);
std::string NoPermissionProblem(const std::string& Port, const std::string& Group);
// USBDevices: sysfs names (1-2) of dongles that no serial driver took.
std::string DriverNotBoundProblem(const std::vector<std::string>& USBDevices);
std::string PortGoneProblem(const std::string& Port);
std::string PortMissingProblem(const std::string& Port);

} // namespace kvx
