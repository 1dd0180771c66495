#include "link/serial_problems.h"

#include <cerrno>
#include <system_error>

namespace kvx {

std::string NoPermissionProblem(const std::string& Port, const std::string& Group)
{
    const std::string rule = std::string("the udev rule ") + DongleUdevRule;
    // Membership of root is no advice worth giving: the rule hands the port to a user group.
    if (Group.empty() || Group == "root") return "No permission to use " + Port + ": install " + rule + ".";
    return "No permission to use " + Port + ": join its group \"" + Group + "\" (sudo usermod -aG " + Group +
           " $USER, then log in again) or install " + rule + ".";
}

std::string OpenProblem(const std::string& Port, int Error, const std::string& Group)
{
    switch (Error) {
    case EACCES:
    case EPERM:
        return NoPermissionProblem(Port, Group);
    case EBUSY:
        return Port + " is in use by another program.";
    default:
        return "Cannot open " + Port + ": " + std::generic_category().message(Error) + ".";
    }
}

std::string DriverNotBoundProblem(const std::vector<std::string>& USBDevices)
{
    std::string where;
    for (const std::string& device : USBDevices) where += (where.empty() ? "" : ", ") + device;
    return "The KVX USB dongle on USB " + where + " has no serial port: the cp210x driver is not bound to it. " +
           "Install the udev rule " + DongleUdevRule + " and plug the dongle in again.";
}

std::string PortGoneProblem(const std::string& Port)
{
    return Port + " went away: the dongle was unplugged or its driver unbound.";
}

std::string PortMissingProblem(const std::string& Port)
{
    return "The serial port " + Port + " is not there.";
}

} // namespace kvx
