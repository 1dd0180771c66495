// The timer and missed-call blocks read from kvxsim and written back by the two pages come
// back byte for byte, kept relays and actions, closed windows and full numbers included.
#include <QString>

#include "config/missed_calls.h"
#include "config/timers.h"
#include "config/week_days.h"
#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/missed_call_page.h"
#include "ui/pages/timers_page.h"

namespace kvx::ui::test {
namespace {

struct TBlock {
    size_t Offset;
    size_t Size;
};

constexpr TBlock TimerBlock{2048, 64 * 8 + 64 * 16};
constexpr TBlock MissedCallBlock{8704, 500 * 16 + 500 * 8};

// Timers and missed calls as a configured unit holds them; undefined locations erased.
TKVXConfig UnitContent()
{
    TKVXConfig image = ErasedConfig();
    EncodeTimer(image, 0, {u"Pump", 7, 30, Monday | Friday, 0, 1, 0xFF});
    EncodeTimer(image, 17, {u"ABCDEFGHIJKLMNOP", 23, 59, EveryWeekDay, 5, 0, 0});  // I/O board relay, action 0
    EncodeTimer(image, 63, {u"Last", 0, 0, Sunday, 9, 4, 0});
    EncodeMissedCall(image, 0, {u"447700900555", true, 8, 0, 17, 30, EveryWeekDay, 1, 3 | ConfirmationBit, 5});
    EncodeMissedCall(image, 250, {u"123456789012345", false, 0, 0, 23, 59, EveryWeekDay, 7, 0x80, 0});
    EncodeMissedCall(image, 499, {u"61400000000", true, 0, 0, 23, 59, Saturday, 0, 2, 255});
    return image;
}

void Poke(TSimUnitHost& Host, const TKVXConfig& From, TBlock Block)
{
    QString hex;
    for (size_t i = Block.Offset; i < Block.Offset + Block.Size; ++i) hex += QString::asprintf("%02X", From.Bytes()[i]);
    ASSERT_EQ(Host.Control("poke", QString("%1=%2").arg(Block.Offset).arg(hex).toLatin1().constData()), 0);
}

TEST(SwitchingPagesOnTheUnit, AReadAndAWriteLeaveBothBlocksAsTheyWere)
{
    TScriptedDialogs dialogs;
    TSimUnitHost host;
    ASSERT_TRUE(host.Ready());
    const TKVXConfig content = UnitContent();
    for (const TBlock block : {TimerBlock, MissedCallBlock}) Poke(host, content, block);
    const auto before = [&](TBlock Block) { return host.UnitBytes(Block.Offset, Block.Size); };
    const std::vector<uint8_t> timers = before(TimerBlock);
    const std::vector<uint8_t> missedCalls = before(MissedCallBlock);

    host.PlugIn();
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(host.KVX->ReadConfig(image.get()), TKVXResult::OK);
    QWidget parent;
    TMissedCallPage missedCall(host, &parent);
    TTimersPage timerPage(host, &parent);
    missedCall.ConfigToForm(*image);
    timerPage.ConfigToForm(*image);

    *image = ErasedConfig();
    ASSERT_TRUE(missedCall.FormToConfig(*image, true));
    ASSERT_TRUE(timerPage.FormToConfig(*image, true));
    ASSERT_EQ(host.KVX->WriteConfig(image.get()), TKVXResult::OK);
    EXPECT_EQ(before(TimerBlock), timers);
    EXPECT_EQ(before(MissedCallBlock), missedCalls);
}

} // namespace
} // namespace kvx::ui::test
