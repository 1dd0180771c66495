#pragma once
// kvxctl's connection to a unit: the loaded USB library, the link over it and the device
// object, with a pump that keeps the device watch running and turns Ctrl-C into a stop.
#include <memory>
#include <string>

#include "link/kvx.h"
#include "link/siusbxp_library.h"
#include "link/usbxpress.h"

namespace kvx::cli {

class TConnection {
public:
    // Loads the library; on failure Error names the file and the result is null.
    static std::unique_ptr<TConnection> Open(const std::string& LibraryPath, std::string& Error);
    ~TConnection();

    // Runs the device watch once, so a dongle already plugged in is found and opened.
    void FindDongle();
    // Lets the link's periodic jobs run for Milliseconds (status frames arrive meanwhile).
    void Watch(uint32_t Milliseconds);

    const TSiUSBXpLibrary& Library() const { return *FLibrary; }
    TUSBXpress& USB() { return *FUSB; }
    TKVX& KVX() { return *FKVX; }

private:
    class TPump;
    TConnection(std::unique_ptr<TSiUSBXpLibrary> Library);

    std::unique_ptr<TSiUSBXpLibrary> FLibrary;
    std::unique_ptr<TPump> FPump;
    TUSBXpress* FUSB = nullptr;  // owned by FKVX
    std::unique_ptr<TKVX> FKVX;
};

} // namespace kvx::cli
