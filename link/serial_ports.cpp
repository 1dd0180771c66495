#include "link/serial_ports.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>
#include <tuple>

#include "link/kvx.h"

namespace kvx {

namespace fs = std::filesystem;

namespace {

// A sysfs attribute is one line; missing or unreadable reads as empty.
std::string Attribute(const fs::path& Device, const char* Name)
{
    std::ifstream in(Device / Name);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    return line;
}

// The class devices of the ttys below a USB device: .../1-2:1.0/ttyUSB0/tty/ttyUSB0.
std::vector<std::string> TtysBelow(const fs::path& Device)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::recursive_directory_iterator it(Device, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        if (it->is_directory(error) && it->path().parent_path().filename() == "tty")
            names.push_back(it->path().filename().string());
    }
    return names;
}

size_t DigitsStart(const std::string& Name)
{
    size_t at = Name.size();
    while (at > 0 && std::isdigit(static_cast<unsigned char>(Name[at - 1]))) --at;
    return at;
}

// ttyUSB2 before ttyUSB10.
bool TtyNameLess(const std::string& Left, const std::string& Right)
{
    const auto key = [](const std::string& name) {
        const size_t digits = DigitsStart(name);
        return std::make_tuple(name.substr(0, digits), name.size() - digits, name.substr(digits));
    };
    return key(Left) < key(Right);
}

} // namespace

TDongleScan ScanForDongles(const fs::path& SysfsRoot, const TDriverPlaces& Places)
{
    TDongleScan scan;
    std::error_code error;
    for (fs::directory_iterator it(SysfsRoot / "bus" / "usb" / "devices", error), end; !error && it != end;
         it.increment(error)) {
        const fs::path device = it->path();
        const std::string vendor = Attribute(device, "idVendor");
        const std::string product = Attribute(device, "idProduct");
        // sysfs writes the ids as the dongle check expects them: four lower-case hex digits.
        if (vendor != DongleVID || product != DonglePID) continue;
        const std::vector<std::string> ttys = TtysBelow(device);
        if (ttys.empty())
            scan.Unbound.push_back({device.filename().string(), UnboundCause(UnboundFacts(SysfsRoot, device, Places))});
        for (const std::string& tty : ttys)
            scan.Ports.push_back({tty, Attribute(device, "serial"), Attribute(device, "product"), vendor, product});
    }
    std::sort(scan.Ports.begin(), scan.Ports.end(),
              [](const TDonglePort& a, const TDonglePort& b) { return TtyNameLess(a.TtyName, b.TtyName); });
    std::sort(scan.Unbound.begin(), scan.Unbound.end(),
              [](const TUnboundDongle& a, const TUnboundDongle& b) { return a.USBName < b.USBName; });
    return scan;
}

} // namespace kvx
