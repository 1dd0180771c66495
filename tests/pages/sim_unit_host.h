#pragma once
// A page test host whose device object talks to kvxsim through the real vendor-library
// binding, with the simulator's clock following the host's virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/siusbxp_library.h"
#include "link/usbxpress.h"
#include "sim/kvxsim_control.h"
#include "tests/pages/page_test_host.h"
#include "tests/support/simulated_unit.h"

namespace kvx::ui::test {

class TSimUnitHost : public TPageTestHost {
public:
    TSimUnitHost()
    {
        std::string error;
        Library = TSiUSBXpLibrary::Load(KVXSIM_LIBRARY, error);
        if (!Library) {
            ADD_FAILURE() << error;
            return;
        }
        Control = reinterpret_cast<KVXSIM_Control_t>(Library->FindFunction(KVXSIM_CONTROL_NAME));
        kvx::test::StartSimulatedUnit(Control, Pump);
        auto link = std::make_unique<TUSBXpress>(Library->Api());
        USB = link.get();
        Link = nullptr;  // the scripted unit is gone
        KVX = std::make_unique<TKVX>(std::move(link), Pump, [] { return TLocalDateTime{}; });
    }
    ~TSimUnitHost() override
    {
        KVX.reset();
        if (Control) Control("reset", "");
    }

    bool Ready() const { return Control != nullptr; }
    // The dongle as the device watch finds it.
    void PlugIn() { USB->PollDevices(); }
    std::vector<uint8_t> UnitBytes(size_t Offset, size_t Count) const
    {
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < Count; ++i)
            bytes.push_back(static_cast<uint8_t>(Control("peek", std::to_string(Offset + i).c_str())));
        return bytes;
    }

    std::unique_ptr<TSiUSBXpLibrary> Library;
    KVXSIM_Control_t Control = nullptr;
    TUSBXpress* USB = nullptr;
};

} // namespace kvx::ui::test
