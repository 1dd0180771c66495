#pragma once
// What keeps a dongle's serial port from being used, said so the user can act on it.
#include <string>
#include <vector>

#include "link/serial_ports.h"

namespace kvx {

// The udev rule that gives the user's group the port and binds the serial driver.
inline constexpr const char* DongleUdevRule = "60-kvx-dongle.rules";
// Replays the arrival of a dongle already plugged in, so a rule that came since takes it.
inline constexpr const char* DongleTriggerCommand =
    "sudo udevadm trigger --action=add --subsystem-match=usb --attr-match=idVendor=10c4 --attr-match=idProduct=8a4c";

// Error is the errno of the failed open; Group the device node's group, when known.
std::string OpenProblem(const std::string& Port, int Error, const std::string& Group);
std::string NoPermissionProblem(const std::string& Port, const std::string& Group);
std::string DriverNotBoundProblem(const std::vector<TUnboundDongle>& Dongles);
std::string PortGoneProblem(const std::string& Port);
std::string PortMissingProblem(const std::string& Port);

} // namespace kvx
