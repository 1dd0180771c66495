#pragma once
// Where the link's calls come from: the vendor library loaded at run time or, on Linux, the
// built-in serial backend over the dongle's tty. Both fill the same table.
#include <filesystem>
#include <memory>
#include <string>

#include "link/siusbxp_api.h"

namespace kvx {

// Every call the link makes.
struct TSiUSBXpApi {
    SI_GetNumDevices_t GetNumDevices = nullptr;
    SI_GetProductString_t GetProductString = nullptr;
    SI_Open_t Open = nullptr;
    SI_Close_t Close = nullptr;
    SI_Read_t Read = nullptr;
    SI_Write_t Write = nullptr;
    SI_CancelIo_t CancelIo = nullptr;
    SI_FlushBuffers_t FlushBuffers = nullptr;
    SI_CheckRXQueue_t CheckRXQueue = nullptr;
    SI_SetFlowControl_t SetFlowControl = nullptr;
    SI_SetBaudRate_t SetBaudRate = nullptr;
    SI_SetLineControl_t SetLineControl = nullptr;
    SI_SetTimeouts_t SetTimeouts = nullptr;
    SI_GetTimeouts_t GetTimeouts = nullptr;
    SI_GetDLLVersion_t GetDLLVersion = nullptr;
    SI_GetDriverVersion_t GetDriverVersion = nullptr;
};

// The line rates worth trying first for a dongle reached through its serial port.
inline constexpr uint32_t UsualLineRates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200};

class IUSBApi {
public:
    virtual ~IUSBApi() = default;
    // Valid as long as this object lives.
    virtual const TSiUSBXpApi& Api() const = 0;
    // What keeps a dongle from being used, in words for the user; empty when nothing is known.
    virtual std::string Problem() const { return {}; }
    // The serial line's rate when the calls go over a serial port; 0 otherwise.
    virtual uint32_t LineRate() const { return 0; }
    // Uses BaudRate from now on, on an open port too; false without a serial line or for a rate
    // it has no setting for.
    virtual bool SetLineRate(uint32_t /*BaudRate*/) { return false; }
};

// What the user asked for. A library named here (--usb-library, or the simulator) wins; then
// a port named by hand; then KVX_USB_LIBRARY; then the platform's library when it loads; on
// Linux, failing that, the serial backend finds the dongles itself.
struct TUSBApiChoice {
    std::string Library;
    std::string SerialPort;
    std::filesystem::path ProgramFolder;  // the platform's library is looked for here first
    // The serial line's rate: --serial-baud as given, else KVX_SERIAL_BAUD, else the program's
    // setting (0: none), else the rate the dongle usually has.
    std::string SerialBaud;
    uint32_t SavedSerialBaud = 0;
};

// Null and a one-line Error when the choice cannot be had.
std::unique_ptr<IUSBApi> OpenUSBApi(const TUSBApiChoice& Choice, std::string& Error);

} // namespace kvx
