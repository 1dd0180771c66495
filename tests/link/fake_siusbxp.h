#pragma once
// The vendor library's calls as plain C functions over one test-global state, so the link
// runs through a real function table with every status and count under the test's control.
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/siusbxp_library.h"

namespace kvx::test {

// Serial, description, link name, VID, PID: the library's option codes 0 to 4.
using TFakeDeviceStrings = std::array<std::string, 5>;

struct TFakeSiUSBXp {
    std::vector<TFakeDeviceStrings> Devices;
    SI_STATUS NumDevicesStatus = SI_SUCCESS;
    bool NumDevicesWritesCount = true;
    // (device, option) -> status returned instead of the string.
    std::map<std::pair<uint32_t, uint32_t>, SI_STATUS> ProductStringFailures;
    std::vector<std::pair<uint32_t, uint32_t>> ProductStringCalls;

    SI_STATUS OpenStatus = SI_SUCCESS;
    SI_STATUS CloseStatus = SI_SUCCESS;
    SI_STATUS CancelStatus = SI_NOTHING_TO_CANCEL;
    SI_STATUS WriteStatus = SI_SUCCESS;
    SI_STATUS ReadStatus = SI_SUCCESS;
    SI_STATUS FlushStatus = SI_SUCCESS;
    SI_STATUS CheckStatus = SI_SUCCESS;
    SI_STATUS FlowStatus = SI_SUCCESS;
    SI_STATUS NoHandleStatus = SI_SUCCESS;  // the calls that take no handle

    uint32_t WriteAccepts = UINT32_MAX;     // bytes a write takes at most
    uint32_t ReadOverReports = 0;           // added to the count a read reports
    std::optional<uint32_t> QueueStatusOverride;

    int OpenHandles = 0;
    uint32_t Cancels = 0;
    uint32_t Writes = 0;
    bool OverlappedSeen = false;            // a transfer got a non-null last argument
    std::vector<uint8_t> Written;
    std::deque<uint8_t> RxQueue;
    std::vector<std::pair<uint8_t, uint8_t>> Flushes;  // (transmit, receive)
    std::vector<std::array<int, 6>> FlowControls;
    std::pair<uint32_t, uint32_t> Timeouts{0, 0};
};

// Each test starts from a fresh state.
extern TFakeSiUSBXp Fake;

// The function table over Fake.
const TSiUSBXpApi& FakeApi();

// The handle the fake hands out.
SI_HANDLE FakeHandle();

} // namespace kvx::test
