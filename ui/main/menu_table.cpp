#include "ui/main/menu_table.h"

#include "config/page_names.h"

namespace kvx::ui {

namespace {

constexpr std::array<TMenuItemInfo, MenuPageCount> Items{{
    {1, "pnlSIMSetup", SetupPageCaption(1), SetupPageHeading(1), "frmSIMSetup1"},
    {2, "pnlSecuritySetup", SetupPageCaption(2), SetupPageHeading(2), "frmSecuritySetup1"},
    {3, "pnlGeneralSetup", SetupPageCaption(3), SetupPageHeading(3), "frmGeneralSetup1"},
    {4, "pnlMessageRecipients", SetupPageCaption(4), SetupPageHeading(4), "frmMessageRecipients1"},
    {5, "pnlInputSMSMessages", SetupPageCaption(5), SetupPageHeading(5), "frmInputSMSMessages1"},
    {6, "pnlDistributeMessages", SetupPageCaption(6), SetupPageHeading(6), "frmDistributeMessages1"},
    {7, "pnlContactID", SetupPageCaption(7), SetupPageHeading(7), "frmContactID1"},
    {8, "pnlPulseTimeSetup", SetupPageCaption(8), SetupPageHeading(8), "frmRelays1"},
    {9, "pnlSMSCommandsShortcuts", SetupPageCaption(9), SetupPageHeading(9), "frmShortcuts1"},
    {10, "pnlMissedCallSwitching", SetupPageCaption(10), SetupPageHeading(10), "frmMissedCall1"},
    {11, "pnlSwitchingByTimer", SetupPageCaption(11), SetupPageHeading(11), "frmTimers1"},
    {12, "pnlKVXToBaseStations", SetupPageCaption(12), SetupPageHeading(12), "frmM2M1"},
    {13, "pnlIfThisThenThat", SetupPageCaption(13), SetupPageHeading(13), "frmITTT1"},
}};

constexpr std::array<TSectionInfo, 4> SectionTable{{
    {"pnlSetup", "   SETUP", 1},
    {"pnlSMSMessaging", "   SMS MESSAGING", 3},
    {"pnlSwitching", "   SWITCHING - relays", 8},
    {"pnlMachineToMachine", "   MACHINE TO MACHINE", 12},
}};

constexpr std::array<TMenuEntry, 17> Order{{
    {true, 0},   {false, 1},  {false, 2},  {true, 1},   {false, 3},  {false, 4},
    {false, 5},  {false, 6},  {false, 7},  {true, 2},   {false, 8},  {false, 9},
    {false, 10}, {false, 11}, {true, 3},   {false, 12}, {false, 13},
}};

} // namespace

std::span<const TMenuItemInfo, MenuPageCount> MenuItems()
{
    return Items;
}

const TMenuItemInfo& MenuItem(int No)
{
    return Items.at(static_cast<size_t>(No - 1));
}

std::span<const TSectionInfo> Sections()
{
    return SectionTable;
}

std::span<const TMenuEntry> MenuOrder()
{
    return Order;
}

} // namespace kvx::ui
