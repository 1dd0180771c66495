#include "ui/main/menu_table.h"

namespace kvx::ui {

namespace {

constexpr std::array<TMenuItemInfo, MenuPageCount> Items{{
    {SIMSetupPageNo, "pnlSIMSetup", "     SIM setup", "SIM setup", "frmSIMSetup1"},
    {SecuritySetupPageNo, "pnlSecuritySetup", "     Security setup", "Security setup", "frmSecuritySetup1"},
    {GeneralSetupPageNo, "pnlGeneralSetup", "     General setup", "General SMS messaging setup", "frmGeneralSetup1"},
    {MessageRecipientsPageNo, "pnlMessageRecipients", "     Message recipients", "Message recipients", "frmMessageRecipients1"},
    {InputMessagesPageNo, "pnlInputSMSMessages", "     SMS input messages", "SMS input messages", "frmInputSMSMessages1"},
    {DistributionPageNo, "pnlDistributeMessages", "     Message distribution", "Message distribution", "frmDistributeMessages1"},
    {ContactIDPageNo, "pnlContactID", "     Contact ID", "Contact ID - alarm panel messaging", "frmContactID1"},
    {RelaysPageNo, "pnlPulseTimeSetup", "     Pulse time setup", "Relay switching pulse time setup", "frmRelays1"},
    {ShortcutsPageNo, "pnlSMSCommandsShortcuts", "     SMS command shortcuts", "SMS command shortcuts", "frmShortcuts1"},
    {MissedCallPageNo, "pnlMissedCallSwitching", "     Missed call switching", "Relay switching by missed call", "frmMissedCall1"},
    {TimersPageNo, "pnlSwitchingByTimer", "     Switching by timer", "Relay switching by independant timer", "frmTimers1"},
    {M2MPageNo, "pnlKVXToBaseStations", "     KVX to base stations", "KVX to base stations", "frmM2M1"},
    {ITTTPageNo, "pnlIfThisThenThat", "     If-this-then-that", "", "frmITTT1"},
}};

constexpr std::array<TSectionInfo, 4> SectionTable{{
    {"pnlSetup", "   SETUP", SIMSetupPageNo},
    {"pnlSMSMessaging", "   SMS MESSAGING", GeneralSetupPageNo},
    {"pnlSwitching", "   SWITCHING - relays", RelaysPageNo},
    {"pnlMachineToMachine", "   MACHINE TO MACHINE", M2MPageNo},
}};

constexpr std::array<TMenuEntry, 17> Order{{
    {true, 0},
    {false, SIMSetupPageNo},
    {false, SecuritySetupPageNo},
    {true, 1},
    {false, GeneralSetupPageNo},
    {false, MessageRecipientsPageNo},
    {false, InputMessagesPageNo},
    {false, DistributionPageNo},
    {false, ContactIDPageNo},
    {true, 2},
    {false, RelaysPageNo},
    {false, ShortcutsPageNo},
    {false, MissedCallPageNo},
    {false, TimersPageNo},
    {true, 3},
    {false, M2MPageNo},
    {false, ITTTPageNo},
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
