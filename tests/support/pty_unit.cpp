#include "tests/support/pty_unit.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

namespace kvx::test {

namespace {

// Replies due on the unit's timing model go out within this long of falling due.
constexpr auto ServeTick = std::chrono::microseconds(200);

} // namespace

TPtyUnit::TPtyUnit()
{
    FMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (FMaster < 0) return;
    termios raw{};
    const char* name = nullptr;
    if (::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0 || ::tcgetattr(FMaster, &raw) != 0 ||
        !(name = ::ptsname(FMaster))) {
        ::close(FMaster);
        FMaster = -1;
        return;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(FMaster, TCSANOW, &raw);
    FPort = name;
    FSim.Dongle.Open(0, &FHandle);
    FThread = std::thread([this] { Serve(); });
}

TPtyUnit::~TPtyUnit()
{
    Hangup();
}

void TPtyUnit::Hangup()
{
    FStop = true;
    if (FThread.joinable()) FThread.join();
    if (FMaster >= 0) ::close(FMaster);
    FMaster = -1;
}

int TPtyUnit::SetLines(bool Rts, bool Dtr)
{
    return WithSimulator([&](sim::TSimulator& sim) {
        const auto code = [](bool active) { return active ? SI_HELD_ACTIVE : SI_HELD_INACTIVE; };
        return sim.Dongle.SetFlowControl(FHandle, SI_STATUS_INPUT, code(Rts), code(Dtr), SI_STATUS_INPUT,
                                         SI_STATUS_INPUT, 0) == SI_SUCCESS
                   ? 0
                   : EIO;
    });
}

void TPtyUnit::Serve()
{
    uint8_t chunk[sim::TDongleModel::MaxWriteSize];
    while (!FStop) {
        pollfd entry{FMaster, POLLIN, 0};
        const timespec tick{0, std::chrono::nanoseconds(ServeTick).count()};
        ::ppoll(&entry, 1, &tick, nullptr);
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FSim.Update();
            const ssize_t got = (entry.revents & POLLIN) ? ::read(FMaster, chunk, sizeof chunk) : 0;
            uint32_t taken = 0;
            if (got > 0) FSim.Dongle.Write(FHandle, chunk, static_cast<uint32_t>(got), &taken);
            Deliver();
        }
        // No one has the port open: nothing to serve until someone does.
        if ((entry.revents & POLLHUP) && !(entry.revents & POLLIN)) std::this_thread::sleep_for(ServeTick);
    }
}

void TPtyUnit::Deliver()
{
    uint32_t waiting = 0;
    uint32_t queueStatus = 0;
    FSim.Dongle.CheckRXQueue(FHandle, &waiting, &queueStatus);
    if (waiting) {
        const size_t before = FOutgoing.size();
        FOutgoing.resize(before + waiting);
        uint32_t read = 0;
        FSim.Dongle.Read(FHandle, FOutgoing.data() + before, waiting, &read);
        FOutgoing.resize(before + read);
    }
    if (FOutgoing.empty()) return;
    const ssize_t put = ::write(FMaster, FOutgoing.data(), FOutgoing.size());
    if (put > 0) FOutgoing.erase(FOutgoing.begin(), FOutgoing.begin() + put);
}

} // namespace kvx::test
