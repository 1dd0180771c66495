// The identity rule: when the memory last read may still be taken for what the unit holds.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "link/unit_identity.h"

namespace kvx {
namespace {

TEST(UnitIdentity, TrustsTheMemoryOnlyWhileNothingSaysTheUnitChanged)
{
    using TStep = std::function<void(TUnitIdentity&)>;
    const auto frame = [](uint64_t at, const char16_t* imei) { return TStep([=](TUnitIdentity& u) { u.StatusFrame(at, imei); }); };
    const auto read = [](uint64_t at) {
        return TStep([=](TUnitIdentity& u) {
            u.Answered(at);
            u.MemoryKnown();
        });
    };
    struct TCase {
        const char* Name;
        std::vector<TStep> Steps;
        uint64_t AskedAt;
        bool Trusted;
    };
    const TCase cases[] = {
        {"nothing read", {frame(1000, u"A")}, 1500, false},
        {"read, the same unit talking", {frame(1000, u"A"), read(5000), frame(6000, u"A"), frame(7000, u"")}, 7500, true},
        {"read, then silence", {frame(1000, u"A"), read(5000)}, 8000, false},
        {"silence, then the same IMEI", {frame(1000, u"A"), read(5000), frame(9000, u"A")}, 9100, false},
        {"another IMEI", {frame(1000, u"A"), read(5000), frame(6000, u"B")}, 6100, false},
        {"the first IMEI after the read", {read(500), frame(1000, u"A")}, 1100, false},
        {"reconnect", {frame(1000, u"A"), read(5000), [](TUnitIdentity& u) { u.Connected(5500); }, frame(6000, u"A")}, 6100, false},
        {"a write stopped part way", {frame(1000, u"A"), read(5000), [](TUnitIdentity& u) { u.MemoryUnknown(); }}, 5100, false},
        {"read again after a change", {frame(1000, u"A"), frame(2000, u"B"), read(5000)}, 5100, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TUnitIdentity unit;
        unit.Connected(0);
        for (const TStep& step : c.Steps) step(unit);
        EXPECT_EQ(unit.MemoryTrusted(c.AskedAt), c.Trusted);
    }
}

} // namespace
} // namespace kvx
