// Full read and full write against the simulated unit with its timing model on, in real
// time through the real binding: how close the protocol comes to the serial line's limit.
// A verified write costs a write and one more full read: both and their sum are shown.
// Usage: transfer_bench [baud ...]   (default: 115200 9600)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/connection.h"
#include "sim/kvxsim_control.h"

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

void Print(const char* what, unsigned baud, const TFigures& f)
{
    std::printf("%-13s %6u baud: measured %7.2f s, wire-time limit %7.2f s, ratio %.3f\n", what, baud, f.MeasuredS,
                f.LimitS, f.MeasuredS / f.LimitS);
}

TFigures Sum(const TFigures& a, const TFigures& b)
{
    return {a.MeasuredS + b.MeasuredS, a.LimitS + b.LimitS};
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<unsigned> bauds;
    for (int i = 1; i < argc; ++i) bauds.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 10)));
    if (bauds.empty()) bauds = {115200, 9600};

    std::string error;
    auto connection = cli::TConnection::Open(KVXSIM_PATH, error);
    if (!connection) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto control = reinterpret_cast<KVXSIM_Control_t>(connection->Library().FindFunction(KVXSIM_CONTROL_NAME));
    if (!control) {
        std::fprintf(stderr, "%s has no %s\n", KVXSIM_PATH, KVXSIM_CONTROL_NAME);
        return 1;
    }
    connection->FindDongle();
    TKVX& kvx = connection->KVX();
    if (!kvx.DeviceConnected()) {
        std::fprintf(stderr, "the simulated dongle was not found\n");
        return 1;
    }
    control("page-write-ms", std::to_string(PageWriteMs).c_str());

    TKVXConfig image = ErasedConfig();
    for (unsigned baud : bauds) {
        control("baud", std::to_string(baud).c_str());
        const auto read = [&] { return kvx.ReadConfig(&image); };
        Print("read", baud, Measure(read, PageRequestSize + PageReplySize, 0, baud));
        const TFigures write =
            Measure([&] { return kvx.WriteConfig(&image); }, WritePageRequestSize + ShortReplySize, PageWriteMs, baud);
        Print("write", baud, write);
        // The read-back that verifies the write, right after it.
        const TFigures verify = Measure(read, PageRequestSize + PageReplySize, 0, baud);
        Print("verify", baud, verify);
        Print("write+verify", baud, Sum(write, verify));
    }
    return 0;
}
