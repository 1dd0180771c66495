// Full read and full write against the simulated unit with its timing model on, in real
// time, along both of the link's paths: the vendor library's binding (the simulator loaded as
// that library) and the serial backend on a pseudo-terminal whose far end the same unit model
// serves. How close each comes to the serial line's limit. A verified write costs a write and
// one more full read: both and their sum are shown. Then writes of only the changed pages
// (a one-field and a one-page edit), backup and read-back of those pages included, against
// the full write+verify and against the wire-time limit of the pages they send.
// Usage: transfer_bench [baud ...]   (default: 115200 9600)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/connection.h"
#include "link/serial_backend.h"
#include "link/siusbxp_library.h"
#include "sim/kvxsim_control.h"
#include "tests/support/pty_unit.h"
#include "transfer/unit_write.h"

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
    const TKVXResult code = transfer();
    const double measured = Seconds(std::chrono::steady_clock::now() - start);
    if (code != TKVXResult::OK) {
        std::fprintf(stderr, "transfer failed with code %u\n", ResultNumber(code));
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

// A write of Pages pages and their read-back: two sessions, each with its handshakes.
double ChangedPagesLimit(size_t Pages, unsigned baud)
{
    const double bytes =
        2 * HandshakeBytes + double(Pages) * double(WritePageRequestSize + ShortReplySize + PageRequestSize + PageReplySize);
    return bytes * BitsPerByte / baud + PageWriteMs * double(Pages) / 1000.0;
}

void MeasureChanges(TKVX& kvx, const char* path, unsigned baud, const TFigures& full)
{
    const auto folder = std::filesystem::temp_directory_path() / "kvx-transfer-bench-backups";
    TKVXConfig image = ErasedConfig();
    if (kvx.ReadConfig(&image) != TKVXResult::OK) Fail("the read before the changed-pages writes failed");
    const struct {
        const char* What;
        size_t From;
        size_t Bytes;
    } edits[] = {{"one field", 176, 1}, {"one page", 2 * PageSize, PageSize}};
    for (const auto& edit : edits) {
        for (size_t at = edit.From; at < edit.From + edit.Bytes; ++at) image.Bytes()[at] ^= 0x01;
        const auto start = std::chrono::steady_clock::now();
        const TUnitWriteResult result = BackUpWriteAndVerify(kvx, image, {folder, SystemLocalDateTime, true, TWriteScope::ChangedPages});
        const double measured = Seconds(std::chrono::steady_clock::now() - start);
        if (!result.Verified) Fail(std::string(edit.What) + ": the changed-pages write did not verify");
        const double limit = ChangedPagesLimit(result.PagesToSend, baud);
        std::printf("%-13s %-7s %6u baud: %zu pages, write+verify %6.2f s, full write+verify %7.2f s (%.1f%%), "
                    "wire-time limit %5.2f s, ratio %.3f\n",
                    edit.What, path, baud, result.PagesToSend, measured, full.MeasuredS, 100.0 * measured / full.MeasuredS,
                    limit, measured / limit);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TFigures MeasureBoth(TKVX& kvx, const char* path, unsigned baud)
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
    return Sum(write, verify);
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
        MeasureChanges(libraryUnit, "library", baud, MeasureBoth(libraryUnit, "library", baud));
        MeasureChanges(serialUnit, "serial", baud, MeasureBoth(serialUnit, "serial", baud));
    }
    return 0;
}
