// General setup and SMS input messages against kvxsim: what a unit holds, read, shown and
// written back, comes back to the unit byte for byte.
#include <QLineEdit>
#include <memory>

#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/general_setup_page.h"
#include "ui/pages/input_messages_page.h"

namespace kvx::ui::test {
namespace {

using TBytes = std::vector<uint8_t>;

TBytes Text(const std::string& Value, size_t Width)
{
    TBytes bytes(Value.begin(), Value.end());
    bytes.resize(Width, ' ');
    return bytes;
}

// The two pages' fields as a configured unit holds them: offset and bytes.
std::vector<std::pair<size_t, TBytes>> UnitContent()
{
    std::vector<std::pair<size_t, TBytes>> content{
        {176, Text("Pump station 4", 16)},
        {80, {0x06, 0x45, 0xB4}},          // self test 06:45, tamper 180
        {87, {0x00}},                      // I/O expander
        {90, {0x00, 0x3C, 0x02, 0x58}},    // 1 and 10 minutes
        {98, {0x15}},                      // Monday, Wednesday, Friday
        {512, {2, 0x01, 0x2C, 0x03, 0x20, 0x01, 0xF4, 0x06, 0x40, 0x01, 0xF4, 0x27, 0x10}},
        {528, Text("Level low", 16)},
        {544, Text("Level high", 16)},
    };
    TBytes slotBytes(288, 0xFF);
    TBytes delays(28, 0x00);  // a message that is off keeps no delay
    const struct {
        size_t Slot;
        const char* Message;
        TBytes Delay;
    } messages[] = {{0, "Door open", {0x00, 0x64}}, {1, "Door shut", {0x00, 0x00}}, {4, "Pump fault", {0x04, 0xB0}},
                    {13, "Power low", {0xEA, 0x60}}, {14, "Tank full", {}}, {17, "Tank empty", {}}};
    for (const auto& m : messages) {
        const TBytes text = Text(m.Message, 16);
        std::copy(text.begin(), text.end(), slotBytes.begin() + static_cast<long>(16 * m.Slot));
        std::copy(m.Delay.begin(), m.Delay.end(), delays.begin() + static_cast<long>(2 * m.Slot));
    }
    content.emplace_back(24576, slotBytes);
    content.emplace_back(336, delays);
    return content;
}

std::string Hex(const TBytes& Bytes)
{
    std::string hex;
    for (const uint8_t byte : Bytes) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return hex;
}

TEST(GeneralAndInputPagesOnTheUnit, AReadAndAWriteLeaveTheirFieldsAsTheyWere)
{
    TScriptedDialogs dialogs;
    TSimUnitHost host;
    ASSERT_TRUE(host.Ready());
    for (const auto& [offset, bytes] : UnitContent())
        ASSERT_EQ(host.Control("poke", (std::to_string(offset) + "=" + Hex(bytes)).c_str()), 0) << offset;
    host.PlugIn();
    auto image = std::make_unique<TKVXConfig>();
    ASSERT_EQ(host.KVX->ReadConfig(image.get()), TKVXResult::OK);

    QWidget parent;
    TGeneralSetupPage general(host, &parent);
    TInputMessagesPage inputs(host, &parent);
    host.Register(3, &general);
    host.Register(5, &inputs);
    general.ConfigToForm(*image);
    inputs.ConfigToForm(*image);
    EXPECT_TRUE(inputs.Rows[14].Message->isEnabled());  // the expander was chosen on the unit

    *image = ErasedConfig();
    ASSERT_TRUE(general.FormToConfig(*image, true));
    ASSERT_TRUE(inputs.FormToConfig(*image, true));
    ASSERT_EQ(host.KVX->WriteConfig(image.get()), TKVXResult::OK);
    for (const auto& [offset, bytes] : UnitContent()) EXPECT_EQ(host.UnitBytes(offset, bytes.size()), bytes) << "at " << offset;
}

} // namespace
} // namespace kvx::ui::test
