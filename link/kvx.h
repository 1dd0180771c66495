#pragma once
// The connection to the unit: recognises the programming dongle among the devices the
// link reports and runs the request/reply protocol over it. Synchronous; every wait goes
// through the injected pump so the window stays alive and a stop request can arrive.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/kvx_config.h"
#include "link/event_pump.h"
#include "link/kvx_frames.h"
#include "link/kvx_result.h"
#include "link/unit_identity.h"
#include "link/usb_link.h"

namespace kvx {

// The dongle's identity as the link reports it.
inline constexpr const char* DongleSerial = "0001";
inline constexpr const char* DongleDescription = "KVX USB Dongle";
inline constexpr const char* DongleVID = "10c4";
inline constexpr const char* DonglePID = "8a4c";

bool IsKVXDongle(const TDeviceInfo& DeviceInfo);

// The page indexes 0..511 in address order: a full read or write.
const std::vector<uint16_t>& EveryPage();

// The image as a full write sends it: Password in the access password's bytes (space
// padded), byte 0 set to 0xFF and the flags at 2046..2047 to 0xAA 0x55.
void MarkImageForUnit(TKVXConfig& Image, const std::u16string& Password);

class TKVX {
public:
    static constexpr size_t BufferSize = 1024;
    static constexpr uint16_t ReplyWaitMs = 1000;

    TKVX(std::unique_ptr<IUSBLink> Link, IEventPump& Pump, TLocalClock Clock = SystemLocalDateTime);
    ~TKVX();
    TKVX(const TKVX&) = delete;
    TKVX& operator=(const TKVX&) = delete;

    // Raised only when assigned.
    std::function<void()> OnDeviceConnect;
    std::function<void()> OnDeviceDisconnect;
    std::function<void(uint8_t ErrorCode)> OnError;
    std::function<void(uint32_t Count)> OnRxData;
    std::function<void(uint16_t Position)> SetProgressBarPosition;

    bool DeviceConnected() const { return FDeviceConnected; }
    IUSBLink& USB() { return *FUSB; }
    const TDeviceInfo& USBInfo() const { return FUSBInfo; }

    void Terminate() { FTerminate = true; }
    // Every transfer and password operation below runs one configuration session and ends
    // with OK, Stopped, or the first failure of the session's steps: ControlLineFailed,
    // NoConfigMode, then (transfers only) NoBeginTransfer, then the work's own failure; a
    // failure to lower the control line (LowerLineFailed for transfers, ControlLineFailed for
    // passwords) replaces that, and NoExitConfig replaces all.
    // Reads the whole memory; the work fails with PageReadFailed.
    TKVXResult ReadConfig(TKVXConfig* KVXConfig);
    // Writes the whole memory (reading it first when it is not known, with a read's codes);
    // the work fails with PageWriteFailed.
    TKVXResult WriteConfig(TKVXConfig* KVXConfig);
    // The whole memory as a write of KVXConfig sends it: the image with SessionPassword and
    // the marks, the memory above it as EEPROMBuffer holds it.
    std::vector<uint8_t> MemoryToWrite(const TKVXConfig& KVXConfig) const;
    // Writes the listed pages (indexes 0..511, in address order) of Memory (64 KiB) in one
    // session, as a full write does; progress runs over the listed pages. Only a list of every
    // page makes an unknown memory known.
    // The work fails with PageWriteFailed.
    TKVXResult WritePages(const std::vector<uint8_t>& Memory, const std::vector<uint16_t>& Pages);
    // Reads the listed pages into EEPROMBuffer (to verify a write of them); the work fails
    // with PageReadFailed.
    TKVXResult ReadPages(const std::vector<uint16_t>& Pages);
    // Pages the unit acknowledged in the last write.
    size_t PagesWritten() const { return FPagesWritten; }
    // The work fails with PageReadFailed, for the password page's write too.
    TKVXResult ReadPassword(std::u16string& Password);
    TKVXResult WritePassword(const std::u16string& Password);
    void SetTime();

    bool EnterConfig();
    bool ExitConfig();
    bool SendAndExpect(uint8_t TXCount, uint8_t RXCount, uint16_t WaitTime, int Expected);
    bool CheckCRC(const uint8_t* Data, uint16_t ByteCount) const;
    uint8_t CalculateCRC(const uint8_t* Data, uint16_t ByteCount) const;
    bool ReadPage(uint8_t* Buffer, uint16_t Address);
    bool WritePage(const uint8_t* Buffer, uint16_t Address);
    bool BeginTransfer();

    // Handlers of the link's events.
    void USBConnect(const TDeviceInfo& DeviceInfo);
    void USBDisconnect(const TDeviceInfo& DeviceInfo);
    void USBError(uint8_t ErrorCode);
    void USBRxData(uint32_t Count);

    // The unit's memory as last read (and as a full write sends it).
    const uint8_t* EEPROMBuffer() const { return FEEPROMBuffer.data(); }
    // Whether EEPROMBuffer holds all that the unit behind the dongle holds: a full read or
    // write has completed, no transfer has failed since, and nothing says the unit changed
    // (the identity rule of TUnitIdentity, fed by the connection and the status frames).
    bool UnitMemoryKnown() const { return FIdentity.MemoryTrusted(FPump.NowMs()); }
    // The attached unit's IMEI, once its status frames gave it.
    const std::u16string& UnitIMEI() const { return FIdentity.IMEI(); }

    bool Busy = false;
    std::u16string SessionPassword;
    TCommsError LastCommsError = TCommsError::OK;
    std::array<uint8_t, BufferSize> RXBuffer{};

private:
    struct TSessionRules;
    TKVXResult RunConfigSession(const TSessionRules& Rules, const std::function<TKVXResult()>& Work);
    TKVXResult ReadWholeMemory();
    // Reads (Memory null) or writes the listed pages inside a running session.
    TKVXResult PageLoop(const std::vector<uint16_t>& Pages, const uint8_t* Memory);
    // Status frames among received bytes tell whether the unit is still the one last read.
    void NoteStatusFrames(uint32_t Count);
    TKVXResult StopOr(TKVXResult Code) const { return FTerminate ? TKVXResult::Stopped : Code; }
    bool RaiseControlLine();
    bool LowerControlLine();
    uint8_t SendCommand(TKVXCommand Command, const uint8_t* Payload, uint8_t PayloadLength);

    std::unique_ptr<IUSBLink> FUSB;
    IEventPump& FPump;
    TLocalClock FClock;
    std::vector<uint8_t> FEEPROMBuffer;
    std::array<uint8_t, BufferSize> FTXBuffer{};
    std::array<uint8_t, PageSize> FPasswordPage{};
    TDeviceInfo FUSBInfo;
    size_t FReplyOffset = 0;
    bool FDeviceConnected = false;
    bool FTerminate = false;
    TUnitIdentity FIdentity;
    size_t FPagesWritten = 0;
    bool FPasswordPageRead = false;
};

} // namespace kvx
