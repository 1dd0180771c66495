#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "link/kvx.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"

namespace kvx::test {

// A device object over the simulator's unit model behind a fake link, on virtual time, with a
// fixed PC clock.
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
