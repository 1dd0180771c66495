#include "link/usb_api.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "link/siusbxp_library.h"
#ifdef __linux__
#include "link/serial_backend.h"
#include "link/serial_tty.h"
#endif

namespace kvx {

namespace {

#ifdef __linux__
// A line rate given as text; Source names where it came from.
bool ReadLineRate(const std::string& Text, const std::string& Source, uint32_t& Rate, std::string& Error)
{
    const std::vector<uint32_t> rates = TtySpeeds();
    uint32_t value = 0;
    const char* end = Text.data() + Text.size();
    const auto [stop, problem] = std::from_chars(Text.data(), end, value);
    if (problem == std::errc() && stop == end && std::find(rates.begin(), rates.end(), value) != rates.end()) {
        Rate = value;
        return true;
    }
    std::string known;
    for (const uint32_t rate : rates) known += (known.empty() ? "" : ", ") + std::to_string(rate);
    Error = Source + ": \"" + Text + "\" is not a serial line rate (one of " + known + ")";
    return false;
}

// --serial-baud, else KVX_SERIAL_BAUD, else the program's setting, else the dongle's usual rate.
bool ChooseLineRate(const TUSBApiChoice& Choice, uint32_t& Rate, std::string& Error)
{
    if (!Choice.SerialBaud.empty()) return ReadLineRate(Choice.SerialBaud, "--serial-baud", Rate, Error);
    if (const char* text = std::getenv("KVX_SERIAL_BAUD"); text && *text)
        return ReadLineRate(text, "KVX_SERIAL_BAUD", Rate, Error);
    Rate = TSerialSetup::DefaultBaudRate;
    const std::vector<uint32_t> rates = TtySpeeds();
    if (std::find(rates.begin(), rates.end(), Choice.SavedSerialBaud) != rates.end()) Rate = Choice.SavedSerialBaud;
    return true;
}

std::unique_ptr<IUSBApi> OpenSerialBackend(const TUSBApiChoice& Choice, const std::string& Port, std::string& Error)
{
    TSerialSetup setup;
    setup.Port = Port;
    if (!ChooseLineRate(Choice, setup.BaudRate, Error)) return nullptr;
    // Tests lay out a sysfs tree of their own.
    if (const char* root = std::getenv("KVX_SYSFS_ROOT"); root && *root) setup.SysfsRoot = root;
    auto backend = TSerialBackend::Create(std::move(setup));
    if (!backend) Error = "the serial backend is already in use";
    return backend;
}
#else
std::unique_ptr<IUSBApi> OpenSerialBackend(const TUSBApiChoice&, const std::string&, std::string& Error)
{
    Error = "serial ports (--serial-port) are used on Linux only";
    return nullptr;
}
#endif

} // namespace

std::unique_ptr<IUSBApi> OpenUSBApi(const TUSBApiChoice& Choice, std::string& Error)
{
    Error.clear();
    if (Choice.Library.empty() && !Choice.SerialPort.empty()) return OpenSerialBackend(Choice, Choice.SerialPort, Error);
    const std::string path = ResolveUSBLibraryPath(Choice.Library, Choice.ProgramFolder);
    auto library = TSiUSBXpLibrary::Load(path, Error);
    if (library) return library;
#ifdef __linux__
    // No library named and none installed: Linux's own serial driver serves the dongle.
    if (path == DefaultUSBLibraryName()) return OpenSerialBackend(Choice, {}, Error);
#endif
    return nullptr;
}

} // namespace kvx
