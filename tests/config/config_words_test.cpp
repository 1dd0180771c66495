// A configuration in its pages' words: what counts as a difference (equivalent forms do not),
// how a list location made or reset reads, and the description's fixed shape.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

#include "config/config_words.h"
#include "config/general_setup.h"
#include "config/input_messages.h"
#include "config/text_fields.h"
#include "config/timers.h"
#include "config/week_days.h"
#include "config/words_compare.h"

namespace kvx {
namespace {

using TRow = std::tuple<int, std::string, std::string, std::string>;  // page, caption, first, second

std::vector<TRow> Rows(const TKVXConfig& First, const TKVXConfig& Second)
{
    std::vector<TRow> rows;
    for (const TWordedDifference& d : CompareConfigWords(First, Second)) rows.emplace_back(d.PageNo, d.Caption, d.First, d.Second);
    return rows;
}

// Something on a few pages, as a unit would hold it.
TKVXConfig Base()
{
    TKVXConfig image = ErasedConfig();
    EncodeUnitID(image, u"Farm");
    image.TremmorCount = 180;
    EncodeTimer(image, 0, {u"Pump on", 6, 30, EveryWeekDay, 0, 1, 0});
    return image;
}

void Password(TKVXConfig& Image, const std::u16string& Text) { WriteText(Image.LockArray, Text, PadSpace); }

TEST(ConfigWords, DifferencesReadAsThePagesShowThemAndEquivalentFormsAreNone)
{
    using TEdit = std::function<void(TKVXConfig&)>;
    const TEdit none = [](TKVXConfig&) {};
    const struct {
        const char* What;
        TEdit First;
        TEdit Second;
        std::vector<TRow> Expected;
    } cases[] = {
        {"an erased password and a blank one", none, [](TKVXConfig& c) { Password(c, u""); }, {}},
        {"two passwords", [](TKVXConfig& c) { Password(c, u"pw1"); }, [](TKVXConfig& c) { Password(c, u"pw2"); },
         {{2, "Programming access password", "(differs)", "(differs)"}}},
        {"the secondary number while the secondary SIM is off",
         [](TKVXConfig& c) { c.SIM2Enable = 0; },
         [](TKVXConfig& c) {
             c.SIM2Enable = 0;
             WritePhoneNumber(c.SIM2ServiceCentreNumber, u"447700900001");
         },
         {}},
        {"the secondary number while it is on", none, [](TKVXConfig& c) { WritePhoneNumber(c.SIM2ServiceCentreNumber, u"447700900001"); },
         {{1, "Secondary SIM, Message centre number", "(empty)", "+447700900001"}}},
        {"the delay of a message switched off", none, [](TKVXConfig& c) { c.Input2LowDelay.SetValue(0); }, {}},
        {"a name padded otherwise", none, [](TKVXConfig& c) { WriteText(c.UnitID, u"Farm", PadZero); }, {}},
        {"tamper switched off", none, [](TKVXConfig& c) { c.TremmorCount = TamperDisabled; },
         {{3, "Tamper - vibration sensitivity", "180", "disabled"}}},
        {"a timer's time", none, [](TKVXConfig& c) { EncodeTimer(c, 0, {u"Pump on", 7, 48, EveryWeekDay, 0, 1, 0}); },
         {{11, "Timer 01 Pump on, Operation time", "06:30", "07:48"}}},
        {"a timer made", none,
         [](TKVXConfig& c) { EncodeTimer(c, 4, {u"Yard lights", 18, 30, Monday | Friday, 2, 3, 0xFF}); },
         {{11, "Timer 05 Yard lights", "(empty)", "Relay3 Pulse at 18:30, Mon Fri, confirmation SMS"}}},
        {"a timer reset", [](TKVXConfig& c) { EraseTimer(c, 0); }, none, {{11, "Timer 01 Pump on", "(empty)", "Relay1 On at 06:30, every day"}}},
        {"a field no page shows", none, [](TKVXConfig& c) { c.FirmwareVersion.SetValue(0x0102); }, {{0, "FirmwareVersion", "65535", "258"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TKVXConfig first = Base();
        TKVXConfig second = Base();
        c.First(first);
        c.Second(second);
        EXPECT_EQ(Rows(first, second), c.Expected);
    }
}

TEST(ConfigWords, APasswordRowAndItsFieldsHoldNoBytes)
{
    TKVXConfig first = Base();
    TKVXConfig second = Base();
    Password(second, u"secret");
    const std::vector<TWordedDifference> rows = CompareConfigWords(first, second);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].Fields.size(), 1u);
    EXPECT_EQ(rows[0].Fields[0].Name, "LockArray");
    EXPECT_EQ(rows[0].Fields[0].Second, "(differs)");
    EXPECT_EQ(DescribeConfig(second).Fields[5].Value, "set");
}

TEST(ConfigWords, EveryImageGivesTheSameFieldsCoveringTheWholeImage)
{
    TKVXConfig busy = Base();
    busy.Unknown19[0] = 1;
    const std::vector<TCIDEvent> events(3);
    const TConfigWords erased = DescribeConfig(ErasedConfig(), events);
    const TConfigWords described = DescribeConfig(busy, events);
    ASSERT_EQ(erased.Fields.size(), described.Fields.size());
    std::vector<int> covered(TKVXConfig::Size, 0);
    for (size_t i = 0; i < erased.Fields.size(); ++i) {
        const TWordedField& a = erased.Fields[i];
        const TWordedField& b = described.Fields[i];
        ASSERT_TRUE(a.PageNo == b.PageNo && a.Control == b.Control && a.Bytes.Offset == b.Bytes.Offset && a.Bytes.Size == b.Bytes.Size)
            << a.Caption << " / " << b.Caption;
        ASSERT_LE(a.Bytes.Offset + a.Bytes.Size, TKVXConfig::Size) << a.Caption;
        for (size_t at = a.Bytes.Offset; at < size_t{a.Bytes.Offset} + a.Bytes.Size; ++at) ++covered[at];
    }
    for (size_t at = 0; at < TKVXConfig::Size; ++at) ASSERT_GT(covered[at], 0) << "byte " << at << " is in no field";
    EXPECT_EQ(erased.Locations.size(), 500u + 64u);

    for (const auto& [offset, page] : {std::pair{176, 3}, {2048, 11}, {29184, 7}, {29184 + 2 * 224, 7}, {20704, 0}, {40000, 0}})
        EXPECT_EQ(PageShowingByte(offset), page) << offset;
}

} // namespace
} // namespace kvx
