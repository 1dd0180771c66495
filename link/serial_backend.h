#pragma once
// The link's calls served by Linux's own serial driver: the dongle is a CP210x bridge, and
// with the cp210x driver bound to its product id it is a tty. Dongles are found in sysfs
// on every device poll, so plugging and pulling reach the link as with the vendor library.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/serial_driver.h"
#include "link/usb_api.h"

namespace kvx {

// Sets the port's RTS and DTR lines; 0 or an errno. A test stands in where the tty has no
// modem-control lines (a pseudo-terminal).
using TModemLines = std::function<int(int Descriptor, bool Rts, bool Dtr)>;

struct TSerialSetup {
    // The program never sets a rate: ports open at this one, the line rate the dongle uses.
    static constexpr uint32_t DefaultBaudRate = 9600;

    std::filesystem::path SysfsRoot = "/sys";
    std::filesystem::path DeviceRoot = "/dev";
    TDriverPlaces Driver;
    // A port named by hand: the only device, taken to be the dongle. Empty: search sysfs.
    std::string Port;
    uint32_t BaudRate = DefaultBaudRate;  // one of TtySpeeds()
    TModemLines ModemLines;  // empty: the tty's own lines
};

class TSerialBackend : public IUSBApi {
public:
    static constexpr uint32_t DefaultTimeoutMs = 1000;

    // The table's plain functions reach the backend in place, so there is one at a time:
    // null while another exists.
    static std::unique_ptr<TSerialBackend> Create(TSerialSetup Setup);
    ~TSerialBackend() override;
    TSerialBackend(const TSerialBackend&) = delete;
    TSerialBackend& operator=(const TSerialBackend&) = delete;

    const TSiUSBXpApi& Api() const override { return FApi; }
    // An open port's failure (gone, a failed read) and a refused open at once, until the next
    // open succeeds. What keeps a dongle from being found (no driver bound, no permission, port
    // missing) once two device polls in a row have seen it: udev needs a moment after plugging in.
    std::string Problem() const override;
    uint32_t LineRate() const override { return FSetup.BaudRate; }
    bool SetLineRate(uint32_t BaudRate) override;

    // The calls, as the vendor library answers them.
    SI_STATUS GetNumDevices(uint32_t* NumDevices);
    SI_STATUS GetProductString(uint32_t DeviceNumber, void* Buffer, uint32_t Option);
    SI_STATUS Open(uint32_t DeviceNumber, SI_HANDLE* Handle);
    SI_STATUS Close(SI_HANDLE Handle);
    SI_STATUS Read(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Returned, void* Overlapped);
    SI_STATUS Write(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Written, void* Overlapped);
    SI_STATUS CancelIo(SI_HANDLE Handle);
    SI_STATUS FlushBuffers(SI_HANDLE Handle, uint8_t FlushTransmit, uint8_t FlushReceive);
    SI_STATUS CheckRXQueue(SI_HANDLE Handle, uint32_t* NumBytes, uint32_t* QueueStatus);
    SI_STATUS SetFlowControl(SI_HANDLE Handle, uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR, uint8_t DCD,
                             int XonXoff);
    SI_STATUS SetBaudRate(SI_HANDLE Handle, uint32_t BaudRate);
    SI_STATUS SetLineControl(SI_HANDLE Handle, uint16_t LineControl);
    SI_STATUS SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout);
    SI_STATUS GetTimeouts(uint32_t* ReadTimeout, uint32_t* WriteTimeout);
    SI_STATUS GetVersion(uint32_t* HighVersion, uint32_t* LowVersion);

private:
    struct TDevice {
        std::string Port;
        std::array<std::string, 5> Strings;  // by product-string option: serial, description, link, VID, PID
    };
    struct TPort {
        int Descriptor;
        std::string Path;
        bool Gone = false;
    };

    explicit TSerialBackend(TSerialSetup Setup);
    void Rescan();
    std::vector<TDevice> FindDevices();
    // A port whose device went away, hung up or no longer listed (back under another name), is gone.
    bool HasGone(TPort& Port);
    // Sets the modem-control lines; a pseudo-terminal, which has none, may refuse.
    int DriveModemLines(int Descriptor, bool Rts, bool Dtr);
    TPort* Find(SI_HANDLE Handle);
    // The status for a port in use: invalid handle, gone, or fine (null Port means bad handle).
    SI_STATUS Usable(const TPort* Port) const;
    // A failed system call on an open port: a port that has gone stays gone.
    SI_STATUS Failure(TPort& Port, int Error);

    TSerialSetup FSetup;
    TSiUSBXpApi FApi;
    std::vector<TDevice> FDevices;
    std::vector<std::unique_ptr<TPort>> FPorts;
    std::string FScanProblem;
    std::string FScanProblemBefore;  // what the scan before the last found
    std::string FOpenProblem;
    std::string FPortProblem;
    // The last port that could not be opened. While no other port is open, the second scan
    // after leaves it out, so the device watch sees it go and come again, and opens it once
    // more; the scan between keeps the list as it was for a look at it.
    std::string FRefusedPort;
    bool FRetryRefused = false;
    int FScansSinceRefused = 0;
    uint32_t FReadTimeoutMs = DefaultTimeoutMs;
    uint32_t FWriteTimeoutMs = DefaultTimeoutMs;
};

} // namespace kvx
