#include "link/serial_tty.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <iterator>

namespace kvx {

namespace {

using TClock = std::chrono::steady_clock;

struct TSpeed {
    uint32_t Baud;
    speed_t Setting;
};

constexpr TSpeed Speeds[] = {
    {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},     {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600},
};

int Failed()
{
    return errno ? errno : EIO;
}

// Reads the tty's settings, lets Change edit them and applies them at once.
template <typename TChange>
int ChangeSettings(int Descriptor, TChange Change)
{
    termios settings{};
    if (::tcgetattr(Descriptor, &settings) != 0) return Failed();
    if (const int error = Change(settings)) return error;
    return ::tcsetattr(Descriptor, TCSANOW, &settings) == 0 ? 0 : Failed();
}

int ApplySpeed(termios& Settings, uint32_t BaudRate)
{
    const auto speed = std::find_if(std::begin(Speeds), std::end(Speeds),
                                    [BaudRate](const TSpeed& s) { return s.Baud == BaudRate; });
    if (speed == std::end(Speeds)) return EINVAL;
    ::cfsetispeed(&Settings, speed->Setting);
    ::cfsetospeed(&Settings, speed->Setting);
    return 0;
}

int RemainingMs(TClock::time_point Deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// Waits until the descriptor is ready for Events or the time is up (0 either way); EIO when
// the port reports an error or hang-up (a hung-up tty also reports itself readable).
int WaitUntilReady(int Descriptor, short Events, int TimeoutMs)
{
    pollfd entry{Descriptor, Events, 0};
    const int ready = ::poll(&entry, 1, TimeoutMs);
    if (ready < 0) return errno == EINTR ? 0 : Failed();
    if (ready > 0 && (entry.revents & (POLLERR | POLLHUP | POLLNVAL))) return EIO;
    return 0;
}

TClock::time_point DeadlineIn(uint32_t TimeoutMs)
{
    return TClock::now() + std::chrono::milliseconds(TimeoutMs);
}

} // namespace

int OpenTty(const std::string& Path, int& Descriptor)
{
    Descriptor = -1;
    const int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Failed();
    int error = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno == EWOULDBLOCK ? EBUSY : Failed();
    if (!error && ::ioctl(fd, TIOCEXCL) != 0) error = Failed();
    if (error) {
        ::close(fd);
        return error;
    }
    Descriptor = fd;
    return 0;
}

void CloseTty(int Descriptor)
{
    if (Descriptor >= 0) ::close(Descriptor);
}

int MakeTtyRaw(int Descriptor, uint32_t BaudRate)
{
    const int error = ChangeSettings(Descriptor, [BaudRate](termios& settings) {
        ::cfmakeraw(&settings);
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        settings.c_cflag |= CS8 | CREAD | CLOCAL;
        settings.c_cc[VMIN] = 0;
        settings.c_cc[VTIME] = 0;
        return ApplySpeed(settings, BaudRate);
    });
    if (error) return error;
    return ::tcflush(Descriptor, TCIOFLUSH) == 0 ? 0 : Failed();
}

std::vector<uint32_t> TtySpeeds()
{
    std::vector<uint32_t> rates;
    for (const TSpeed& speed : Speeds) rates.push_back(speed.Baud);
    return rates;
}

int SetTtySpeed(int Descriptor, uint32_t BaudRate)
{
    return ChangeSettings(Descriptor, [BaudRate](termios& settings) { return ApplySpeed(settings, BaudRate); });
}

int SetTtyFraming(int Descriptor, const TTtyFraming& Framing)
{
    constexpr tcflag_t Sizes[] = {CS5, CS6, CS7, CS8};
    if (Framing.DataBits < 5 || Framing.DataBits > 8 || (Framing.StopBits != 1 && Framing.StopBits != 2))
        return EINVAL;
    tcflag_t parity = 0;
    switch (Framing.Parity) {
    case 'N': break;
    case 'O': parity = PARENB | PARODD; break;
    case 'E': parity = PARENB; break;
    case 'M': parity = PARENB | CMSPAR | PARODD; break;
    case 'S': parity = PARENB | CMSPAR; break;
    default: return EINVAL;
    }
    return ChangeSettings(Descriptor, [&](termios& settings) {
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
        settings.c_cflag |= Sizes[Framing.DataBits - 5] | parity | (Framing.StopBits == 2 ? CSTOPB : 0);
        return 0;
    });
}

int SetTtyHandshake(int Descriptor, bool RtsCts, bool XonXoff)
{
    return ChangeSettings(Descriptor, [=](termios& settings) {
        settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        if (RtsCts) settings.c_cflag |= CRTSCTS;
        if (XonXoff) settings.c_iflag |= IXON | IXOFF;
        return 0;
    });
}

int SetTtyModemLines(int Descriptor, bool Rts, bool Dtr)
{
    int lines = 0;
    if (::ioctl(Descriptor, TIOCMGET, &lines) != 0) return Failed();
    lines = Rts ? lines | TIOCM_RTS : lines & ~TIOCM_RTS;
    lines = Dtr ? lines | TIOCM_DTR : lines & ~TIOCM_DTR;
    return ::ioctl(Descriptor, TIOCMSET, &lines) == 0 ? 0 : Failed();
}

bool IsPseudoTerminal(int Descriptor)
{
    constexpr unsigned FirstPtySlaveMajor = 136, LastPtySlaveMajor = 143;
    struct stat node {};
    if (::fstat(Descriptor, &node) != 0 || !S_ISCHR(node.st_mode)) return false;
    const unsigned group = major(node.st_rdev);
    return group >= FirstPtySlaveMajor && group <= LastPtySlaveMajor;
}

bool TtyHungUp(int Descriptor)
{
    pollfd entry{Descriptor, 0, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLERR | POLLHUP | POLLNVAL));
}

int TtyBytesWaiting(int Descriptor, uint32_t& Count)
{
    int waiting = 0;
    Count = 0;
    if (::ioctl(Descriptor, FIONREAD, &waiting) != 0) return Failed();
    Count = static_cast<uint32_t>(std::max(waiting, 0));
    return 0;
}

int FlushTty(int Descriptor, bool Output, bool Input)
{
    if (!Output && !Input) return 0;
    const int queues = Output && Input ? TCIOFLUSH : Output ? TCOFLUSH : TCIFLUSH;
    return ::tcflush(Descriptor, queues) == 0 ? 0 : Failed();
}

namespace {

// Moves Count bytes with Move (a read or a write of the bytes not yet done), waiting for the
// port between partial moves. A tty with VMIN 0 reads an empty queue as 0 bytes: that is
// waited for like EAGAIN, and a port that has gone shows as a hang-up in the wait.
template <typename TMove>
int MoveBytes(int Descriptor, short Events, uint32_t Count, uint32_t TimeoutMs, uint32_t& Done, TMove Move)
{
    Done = 0;
    const auto deadline = DeadlineIn(TimeoutMs);
    while (Done < Count) {
        const ssize_t moved = Move(Done);
        if (moved > 0) {
            Done += static_cast<uint32_t>(moved);
            continue;
        }
        if (moved < 0 && errno == EINTR) continue;
        if (moved < 0 && errno != EAGAIN) return Failed();
        const int wait = RemainingMs(deadline);
        if (wait == 0) return ETIMEDOUT;
        if (const int error = WaitUntilReady(Descriptor, Events, wait)) return error;
    }
    return 0;
}

} // namespace

int ReadTty(int Descriptor, uint8_t* Buffer, uint32_t Count, uint32_t TimeoutMs, uint32_t& Done)
{
    return MoveBytes(Descriptor, POLLIN, Count, TimeoutMs, Done,
                     [&](uint32_t Moved) { return ::read(Descriptor, Buffer + Moved, Count - Moved); });
}

int WriteTty(int Descriptor, const uint8_t* Buffer, uint32_t Count, uint32_t TimeoutMs, uint32_t& Done)
{
    return MoveBytes(Descriptor, POLLOUT, Count, TimeoutMs, Done,
                     [&](uint32_t Moved) { return ::write(Descriptor, Buffer + Moved, Count - Moved); });
}

int TtyAccess(const std::string& Path, std::string& Group)
{
    Group.clear();
    if (::access(Path.c_str(), R_OK | W_OK) == 0) return 0;
    const int error = Failed();
    struct stat node {};
    if (::stat(Path.c_str(), &node) == 0) {
        const group* owner = ::getgrgid(node.st_gid);
        Group = owner ? owner->gr_name : std::to_string(node.st_gid);
    }
    return error;
}

} // namespace kvx
