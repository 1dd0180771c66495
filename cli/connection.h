#pragma once
// kvxctl's connection to a unit: the USB calls (vendor library or serial backend), the link
// over them and the device object, with a pump that keeps the device watch running and turns Ctrl-C into a stop.
#include <functional>
#include <memory>
#include <string>

#include "link/kvx.h"
#include "link/usb_api.h"
#include "link/usbxpress.h"

namespace kvx::cli {

class TConnection {
public:
    // Opens what Choice asks for; on failure Error says why and the result is null.
    static std::unique_ptr<TConnection> Open(const TUSBApiChoice& Choice, std::string& Error);
    explicit TConnection(std::unique_ptr<IUSBApi> Api);
    ~TConnection();

    // Runs the device watch, so a dongle already plugged in is found and opened; when none
    // opens, once more a watch interval later.
    void FindDongle();
    // Lets the link's periodic jobs run for Milliseconds (status frames arrive meanwhile), or
    // until Ctrl-C, or until Done (when given) says so.
    void Watch(uint32_t Milliseconds, const std::function<bool()>& Done = {});
    // Ctrl-C was pressed while a connection was open.
    static bool Interrupted();

    const IUSBApi& Api() const { return *FApi; }
    TUSBXpress& USB() { return *FUSB; }
    TKVX& KVX() { return *FKVX; }

private:
    class TPump;

    std::unique_ptr<IUSBApi> FApi;
    std::unique_ptr<TPump> FPump;
    TUSBXpress* FUSB = nullptr;  // owned by FKVX
    std::unique_ptr<TKVX> FKVX;
};

} // namespace kvx::cli
