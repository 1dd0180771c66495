// Remote commands read from kvxsim and written back untouched leave the unit's trigger table
// and command elements exactly as they were, triggers the editors cannot show included.
#include <QWidget>
#include <iomanip>
#include <sstream>

#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/remote_control_page.h"

namespace kvx::ui::test {
namespace {

constexpr size_t TableOffset = 29696;
constexpr size_t TableSize = 596;
constexpr size_t ElementsOffset = 30464;
constexpr size_t ElementsSize = 640;

std::string Hex(const std::vector<uint8_t>& Bytes)
{
    std::ostringstream text;
    for (uint8_t b : Bytes) text << std::hex << std::setw(2) << std::setfill('0') << int(b);
    return text.str();
}

std::vector<uint8_t> Element(const std::string& Number, const std::string& Command)
{
    std::vector<uint8_t> element(80, ' ');
    std::fill(element.begin(), element.begin() + 16, 0);
    const std::string number = "+" + Number;
    std::copy(number.begin(), number.end(), element.begin());
    std::copy(Command.begin(), Command.end(), element.begin() + 16);
    return element;
}

TEST(RemoteControlOnTheUnit, AReadWrittenBackLeavesBothBlocksAsTheyWere)
{
    TScriptedDialogs dialogs;
    TSimUnitHost host;
    ASSERT_TRUE(host.Ready());
    std::vector<uint8_t> table(TableSize, 0);
    table[4] = 0x81;    // commands 1 and 8: input 3 high
    table[34] = 0x01;   // command 1 also on timer 03
    table[25] = 0x04;   // command 3: an unused byte
    table[595] = 0x10;  // command 5: missed call 500
    std::vector<uint8_t> elements(ElementsSize, 0xFF);
    for (const auto& [no, number, command] : {std::tuple{1, "447700900555", "$8642*rly2*on"}, {3, "61400000000", "rly1*pls"},
                                              {5, "353861234567", "out1*off"}, {8, "447700900556", "status"}}) {
        const std::vector<uint8_t> element = Element(number, command);
        std::copy(element.begin(), element.end(), elements.begin() + 80 * (no - 1));
    }
    ASSERT_EQ(host.Control("poke", (std::to_string(TableOffset) + "=" + Hex(table)).c_str()), 0);
    ASSERT_EQ(host.Control("poke", (std::to_string(ElementsOffset) + "=" + Hex(elements)).c_str()), 0);
    host.PlugIn();

    auto read = std::make_unique<TKVXConfig>();
    ASSERT_EQ(host.KVX->ReadConfig(read.get()), TKVXResult::OK);
    QWidget parent;
    TRemoteControlPage page(host, &parent);
    page.ConfigToForm(*read);
    auto stored = std::make_unique<TKVXConfig>(ErasedConfig());
    ASSERT_TRUE(page.FormToConfig(*stored, true));
    ASSERT_EQ(host.KVX->WriteConfig(stored.get()), TKVXResult::OK);

    EXPECT_EQ(host.UnitBytes(TableOffset, TableSize), table);
    EXPECT_EQ(host.UnitBytes(ElementsOffset, ElementsSize), elements);
}

} // namespace
} // namespace kvx::ui::test
