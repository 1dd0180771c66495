// Full read and full write against the simulated unit with its timing model on, in real
// time, along both of the link's paths: the vendor library's binding (the simulator loaded as
// that library) and the serial backend on a pseudo-terminal whose far end the same unit model
// serves. How close each comes to the serial line's limit. A verified write costs a write and
// one more full read: both and their sum are shown.
// Usage: transfer_bench [baud ...]   (default: 115200 9600)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/connection.h"
#include "link/serial_backend.h"
#include "link/siusbxp_library.h"
#include "sim/kvxsim_control.h"
#include "tests/support/pty_unit.h"

namespace {

using namespace kvx;

constexpr unsigned PageWriteMs = 5;
constexpr double BitsPerByte = 10.0;
// Enter, begin transfer and leave: three 4-byte requests with 4-byte replies.
constexpr double HandshakeBytes = 3 * 8;

struct TFigures {
    double MeasuredS;
    double LimitS;
};

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

template <typename Transfer>
TFigures Measure(Transfer transfer, double bytesPerPage, double pageWaitMs, unsigned baud)
{
    const auto start = std::chrono::steady_clock::now();
    const uint8_t code = transfer();
    const double measured = Seconds(std::chrono::steady_clock::now() - start);
    if (code != ResultOK) {
        std::fprintf(stderr, "transfer failed with code %u\n", code);
        std::exit(1);
    }
    const double bytes = HandshakeBytes + bytesPerPage * PageCount;
    return {measured, bytes * BitsPerByte / baud + pageWaitMs * PageCount / 1000.0};
}

void Print(const char* what, const char* path, unsigned baud, const TFigures& f)
{
    std::printf("%-13s %-7s %6u baud: measured %7.2f s, wire-time limit %7.2f s, ratio %.3f\n", what, path, baud,
                f.MeasuredS, f.LimitS, f.MeasuredS / f.LimitS);
}

TFigures Sum(const TFigures& a, const TFigures& b)
{
    return {a.MeasuredS + b.MeasuredS, a.LimitS + b.LimitS};
}

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
}

TKVX& ConnectedUnit(cli::TConnection& connection, const char* path)
{
    connection.FindDongle();
    if (!connection.KVX().DeviceConnected()) Fail(std::string("no dongle found through the ") + path);
    return connection.KVX();
}

void MeasureBoth(TKVX& kvx, const char* path, unsigned baud)
{
    TKVXConfig image = ErasedConfig();
    const auto read = [&] { return kvx.ReadConfig(&image); };
    Print("read", path, baud, Measure(read, PageRequestSize + PageReplySize, 0, baud));
    const TFigures write =
        Measure([&] { return kvx.WriteConfig(&image); }, WritePageRequestSize + ShortReplySize, PageWriteMs, baud);
    Print("write", path, baud, write);
    // The read-back that verifies the write, right after it.
    const TFigures verify = Measure(read, PageRequestSize + PageReplySize, 0, baud);
    Print("verify", path, baud, verify);
    Print("write+verify", path, baud, Sum(write, verify));
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<unsigned> bauds;
    for (int i = 1; i < argc; ++i) bauds.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 10)));
    if (bauds.empty()) bauds = {115200, 9600};

    std::string error;
    auto library = TSiUSBXpLibrary::Load(KVXSIM_PATH, error);
    if (!library) Fail(error);
    const auto control = reinterpret_cast<KVXSIM_Control_t>(library->FindFunction(KVXSIM_CONTROL_NAME));
    if (!control) Fail(std::string(KVXSIM_PATH) + " has no " + KVXSIM_CONTROL_NAME);
    cli::TConnection viaLibrary(std::move(library));
    TKVX& libraryUnit = ConnectedUnit(viaLibrary, "library");
    control("page-write-ms", std::to_string(PageWriteMs).c_str());

    test::TPtyUnit pty;
    if (pty.Port().empty()) Fail("no pseudo-terminal");
    TSerialSetup setup;
    setup.Port = pty.Port();
    setup.ModemLines = [&pty](int, bool rts, bool dtr) { return pty.SetLines(rts, dtr); };
    cli::TConnection viaSerial(TSerialBackend::Create(setup));
    TKVX& serialUnit = ConnectedUnit(viaSerial, "serial backend");
    pty.WithSimulator([](sim::TSimulator& sim) { sim.SetPageWriteMs(PageWriteMs); });

    for (unsigned baud : bauds) {
        control("baud", std::to_string(baud).c_str());
        pty.WithSimulator([baud](sim::TSimulator& sim) { sim.SetBaudRate(baud); });
        MeasureBoth(libraryUnit, "library", baud);
        MeasureBoth(serialUnit, "serial", baud);
    }
    return 0;
}
