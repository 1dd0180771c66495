#include "cli/connection.h"

#include <atomic>
#include <csignal>

namespace kvx::cli {

namespace {

std::atomic<bool> StopRequested{false};

extern "C" void RequestStop(int)
{
    StopRequested = true;
}

} // namespace

// Real time, with the link's two periodic jobs run when due and Ctrl-C passed on as a stop.
class TConnection::TPump : public TPlainEventPump {
public:
    void Attach(TUSBXpress* usb, TKVX* kvx)
    {
        FUSB = usb;
        FKVX = kvx;
        FNextWatch = FNextPoll = NowMs();
    }

    void ProcessMessages() override
    {
        if (!FUSB) return;
        if (StopRequested && FKVX) FKVX->Terminate();
        const uint64_t now = NowMs();
        if (now >= FNextWatch) {
            FNextWatch = now + TUSBXpress::DeviceWatchIntervalMs;
            FUSB->PollDevices();
        }
        if (now >= FNextPoll) {
            FNextPoll = now + FUSB->RXPollingtime();
            FUSB->PollRX();
        }
    }

private:
    TUSBXpress* FUSB = nullptr;
    TKVX* FKVX = nullptr;
    uint64_t FNextWatch = 0;
    uint64_t FNextPoll = 0;
};

std::unique_ptr<TConnection> TConnection::Open(const TUSBApiChoice& Choice, std::string& Error)
{
    auto api = OpenUSBApi(Choice, Error);
    if (!api) return nullptr;
    return std::make_unique<TConnection>(std::move(api));
}

TConnection::TConnection(std::unique_ptr<IUSBApi> Api) : FApi(std::move(Api)), FPump(std::make_unique<TPump>())
{
    auto usb = std::make_unique<TUSBXpress>(FApi->Api());
    FUSB = usb.get();
    FKVX = std::make_unique<TKVX>(std::move(usb), *FPump);
    FPump->Attach(FUSB, FKVX.get());
    std::signal(SIGINT, RequestStop);
}

TConnection::~TConnection()
{
    std::signal(SIGINT, SIG_DFL);
    FPump->Attach(nullptr, nullptr);
}

void TConnection::FindDongle()
{
    FUSB->PollDevices();
    if (FKVX->DeviceConnected()) return;
    // One just plugged in may need udev's moment, and what keeps one from being found is told
    // once two device polls in a row have seen it.
    FPump->Pause(TUSBXpress::DeviceWatchIntervalMs);
    FUSB->PollDevices();
}

bool TConnection::Interrupted() { return StopRequested; }

void TConnection::Watch(uint32_t Milliseconds, const std::function<bool()>& Done)
{
    const uint64_t end = FPump->NowMs() + Milliseconds;
    while (FPump->NowMs() < end && !StopRequested && !(Done && Done())) {
        FPump->ProcessMessages();
        FPump->Pause(10);
    }
}

} // namespace kvx::cli
