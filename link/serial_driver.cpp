#include "link/serial_driver.h"

#include <sys/stat.h>
#include <sys/utsname.h>

#include <fstream>
#include <string>

#include "link/serial_problems.h"

namespace kvx {

namespace fs = std::filesystem;

namespace {

int64_t Nanoseconds(const timespec& Time)
{
    return static_cast<int64_t>(Time.tv_sec) * 1'000'000'000 + Time.tv_nsec;
}

bool FileHolds(const fs::path& File, const std::string& Text)
{
    std::ifstream in(File);
    for (std::string line; std::getline(in, line);)
        if (line.find(Text) != std::string::npos) return true;
    return false;
}

// The rule udev uses: the first of that name in the folders, by their precedence. One masked
// with /dev/null (or left empty) counts as none. Since when it is there: the time its file
// came (its change time), which neither cp -p nor dpkg sets back.
void FindRule(const TDriverPlaces& Places, TUnboundFacts& Facts)
{
    for (const fs::path& folder : Places.RuleFolders) {
        struct stat rule {};
        if (::stat((folder / DongleUdevRule).c_str(), &rule) != 0) continue;
        Facts.RuleInstalled = S_ISREG(rule.st_mode) && rule.st_size > 0;
        if (Facts.RuleInstalled) Facts.RuleSince = Nanoseconds(rule.st_ctim);
        return;
    }
}

// udev keeps what it recorded of a device in a file named after its device number ("c189:1").
void ReadUdevRecord(const fs::path& USBDevice, const TDriverPlaces& Places, TUnboundFacts& Facts)
{
    std::ifstream in(USBDevice / "dev");
    std::string number;
    if (!std::getline(in, number) || number.empty()) return;
    const fs::path record = Places.UdevRecords / ("c" + number);
    struct stat recorded {};
    if (::stat(record.c_str(), &recorded) != 0) return;
    Facts.RecordedAt = Nanoseconds(recorded.st_mtim);
    Facts.RuleApplied = FileHolds(record, std::string("E:") + DongleRuleMark + "=1");
}

} // namespace

fs::path TDriverPlaces::RunningKernelModules()
{
    utsname system{};
    return ::uname(&system) == 0 ? fs::path("/lib/modules") / system.release : fs::path();
}

TUnboundCause UnboundCause(const TUnboundFacts& Facts)
{
    if (!Facts.DriverInstalled) return TUnboundCause::NoDriver;
    if (!Facts.RuleInstalled) return TUnboundCause::NoRule;
    // The rule ran: it loads the driver and tells it the dongle's id.
    if (Facts.RuleApplied) return Facts.DriverLoaded ? TUnboundCause::PluggedBeforeRule : TUnboundCause::DriverNotLoaded;
    if (Facts.RecordedAt && Facts.RuleSince && *Facts.RuleSince > *Facts.RecordedAt)
        return TUnboundCause::PluggedBeforeRule;
    return TUnboundCause::RuleNotLoaded;
}

TUnboundFacts UnboundFacts(const fs::path& SysfsRoot, const fs::path& USBDevice, const TDriverPlaces& Places)
{
    TUnboundFacts facts;
    std::error_code error;
    facts.DriverLoaded = fs::exists(SysfsRoot / "bus" / "usb-serial" / "drivers" / "cp210x", error);
    // A kernel whose modules cannot be seen (a container) is not said to lack the driver.
    facts.DriverInstalled = facts.DriverLoaded || !fs::exists(Places.KernelModules, error) ||
                            FileHolds(Places.KernelModules / "modules.dep", "/cp210x.ko") ||
                            FileHolds(Places.KernelModules / "modules.builtin", "/cp210x.ko");
    FindRule(Places, facts);
    ReadUdevRecord(USBDevice, Places, facts);
    return facts;
}

} // namespace kvx
