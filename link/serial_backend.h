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

#include "link/usb_api.h"

namespace kvx {

// Sets the port's RTS and DTR lines; 0 or an errno. A test stands in where the tty has no
// modem-control lines (a pseudo-terminal).
using TModemLines = std::function<int(int Descriptor, bool Rts, bool Dtr)>;

struct TSerialSetup {
    std::filesystem::path SysfsRoot = "/sys";
    std::filesystem::path DeviceRoot = "/dev";
    // A port named by hand: the only device, taken to be the dongle. Empty: search sysfs.
    std::string Port;
    TModemLines ModemLines;  // empty: the tty's own lines
};

class TSerialBackend : public IUSBApi {
public:
    // The program never sets a rate, so the port opens at the one the dongle is taken to use.
    static constexpr uint32_t OpeningBaudRate = 9600;
    static constexpr uint32_t DefaultTimeoutMs = 1000;

    // The table's plain functions reach the backend in place, so there is one at a time:
    // null while another exists.
    static std::unique_ptr<TSerialBackend> Create(TSerialSetup Setup);
    ~TSerialBackend() override;
    TSerialBackend(const TSerialBackend&) = delete;
    TSerialBackend& operator=(const TSerialBackend&) = delete;

    const TSiUSBXpApi& Api() const override { return FApi; }
    // A port's failure (open refused, gone) until the next open succeeds,
    // and what the last device poll found (no driver bound, no permission, port missing).
    std::string Problem() const override;

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
    std::string FPortProblem;
    uint32_t FReadTimeoutMs = DefaultTimeoutMs;
    uint32_t FWriteTimeoutMs = DefaultTimeoutMs;
};

} // namespace kvx
