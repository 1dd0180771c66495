#pragma once
// Why the kernel's cp210x driver has not taken a dongle: no driver in this kernel, a driver not
// loaded, no udev rule, a rule udev has not loaded, or a dongle plugged in before the rule came.
// Told from udev's rules and its record of the dongle, and from the kernel's modules.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kvx {

// Where the system keeps those; tests lay out their own.
struct TDriverPlaces {
    std::vector<std::filesystem::path> RuleFolders = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                                      "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
    std::filesystem::path UdevRecords = "/run/udev/data";
    std::filesystem::path KernelModules = RunningKernelModules();  // /lib/modules/<release>

    static std::filesystem::path RunningKernelModules();
};

// The property the rule gives the dongle's USB device, found in udev's record once the rule ran.
inline constexpr const char* DongleRuleMark = "ID_KVX_DONGLE";

enum class TUnboundCause { NoDriver, DriverNotLoaded, NoRule, RuleNotLoaded, PluggedBeforeRule };

struct TUnboundFacts {
    bool DriverLoaded = false;     // cp210x is registered with the kernel
    bool DriverInstalled = false;  // loaded, or a module of the running kernel (or that cannot be known)
    bool RuleInstalled = false;
    bool RuleApplied = false;      // udev's record of the dongle carries the rule's mark
    // Nanoseconds since the epoch: when the rule file came, when udev last recorded the dongle.
    std::optional<int64_t> RuleSince;
    std::optional<int64_t> RecordedAt;
};

TUnboundCause UnboundCause(const TUnboundFacts& Facts);

// The facts for one dongle's USB device (its folder below SysfsRoot/devices).
TUnboundFacts UnboundFacts(const std::filesystem::path& SysfsRoot, const std::filesystem::path& USBDevice,
                           const TDriverPlaces& Places);

} // namespace kvx
