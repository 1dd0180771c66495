#include "link/serial_backend.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "link/kvx.h"
#include "link/kvx_messages.h"
#include "link/serial_ports.h"
#include "link/serial_problems.h"
#include "link/serial_tty.h"
#include "program_version.h"

namespace kvx {

namespace {

TSerialBackend* Installed = nullptr;

// The table holds plain functions; each forwards to the backend in place.
template <auto Method>
struct TForward;

template <typename... TArgs, SI_STATUS (TSerialBackend::*Method)(TArgs...)>
struct TForward<Method> {
    static SI_STATUS Call(TArgs... Args) { return Installed ? (Installed->*Method)(Args...) : SI_DEVICE_NOT_FOUND; }
};

TSiUSBXpApi ForwardingTable()
{
    TSiUSBXpApi api;
    api.GetNumDevices = &TForward<&TSerialBackend::GetNumDevices>::Call;
    api.GetProductString = &TForward<&TSerialBackend::GetProductString>::Call;
    api.Open = &TForward<&TSerialBackend::Open>::Call;
    api.Close = &TForward<&TSerialBackend::Close>::Call;
    api.Read = &TForward<&TSerialBackend::Read>::Call;
    api.Write = &TForward<&TSerialBackend::Write>::Call;
    api.CancelIo = &TForward<&TSerialBackend::CancelIo>::Call;
    api.FlushBuffers = &TForward<&TSerialBackend::FlushBuffers>::Call;
    api.CheckRXQueue = &TForward<&TSerialBackend::CheckRXQueue>::Call;
    api.SetFlowControl = &TForward<&TSerialBackend::SetFlowControl>::Call;
    api.SetBaudRate = &TForward<&TSerialBackend::SetBaudRate>::Call;
    api.SetLineControl = &TForward<&TSerialBackend::SetLineControl>::Call;
    api.SetTimeouts = &TForward<&TSerialBackend::SetTimeouts>::Call;
    api.GetTimeouts = &TForward<&TSerialBackend::GetTimeouts>::Call;
    api.GetDLLVersion = &TForward<&TSerialBackend::GetVersion>::Call;
    api.GetDriverVersion = &TForward<&TSerialBackend::GetVersion>::Call;
    return api;
}

// The library's line-control word: stop bits in bits 0-3 (0 one, 1 one and a half, 2 two),
// parity in bits 4-7 (none, odd, even, mark, space), data bits in bits 8-15.
bool DecodeLineControl(uint16_t Word, TTtyFraming& Framing)
{
    constexpr char Parities[] = {'N', 'O', 'E', 'M', 'S'};
    const unsigned stop = Word & 0x0Fu;
    const unsigned parity = (Word >> 4) & 0x0Fu;
    Framing.DataBits = Word >> 8;
    if (stop == 1 || stop > 2 || parity >= sizeof Parities) return false;  // a tty has no 1.5 stop bits
    Framing.StopBits = stop == 0 ? 1 : 2;
    Framing.Parity = Parities[parity];
    return true;
}

bool PortHasGone(int Error)
{
    return Error == EIO || Error == ENODEV || Error == ENXIO;
}

std::string Joined(const std::string& First, const std::string& Second)
{
    return First.empty() || Second.empty() ? First + Second : First + " " + Second;
}

} // namespace

std::unique_ptr<TSerialBackend> TSerialBackend::Create(TSerialSetup Setup)
{
    if (Installed) return nullptr;
    std::unique_ptr<TSerialBackend> backend(new TSerialBackend(std::move(Setup)));
    Installed = backend.get();
    return backend;
}

TSerialBackend::TSerialBackend(TSerialSetup Setup) : FSetup(std::move(Setup)), FApi(ForwardingTable())
{
    if (!FSetup.ModemLines) FSetup.ModemLines = SetTtyModemLines;
    NoteSerialLineRate(FSetup.BaudRate);
}

TSerialBackend::~TSerialBackend()
{
    for (const auto& port : FPorts) CloseTty(port->Descriptor);
    NoteSerialLineRate(0);
    Installed = nullptr;
}

std::string TSerialBackend::Problem() const
{
    const std::string settled = FScanProblem == FScanProblemBefore ? FScanProblem : std::string();
    return Joined(Joined(FPortProblem, FOpenProblem), settled);
}

bool TSerialBackend::SetLineRate(uint32_t BaudRate)
{
    const std::vector<uint32_t> rates = TtySpeeds();
    if (std::find(rates.begin(), rates.end(), BaudRate) == rates.end()) return false;
    FSetup.BaudRate = BaudRate;
    NoteSerialLineRate(BaudRate);
    // A port that refuses says so on its next use.
    for (const auto& port : FPorts)
        if (!port->Gone) SetTtySpeed(port->Descriptor, BaudRate);
    return true;
}

std::vector<TSerialBackend::TDevice> TSerialBackend::FindDevices()
{
    std::vector<TDevice> devices;
    FScanProblem.clear();
    if (!FSetup.Port.empty()) {
        std::error_code error;
        if (std::filesystem::exists(FSetup.Port, error))
            devices.push_back({FSetup.Port, {DongleSerial, DongleDescription, FSetup.Port, DongleVID, DonglePID}});
        else
            FScanProblem = PortMissingProblem(FSetup.Port);
        return devices;
    }
    const TDongleScan scan = ScanForDongles(FSetup.SysfsRoot, FSetup.Driver);
    if (!scan.Unbound.empty()) FScanProblem = DriverNotBoundProblem(scan.Unbound);
    for (const TDonglePort& port : scan.Ports) {
        const std::string path = (FSetup.DeviceRoot / port.TtyName).string();
        // A port comes only once it can be opened: udev sets its group just after it appears,
        // and the link opens a dongle once, when it comes.
        std::string group;
        const int error = TtyAccess(path, group);
        if (error == EACCES || error == EPERM) {
            if (FScanProblem.empty()) FScanProblem = NoPermissionProblem(path, group);
            continue;
        }
        devices.push_back({path, {port.Serial, port.Product, path, port.VendorId, port.ProductId}});
    }
    return devices;
}

void TSerialBackend::Rescan()
{
    FDevices = FindDevices();
    const auto refused = std::find_if(FDevices.begin(), FDevices.end(),
                                      [this](const TDevice& device) { return device.Port == FRefusedPort; });
    if (refused == FDevices.end()) {
        // Unplugged: what kept it from opening no longer matters.
        FRefusedPort.clear();
        FOpenProblem.clear();
    } else if (FRetryRefused && ++FScansSinceRefused == 2) {
        FDevices.erase(refused);
        FRetryRefused = false;
    }
}

bool TSerialBackend::HasGone(TPort& Port)
{
    const bool listed = std::any_of(FDevices.begin(), FDevices.end(),
                                    [&Port](const TDevice& device) { return device.Port == Port.Path; });
    if (!Port.Gone && (!listed || TtyHungUp(Port.Descriptor))) {
        Port.Gone = true;
        FPortProblem = PortGoneProblem(Port.Path);
    }
    return Port.Gone;
}

int TSerialBackend::DriveModemLines(int Descriptor, bool Rts, bool Dtr)
{
    const int error = FSetup.ModemLines(Descriptor, Rts, Dtr);
    const bool refusedByPty = (error == ENOTTY || error == EINVAL) && IsPseudoTerminal(Descriptor);
    return refusedByPty ? 0 : error;
}

TSerialBackend::TPort* TSerialBackend::Find(SI_HANDLE Handle)
{
    const auto port = std::find_if(FPorts.begin(), FPorts.end(), [Handle](const auto& p) { return p.get() == Handle; });
    return port == FPorts.end() ? nullptr : port->get();
}

SI_STATUS TSerialBackend::Usable(const TPort* Port) const
{
    if (!Port) return SI_INVALID_HANDLE;
    return Port->Gone ? SI_DEVICE_IO_FAILED : SI_SUCCESS;
}

SI_STATUS TSerialBackend::Failure(TPort& Port, int Error)
{
    if (PortHasGone(Error)) {
        Port.Gone = true;
        FPortProblem = PortGoneProblem(Port.Path);
    } else {
        FPortProblem = Port.Path + ": " + std::generic_category().message(Error) + ".";
    }
    return SI_DEVICE_IO_FAILED;
}

SI_STATUS TSerialBackend::GetNumDevices(uint32_t* NumDevices)
{
    if (!NumDevices) return SI_INVALID_PARAMETER;
    FScanProblemBefore = FScanProblem;
    Rescan();
    // While an open port has gone (maybe back already as another ttyUSB) there is no device at
    // all: the device watch lets go of it, and takes the dongle afresh on the next poll.
    const bool gone = std::any_of(FPorts.begin(), FPorts.end(), [this](const auto& port) { return HasGone(*port); });
    *NumDevices = gone ? 0 : static_cast<uint32_t>(FDevices.size());
    return *NumDevices ? SI_SUCCESS : SI_DEVICE_NOT_FOUND;
}

SI_STATUS TSerialBackend::GetProductString(uint32_t DeviceNumber, void* Buffer, uint32_t Option)
{
    if (!Buffer || Option > SI_RETURN_PID) return SI_INVALID_PARAMETER;
    if (DeviceNumber >= FDevices.size()) return SI_DEVICE_NOT_FOUND;
    const std::string& text = FDevices[DeviceNumber].Strings[Option];
    const size_t length = std::min<size_t>(text.size(), SI_MAX_DEVICE_STRLEN - 1);
    std::memcpy(Buffer, text.data(), length);
    static_cast<char*>(Buffer)[length] = '\0';
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::Open(uint32_t DeviceNumber, SI_HANDLE* Handle)
{
    if (!Handle) return SI_INVALID_PARAMETER;
    *Handle = nullptr;
    if (DeviceNumber >= FDevices.size()) return SI_DEVICE_NOT_FOUND;
    const std::string path = FDevices[DeviceNumber].Port;
    // Opening a tty raises RTS and DTR, and setting its line may raise them again; the unit is
    // to see RTS only around a configuration session.
    int descriptor = -1;
    int error = OpenTty(path, descriptor);
    if (!error) error = DriveModemLines(descriptor, false, false);
    if (!error) error = MakeTtyRaw(descriptor, FSetup.BaudRate);
    if (!error) error = DriveModemLines(descriptor, false, false);
    if (error) {
        CloseTty(descriptor);
        std::string group;
        TtyAccess(path, group);
        FOpenProblem = OpenProblem(path, error, group);
        FRefusedPort = path;
        FRetryRefused = FPorts.empty();
        FScansSinceRefused = 0;
        return error == ENOENT || error == ENODEV || error == ENXIO ? SI_DEVICE_NOT_FOUND : SI_SYSTEM_ERROR_CODE;
    }
    FPorts.push_back(std::make_unique<TPort>(TPort{descriptor, path}));
    FOpenProblem.clear();
    FRefusedPort.clear();
    FPortProblem.clear();
    *Handle = FPorts.back().get();
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::Close(SI_HANDLE Handle)
{
    const TPort* port = Find(Handle);
    if (!port) return SI_INVALID_HANDLE;
    CloseTty(port->Descriptor);
    std::erase_if(FPorts, [port](const auto& p) { return p.get() == port; });
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::Read(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Returned, void*)
{
    if (!Buffer || !Returned) return SI_INVALID_PARAMETER;
    *Returned = 0;
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    const int error = ReadTty(port->Descriptor, static_cast<uint8_t*>(Buffer), Count, FReadTimeoutMs, *Returned);
    if (error == ETIMEDOUT) return SI_READ_TIMED_OUT;
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::Write(SI_HANDLE Handle, void* Buffer, uint32_t Count, uint32_t* Written, void*)
{
    if (!Buffer || !Written) return SI_INVALID_PARAMETER;
    *Written = 0;
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    const int error =
        WriteTty(port->Descriptor, static_cast<const uint8_t*>(Buffer), Count, FWriteTimeoutMs, *Written);
    if (error == ETIMEDOUT) return SI_WRITE_TIMED_OUT;
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::CancelIo(SI_HANDLE Handle)
{
    // Reads and writes finish before they return: there is never anything to cancel.
    const SI_STATUS status = Usable(Find(Handle));
    return status ? status : SI_NOTHING_TO_CANCEL;
}

SI_STATUS TSerialBackend::FlushBuffers(SI_HANDLE Handle, uint8_t FlushTransmit, uint8_t FlushReceive)
{
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    const int error = FlushTty(port->Descriptor, FlushTransmit != 0, FlushReceive != 0);
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::CheckRXQueue(SI_HANDLE Handle, uint32_t* NumBytes, uint32_t* QueueStatus)
{
    if (!NumBytes || !QueueStatus) return SI_INVALID_PARAMETER;
    *NumBytes = 0;
    *QueueStatus = SI_RX_EMPTY;
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    if (const int error = TtyBytesWaiting(port->Descriptor, *NumBytes)) return Failure(*port, error);
    *QueueStatus = *NumBytes ? SI_RX_READY : SI_RX_EMPTY;
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::SetFlowControl(SI_HANDLE Handle, uint8_t CTS, uint8_t RTS, uint8_t DTR, uint8_t DSR,
                                         uint8_t DCD, int XonXoff)
{
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    if (CTS > SI_HANDSHAKE_LINE || DSR > SI_HANDSHAKE_LINE || DCD > SI_HANDSHAKE_LINE ||
        RTS > SI_FIRMWARE_CONTROLLED || DTR > SI_FIRMWARE_CONTROLLED)
        return SI_INVALID_PARAMETER;
    // A tty knows only RTS/CTS and XON/XOFF handshakes; DSR and DCD stay status inputs.
    const bool rtsCts = CTS == SI_HANDSHAKE_LINE || RTS == SI_FIRMWARE_CONTROLLED;
    int error = SetTtyHandshake(port->Descriptor, rtsCts, XonXoff != 0);
    if (!error) error = DriveModemLines(port->Descriptor, RTS == SI_HELD_ACTIVE, DTR != SI_HELD_INACTIVE);
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::SetBaudRate(SI_HANDLE Handle, uint32_t BaudRate)
{
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    const int error = SetTtySpeed(port->Descriptor, BaudRate);
    if (error == EINVAL) return SI_INVALID_BAUDRATE;
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::SetLineControl(SI_HANDLE Handle, uint16_t LineControl)
{
    TPort* port = Find(Handle);
    if (const SI_STATUS status = Usable(port)) return status;
    TTtyFraming framing;
    if (!DecodeLineControl(LineControl, framing)) return SI_INVALID_PARAMETER;
    const int error = SetTtyFraming(port->Descriptor, framing);
    if (error == EINVAL) return SI_INVALID_PARAMETER;
    return error ? Failure(*port, error) : SI_SUCCESS;
}

SI_STATUS TSerialBackend::SetTimeouts(uint32_t ReadTimeout, uint32_t WriteTimeout)
{
    FReadTimeoutMs = ReadTimeout;
    FWriteTimeoutMs = WriteTimeout;
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::GetTimeouts(uint32_t* ReadTimeout, uint32_t* WriteTimeout)
{
    if (!ReadTimeout || !WriteTimeout) return SI_INVALID_PARAMETER;
    *ReadTimeout = FReadTimeoutMs;
    *WriteTimeout = FWriteTimeoutMs;
    return SI_SUCCESS;
}

SI_STATUS TSerialBackend::GetVersion(uint32_t* HighVersion, uint32_t* LowVersion)
{
    if (!HighVersion || !LowVersion) return SI_INVALID_PARAMETER;
    // The program's own version, in the library's layout: major and minor in the high word.
    *HighVersion = ProgramVersionMajor << 16 | ProgramVersionMinor;
    *LowVersion = 0;
    return SI_SUCCESS;
}

} // namespace kvx
