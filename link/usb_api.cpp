#include "link/usb_api.h"

#include <cstdlib>

#include "link/siusbxp_library.h"
#ifdef __linux__
#include "link/serial_backend.h"
#endif

namespace kvx {

namespace {

#ifdef __linux__
std::unique_ptr<IUSBApi> OpenSerialBackend(const std::string& Port, std::string& Error)
{
    TSerialSetup setup;
    setup.Port = Port;
    // Tests lay out a sysfs tree of their own.
    if (const char* root = std::getenv("KVX_SYSFS_ROOT"); root && *root) setup.SysfsRoot = root;
    auto backend = TSerialBackend::Create(std::move(setup));
    if (!backend) Error = "the serial backend is already in use";
    return backend;
}
#else
std::unique_ptr<IUSBApi> OpenSerialBackend(const std::string&, std::string& Error)
{
    Error = "serial ports (--serial-port) are used on Linux only";
    return nullptr;
}
#endif

} // namespace

std::unique_ptr<IUSBApi> OpenUSBApi(const TUSBApiChoice& Choice, std::string& Error)
{
    Error.clear();
    if (Choice.Library.empty() && !Choice.SerialPort.empty()) return OpenSerialBackend(Choice.SerialPort, Error);
    const std::string path = ResolveUSBLibraryPath(Choice.Library, Choice.ProgramFolder);
    auto library = TSiUSBXpLibrary::Load(path, Error);
    if (library) return library;
#ifdef __linux__
    // No library named and none installed: Linux's own serial driver serves the dongle.
    if (path == DefaultUSBLibraryName()) return OpenSerialBackend({}, Error);
#endif
    return nullptr;
}

} // namespace kvx
