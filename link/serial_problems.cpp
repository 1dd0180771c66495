#include "link/serial_problems.h"

#include <cerrno>
#include <system_error>

namespace kvx {

namespace {

// What the user can do about a port held or refused: it is opened again by itself.
constexpr const char* CloseAndReplug = "close any other program that uses it and plug the dongle in again";

std::string GroupAdvice(const std::string& Group)
{
    const std::string rule = std::string("the udev rule ") + DongleUdevRule;
    // Membership of root is no advice worth giving: the rule hands the port to a user group.
    if (Group.empty() || Group == "root") return "install " + rule;
    return "join its group \"" + Group + "\" (sudo usermod -aG " + Group + " $USER, then log in again) or install " +
           rule;
}

std::string UnboundAdvice(TUnboundCause Cause)
{
    const std::string rule = std::string("the rule ") + DongleUdevRule;
    switch (Cause) {
    case TUnboundCause::NoDriver:
        return "this kernel has no cp210x driver. Install the package with its modules (on Ubuntu: sudo apt-get "
               "install linux-modules-extra-$(uname -r)), then plug the dongle in again.";
    case TUnboundCause::DriverNotLoaded:
        return "the cp210x driver is not loaded. Load it (sudo modprobe cp210x) and plug the dongle in again.";
    case TUnboundCause::NoRule:
        return std::string("the cp210x driver is not bound to it. Install the udev rule ") + DongleUdevRule +
               " (the kvxconf package does) and plug the dongle in again.";
    case TUnboundCause::RuleNotLoaded:
        return "udev has not loaded " + rule + ". Load it and replay the dongle's arrival: " +
               "sudo udevadm control --reload-rules && " + DongleTriggerCommand;
    case TUnboundCause::PluggedBeforeRule:
        break;
    }
    return "it was plugged in before " + rule + " took effect. Plug it in again, or: " + DongleTriggerCommand;
}

} // namespace

std::string NoPermissionProblem(const std::string& Port, const std::string& Group)
{
    return "No permission to use " + Port + ": " + GroupAdvice(Group) + ".";
}

std::string OpenProblem(const std::string& Port, int Error, const std::string& Group)
{
    switch (Error) {
    case EACCES:
    case EPERM:
        return "No permission to open " + Port + ": " + CloseAndReplug + ". If it still refuses, " +
               GroupAdvice(Group) + ".";
    case EBUSY:
        return Port + " is in use by another program (a terminal program, ModemManager, another kvxconf or kvxctl): " +
               CloseAndReplug + ".";
    default:
        return "Cannot open " + Port + ": " + std::generic_category().message(Error) + ".";
    }
}

std::string DriverNotBoundProblem(const std::vector<TUnboundDongle>& Dongles)
{
    std::string where;
    for (const TUnboundDongle& dongle : Dongles) where += (where.empty() ? "" : ", ") + dongle.USBName;
    // Dongles on one machine share their cause; the first one's is told.
    return "The KVX USB dongle on USB " + where + " has no serial port: " + UnboundAdvice(Dongles.front().Cause);
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
