#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "link/kvx.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"

namespace kvx::test {

inline TDeviceInfo DongleInfo(uint32_t number = 0)
{
    TDeviceInfo info;
    info.DeviceNumber = number;
    info.Serial = DongleSerial;
    info.Description = DongleDescription;
    info.LinkName = "\\\\?\\usb#vid_10c4&pid_8a4c#0001";
    info.VID = DongleVID;
    info.PID = DonglePID;
    return info;
}

// A device object over a scripted unit, on virtual time, with a fixed PC clock.
class KVXTest : public ::testing::Test {
protected:
    KVXTest()
    {
        auto fake = std::make_unique<TFakeUnitLink>();
        Link = fake.get();
        KVX = std::make_unique<TKVX>(std::move(fake), Pump, [this] { return Clock; });
    }

    void ConnectDongle() { Link->OnDeviceConnect(DongleInfo()); }

    TFakePump Pump;
    TFakeUnitLink* Link = nullptr;  // owned by KVX
    TLocalDateTime Clock{2026, 3, 23, 14, 5, 9};
    std::unique_ptr<TKVX> KVX;
};

} // namespace kvx::test
