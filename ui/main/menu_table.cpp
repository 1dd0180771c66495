#include "ui/main/menu_table.h"

namespace kvx::ui {

namespace {

constexpr std::array<TMenuItemInfo, MenuPageCount> Items{{
    {1, "pnlSIMSetup", "     SIM setup", "SIM setup", "frmSIMSetup1"},
    {2, "pnlSecuritySetup", "     Security setup", "Security setup", "frmSecuritySetup1"},
    {3, "pnlGeneralSetup", "     General setup", "General SMS messaging setup", "frmGeneralSetup1"},
    {4, "pnlMessageRecipients", "     Message recipients", "Message recipients", "frmMessageRecipients1"},
    {5, "pnlInputSMSMessages", "     SMS input messages", "SMS input messages", "frmInputSMSMessages1"},
    {6, "pnlDistributeMessages", "     Message distribution", "Message distribution", "frmDistributeMessages1"},
    {7, "pnlContactID", "     Contact ID", "Contact ID - alarm panel messaging", "frmContactID1"},
    {8, "pnlPulseTimeSetup", "     Pulse time setup", "Relay switching pulse time setup", "frmRelays1"},
    {9, "pnlSMSCommandsShortcuts", "     SMS command shortcuts", "SMS command shortcuts", "frmShortcuts1"},
    {10, "pnlMissedCallSwitching", "     Missed call switching", "Relay switching by missed call", "frmMissedCall1"},
    {11, "pnlSwitchingByTimer", "     Switching by timer", "Relay switching by independant timer", "frmTimers1"},
    {12, "pnlKVXToBaseStations", "     KVX to base stations", "KVX to base stations", "frmM2M1"},
    {13, "pnlIfThisThenThat", "     If-this-then-that", "", "frmITTT1"},
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
