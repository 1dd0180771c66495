// The status log's rows, from the frames a simulated unit sends on a scripted walk of signal levels.
#include <gtest/gtest.h>

#include "link/status_snapshot.h"
#include "sim/knobs.h"
#include "transfer/status_log.h"

namespace kvx {
namespace {

TEST(StatusLog, RowsOfAScriptedSimulatedUnit)
{
    sim::TSimulator unit;
    ASSERT_EQ(sim::ApplyControl(unit, "clock", "manual"), 0);
    ASSERT_EQ(sim::ApplyControl(unit, "signal", "60,75,120,90"), 0);
    std::string log = StatusLogHeader();
    TStatusSnapshot snapshot;
    for (int second = 1; second <= 4; ++second) {
        unit.Clock.Advance(1000);
        const std::vector<uint8_t> bytes = unit.Unit.StatusDue(unit.Clock.NowMs());
        for (const TStatusUpdate& update : DecodeStatusFrames(bytes.data(), bytes.size())) {
            ApplyStatusUpdate(snapshot, update);
            if (const auto* state = std::get_if<TUnitStatus>(&update))
                log += StatusLogRow({2026, 3, 23, 14, 5, 8 + second}, *state, snapshot.Operator);
        }
    }
    // The operator comes after the first state frame; a level outside 51..113 is no reading.
    EXPECT_EQ(log,
              "time,state,operator,signal_dbm,sim,inputs,mains,relays,supply_volts,analogue_volts,analogue_milliamps\r\n"
              "2026-03-23 14:05:09,GSM register,,-60,1,HLLLLLLLL,H,COOOOOOO,13.7,4.56,\r\n"
              "2026-03-23 14:05:10,GSM register,Vodafone,-75,1,HLLLLLLLL,H,COOOOOOO,13.8,4.57,\r\n"
              "2026-03-23 14:05:11,GSM connected,Vodafone,,1,HLLLLLLLL,H,COOOOOOO,13.9,4.58,\r\n"
              "2026-03-23 14:05:12,GSM connected,Vodafone,-90,1,HLLLLLLLL,H,COOOOOOO,13.7,4.59,\r\n");
}

TEST(StatusLog, OperatorNamesAreQuotedAsCsvNeeds)
{
    TUnitStatus status;
    status.State = 7;
    status.SignalLevel = 51;
    status.SIM2Active = true;
    status.AnalogueMode = AnalogueCurrentMode;
    status.AnalogueCentiMilliAmps = 2000;
    EXPECT_EQ(StatusLogRow({2026, 1, 2, 3, 4, 5}, status, u"Tele \"One\", UK"),
              "2026-01-02 03:04:05,unknown,\"Tele \"\"One\"\", UK\",-51,2,LLLLLLLLL,L,OOOOOOOO,0.0,,20.00\r\n");
}

} // namespace
} // namespace kvx
