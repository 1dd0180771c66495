#include "link/kvx.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "link/crc8.h"
#include "link/status_frame.h"
#include "link/kvx_messages.h"
#include "image/utils.h"

namespace kvx {

namespace {

// Flow-control codes: inputs as status inputs, RTS held active or inactive, DTR inactive.
constexpr uint8_t StatusInput = 0;
constexpr uint8_t HeldInactive = 0;
constexpr uint8_t HeldActive = 1;

constexpr int ConfigAttempts = 3;
constexpr uint32_t EnterRetryPauseMs = 10;
constexpr uint32_t ExitRetryPauseMs = 1000;
constexpr uint8_t PadSpace = 0x20;

// Restores the previous Busy on leaving, so a delivery of received data that runs nested
// inside a transfer cannot clear Busy while the transfer still runs.
class TBusyScope {
public:
    explicit TBusyScope(bool& busy) : FBusy(busy), FWas(busy) { FBusy = true; }
    ~TBusyScope() { FBusy = FWas; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    bool& FBusy;
    bool FWas;
};

class TRxDisabledScope {
public:
    explicit TRxDisabledScope(IUSBLink& link) : FLink(link) { FLink.EnableRX(false); }
    ~TRxDisabledScope() { FLink.EnableRX(true); }
    TRxDisabledScope(const TRxDisabledScope&) = delete;
    TRxDisabledScope& operator=(const TRxDisabledScope&) = delete;

private:
    IUSBLink& FLink;
};

// Progress over a transfer of some pages, on the scale of a full one (1..512).
uint16_t ProgressPosition(size_t Done, size_t Count)
{
    return static_cast<uint16_t>((Done * PageCount + Count - 1) / Count);
}

uint8_t TwoDigitsBCD(int value)
{
    const std::string digits = std::to_string(100 + value % 100).substr(1);
    return TUtils::Str2BCD(TUtils::FromLatin1(digits));
}

} // namespace

const std::vector<uint16_t>& EveryPage()
{
    static const std::vector<uint16_t> pages = [] {
        std::vector<uint16_t> all(PageCount);
        for (size_t page = 0; page < PageCount; ++page) all[page] = static_cast<uint16_t>(page);
        return all;
    }();
    return pages;
}

bool IsKVXDongle(const TDeviceInfo& DeviceInfo)
{
    return DeviceInfo.Serial == DongleSerial && DeviceInfo.Description == DongleDescription &&
           DeviceInfo.VID == DongleVID && DeviceInfo.PID == DonglePID;
}

void MarkImageForUnit(TKVXConfig& Image, const std::u16string& Password)
{
    TUtils::ASCIIString2BufferPad(Password, Image.LockArray.Data, PasswordLength, PadSpace);
    Image.Bytes()[0] = 0xFF;
    Image.EEPROMFlags.SetValue(0xAA55);
}

struct TKVX::TSessionRules {
    bool FullTransfer;        // sends BeginTransfer; a stop after it counts
    bool StopAfterEnter;      // a stop right after entering configuration mode counts
    TKVXResult LowerFailCode;    // code when lowering the control line fails
};

TKVX::TKVX(std::unique_ptr<IUSBLink> Link, IEventPump& Pump, TLocalClock Clock)
    : FUSB(std::move(Link)), FPump(Pump), FClock(std::move(Clock)), FEEPROMBuffer(UnitMemorySize, 0)
{
    FUSB->OnDeviceConnect = [this](const TDeviceInfo& info) { USBConnect(info); };
    FUSB->OnDeviceDisconnect = [this](const TDeviceInfo& info) { USBDisconnect(info); };
    FUSB->OnError = [this](uint8_t code) { USBError(code); };
    FUSB->OnRxData = [this](uint32_t count) { USBRxData(count); };
    FUSB->EnableRX(true);
}

TKVX::~TKVX()
{
    FUSB->OnDeviceConnect = nullptr;
    FUSB->OnDeviceDisconnect = nullptr;
    FUSB->OnError = nullptr;
    FUSB->OnRxData = nullptr;
}

uint8_t TKVX::CalculateCRC(const uint8_t* Data, uint16_t ByteCount) const
{
    return Crc8Maxim(Data, ByteCount);
}

bool TKVX::CheckCRC(const uint8_t* Data, uint16_t ByteCount) const
{
    if (ByteCount < 2) return false;
    return CalculateCRC(Data, static_cast<uint16_t>(ByteCount - 2)) == Data[ByteCount - 2];
}

bool TKVX::SendAndExpect(uint8_t TXCount, uint8_t RXCount, uint16_t WaitTime, int Expected)
{
    LastCommsError = TCommsError::OK;
    TRxDisabledScope rxOff(*FUSB);
    FUSB->FlushBuffers(true, true);
    if (FUSB->Write(FTXBuffer.data(), TXCount) < TXCount) {
        LastCommsError = TCommsError::WriteFailed;
        return false;
    }
    if (RXCount == 0) return true;

    // Elapsed time, not loop turns, bounds the wait: a coarse OS sleep cannot stretch it.
    const uint64_t start = FPump.NowMs();
    for (;;) {
        FPump.ProcessMessages();
        uint32_t waiting = 0;
        uint32_t queueStatus = 0;
        if (FUSB->CheckRXQueue(waiting, queueStatus) == 0 && waiting >= RXCount && queueStatus == QueueReady) {
            const uint32_t toRead = std::min<uint32_t>(waiting, BufferSize);
            const uint32_t got = std::min<uint32_t>(FUSB->Read(RXBuffer.data(), toRead), toRead);
            if (got >= RXCount) {
                if (auto at = FindReply(RXBuffer.data(), got, RXCount, Expected)) {
                    FReplyOffset = *at;
                    return true;
                }
                LastCommsError = TCommsError::BadReply;
                return false;
            }
        }
        if (FPump.NowMs() - start >= WaitTime) break;
        FPump.Pause(1);
        FPump.ProcessMessages();
    }
    LastCommsError = TCommsError::Timeout;
    return false;
}

uint8_t TKVX::SendCommand(TKVXCommand Command, const uint8_t* Payload, uint8_t PayloadLength)
{
    return static_cast<uint8_t>(AssembleRequest(FTXBuffer.data(), Command, Payload, PayloadLength));
}

bool TKVX::ReadPage(uint8_t* Buffer, uint16_t Address)
{
    const uint8_t address[2] = {static_cast<uint8_t>(Address >> 8), static_cast<uint8_t>(Address)};
    const uint8_t tx = SendCommand(TKVXCommand::ReadPage, address, 2);
    if (!SendAndExpect(tx, PageReplySize, ReplyWaitMs, Acknowledge)) return false;
    // Data come from the frame where the reply was found, stray bytes before it or not.
    std::memcpy(Buffer, RXBuffer.data() + FReplyOffset + 3, PageSize);
    return true;
}

bool TKVX::WritePage(const uint8_t* Buffer, uint16_t Address)
{
    uint8_t payload[PageSize + 2];
    payload[0] = static_cast<uint8_t>(Address >> 8);
    payload[1] = static_cast<uint8_t>(Address);
    std::memcpy(payload + 2, Buffer, PageSize);
    const uint8_t tx = SendCommand(TKVXCommand::WritePage, payload, sizeof payload);
    return SendAndExpect(tx, ShortReplySize, ReplyWaitMs, Acknowledge);
}

bool TKVX::BeginTransfer()
{
    const uint8_t tx = SendCommand(TKVXCommand::BeginTransfer, nullptr, 0);
    return SendAndExpect(tx, ShortReplySize, ReplyWaitMs, Acknowledge);
}

bool TKVX::EnterConfig()
{
    for (int attempt = 0; attempt < ConfigAttempts; ++attempt) {
        FPump.ProcessMessages();
        if (FTerminate) return false;
        const uint8_t tx = SendCommand(TKVXCommand::EnterConfig, nullptr, 0);
        if (SendAndExpect(tx, ShortReplySize, ReplyWaitMs, Acknowledge)) return true;
        FPump.Pause(EnterRetryPauseMs);
    }
    return false;
}

bool TKVX::ExitConfig()
{
    // A stop is not consulted: the unit is always asked to leave configuration mode.
    for (int attempt = 0; attempt < ConfigAttempts; ++attempt) {
        FPump.ProcessMessages();
        const uint8_t tx = SendCommand(TKVXCommand::ExitConfig, nullptr, 0);
        if (SendAndExpect(tx, ShortReplySize, ReplyWaitMs, Acknowledge)) return true;
        FPump.Pause(ExitRetryPauseMs);
    }
    return false;
}

bool TKVX::RaiseControlLine()
{
    return FUSB->SetFlowControl(StatusInput, HeldActive, HeldInactive, StatusInput, StatusInput, 0);
}

bool TKVX::LowerControlLine()
{
    return FUSB->SetFlowControl(StatusInput, HeldInactive, HeldInactive, StatusInput, StatusInput, 0);
}

// Raise the line, enter configuration mode, do the work, then always lower the line and
// leave configuration mode. The first failing step's code stands, except that a failure
// to lower the line replaces it, and a failure to leave replaces that in turn.
TKVXResult TKVX::RunConfigSession(const TSessionRules& Rules, const std::function<TKVXResult()>& Work)
{
    TBusyScope busy(Busy);
    FTerminate = false;
    FIdentity.CheckSilence(FPump.NowMs());
    TKVXResult code = TKVXResult::OK;
    bool entered = false;
    if (!RaiseControlLine())
        code = TKVXResult::ControlLineFailed;
    else if (!(entered = EnterConfig()))
        code = StopOr(TKVXResult::NoConfigMode);
    else if (Rules.StopAfterEnter && FTerminate)
        code = TKVXResult::Stopped;
    else if (Rules.FullTransfer && !BeginTransfer())
        code = StopOr(TKVXResult::NoBeginTransfer);
    else if (Rules.FullTransfer && FTerminate)
        code = TKVXResult::Stopped;
    else
        code = Work();

    // A unit that ignored the request to enter configuration mode ignores the one to leave it
    // too, and that failure's code stands: the messages are told what happened first.
    NoteUnitAnsweredEnter(code != TKVXResult::NoConfigMode);
    if (!LowerControlLine()) code = Rules.LowerFailCode;
    if (!ExitConfig()) code = Rules.FullTransfer ? StopOr(TKVXResult::NoExitConfig) : TKVXResult::NoExitConfig;
    if (entered) FIdentity.Answered(FPump.NowMs());
    return code;
}

TKVXResult TKVX::PageLoop(const std::vector<uint16_t>& Pages, const uint8_t* Memory)
{
    for (size_t done = 0; done < Pages.size(); ++done) {
        if (FTerminate) return TKVXResult::Stopped;
        const size_t at = size_t{Pages[done]} * PageSize;
        const auto address = static_cast<uint16_t>(at);
        if (Memory) {
            if (!WritePage(Memory + at, address)) return StopOr(TKVXResult::PageWriteFailed);
            std::memcpy(FEEPROMBuffer.data() + at, Memory + at, PageSize);
            ++FPagesWritten;
        } else if (!ReadPage(FEEPROMBuffer.data() + at, address)) {
            return StopOr(TKVXResult::PageReadFailed);
        }
        if (SetProgressBarPosition) SetProgressBarPosition(ProgressPosition(done + 1, Pages.size()));
    }
    return TKVXResult::OK;
}

TKVXResult TKVX::ReadWholeMemory()
{
    const TSessionRules rules{true, false, TKVXResult::LowerLineFailed};
    const TKVXResult code = RunConfigSession(rules, [this]() -> TKVXResult {
        FIdentity.MemoryUnknown();
        std::fill(FEEPROMBuffer.begin(), FEEPROMBuffer.end(), 0xFF);
        return PageLoop(EveryPage(), nullptr);
    });
    if (code == TKVXResult::OK) FIdentity.MemoryKnown();
    return code;
}

TKVXResult TKVX::ReadConfig(TKVXConfig* KVXConfig)
{
    const TKVXResult code = ReadWholeMemory();
    if (code == TKVXResult::OK) std::memcpy(KVXConfig->Bytes(), FEEPROMBuffer.data(), TKVXConfig::Size);
    return code;
}

TKVXResult TKVX::ReadPages(const std::vector<uint16_t>& Pages)
{
    if (Pages.size() == PageCount) return ReadWholeMemory();
    const bool known = UnitMemoryKnown();
    const TSessionRules rules{true, false, TKVXResult::LowerLineFailed};
    const TKVXResult code = RunConfigSession(rules, [this, &Pages]() -> TKVXResult {
        FIdentity.MemoryUnknown();
        return PageLoop(Pages, nullptr);
    });
    if (code == TKVXResult::OK && known) FIdentity.MemoryKnown();
    return code;
}

std::vector<uint8_t> TKVX::MemoryToWrite(const TKVXConfig& KVXConfig) const
{
    TKVXConfig sent = KVXConfig;
    MarkImageForUnit(sent, SessionPassword);
    std::vector<uint8_t> memory = FEEPROMBuffer;
    std::memcpy(memory.data(), sent.Bytes(), TKVXConfig::Size);
    return memory;
}

TKVXResult TKVX::WritePages(const std::vector<uint8_t>& Memory, const std::vector<uint16_t>& Pages)
{
    // A write of some pages leaves a known memory known; only a write of all makes it known.
    const bool known = Pages.size() == PageCount || UnitMemoryKnown();
    FPagesWritten = 0;
    const TSessionRules rules{true, true, TKVXResult::LowerLineFailed};
    const TKVXResult code = RunConfigSession(rules, [this, &Memory, &Pages]() -> TKVXResult {
        FIdentity.MemoryUnknown();
        return PageLoop(Pages, Memory.data());
    });
    // A write that did not complete leaves the unit holding part old, part new.
    if (code == TKVXResult::OK && known) FIdentity.MemoryKnown();
    return code;
}

TKVXResult TKVX::WriteConfig(TKVXConfig* KVXConfig)
{
    // What goes out is fixed now: the caller's image may change while the read below lets
    // the window run (a template loaded meanwhile must not reach the unit).
    const TKVXConfig sent = *KVXConfig;
    // Never send memory above the image that was not read from this very unit: read it first.
    if (!UnitMemoryKnown()) {
        const TKVXResult code = ReadWholeMemory();
        if (code != TKVXResult::OK) return code;
    }
    TUtils::ASCIIString2BufferPad(SessionPassword, KVXConfig->LockArray.Data, PasswordLength, PadSpace);
    return WritePages(MemoryToWrite(sent), EveryPage());
}

TKVXResult TKVX::ReadPassword(std::u16string& Password)
{
    const TSessionRules rules{false, false, TKVXResult::ControlLineFailed};
    return RunConfigSession(rules, [this, &Password]() -> TKVXResult {
        if (!ReadPage(FPasswordPage.data(), PasswordPageAddress)) return StopOr(TKVXResult::PageReadFailed);
        FPasswordPageRead = true;
        Password = TUtils::Trim(TUtils::Buffer2ASCIIStringUntilNil(FPasswordPage.data(), PasswordLength));
        return TKVXResult::OK;
    });
}

TKVXResult TKVX::WritePassword(const std::u16string& Password)
{
    const TSessionRules rules{false, false, TKVXResult::ControlLineFailed};
    return RunConfigSession(rules, [this, &Password]() -> TKVXResult {
        // The rest of the page goes back as the unit holds it, so read it if nobody has.
        if (!FPasswordPageRead) {
            if (!ReadPage(FPasswordPage.data(), PasswordPageAddress)) return StopOr(TKVXResult::PageReadFailed);
            FPasswordPageRead = true;
        }
        TUtils::ASCIIString2BufferPad(Password, FPasswordPage.data(), PasswordLength, PadSpace);
        if (!WritePage(FPasswordPage.data(), PasswordPageAddress)) return StopOr(TKVXResult::PageReadFailed);
        return TKVXResult::OK;
    });
}

void TKVX::SetTime()
{
    FTerminate = false;
    const TLocalDateTime now = FClock();
    const uint8_t payload[8] = {TwoDigitsBCD(now.Hour), TwoDigitsBCD(now.Minute), TwoDigitsBCD(now.Second),
                                TwoDigitsBCD(now.Day),  TwoDigitsBCD(now.Month),  TwoDigitsBCD(now.Year),
                                0xAA,                   0x55};
    const uint8_t tx = SendCommand(TKVXCommand::SetTime, payload, sizeof payload);
    FUSB->Write(FTXBuffer.data(), tx);
}

void TKVX::USBConnect(const TDeviceInfo& DeviceInfo)
{
    FUSBInfo = DeviceInfo;
    if (!IsKVXDongle(DeviceInfo)) return;
    // A dongle that cannot be opened changes nothing: one already open stays in use.
    if (!FUSB->Open(DeviceInfo.DeviceNumber) || !FUSB->DeviceConnected()) return;
    FDeviceConnected = true;
    // A new connection may be another unit: nothing read before counts for it.
    FIdentity.Connected(FPump.NowMs());
    FPasswordPageRead = false;
    FUSB->FlushBuffers(true, true);
    if (OnDeviceConnect) OnDeviceConnect();
}

void TKVX::USBDisconnect(const TDeviceInfo& DeviceInfo)
{
    if (!IsKVXDongle(DeviceInfo)) return;
    FUSB->Close();
    FDeviceConnected = false;
    FIdentity.Connected(FPump.NowMs());
    FPasswordPageRead = false;
    if (OnDeviceDisconnect) OnDeviceDisconnect();
}

void TKVX::NoteStatusFrames(uint32_t Count)
{
    for (const TStatusUpdate& update : DecodeStatusFrames(RXBuffer.data(), Count)) {
        const auto* imei = std::get_if<TModemIMEI>(&update);
        FIdentity.StatusFrame(FPump.NowMs(), imei ? TUtils::Trim(imei->Text) : std::u16string());
    }
}

void TKVX::USBError(uint8_t ErrorCode)
{
    if (!OnError) return;
    try {
        OnError(ErrorCode);
    } catch (...) {
        // An error report must never break the operation that caused it.
    }
}

void TKVX::USBRxData(uint32_t Count)
{
    TBusyScope busy(Busy);
    if (!FUSB->DeviceConnected()) return;
    // RXBuffer holds 1024 bytes; more waiting is dropped by the flush below.
    const uint32_t wanted = std::min<uint32_t>(Count, BufferSize);
    if (FUSB->Read(RXBuffer.data(), wanted) == wanted) {
        NoteStatusFrames(wanted);
        if (OnRxData) OnRxData(wanted);
    }
    FUSB->FlushBuffers(false, true);
}

} // namespace kvx
