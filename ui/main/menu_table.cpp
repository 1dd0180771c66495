#include "ui/main/menu_table.h"

#include "config/page_names.h"

namespace kvx::ui {

namespace {

constexpr std::array<TMenuItemInfo, SetupPageCount> Items{{
    {SIMSetupPageNo, "pnlSIMSetup", SetupPageCaption(SIMSetupPageNo), SetupPageHeading(SIMSetupPageNo), "frmSIMSetup1"},
    {SecuritySetupPageNo, "pnlSecuritySetup", SetupPageCaption(SecuritySetupPageNo), SetupPageHeading(SecuritySetupPageNo), "frmSecuritySetup1"},
    {GeneralSetupPageNo, "pnlGeneralSetup", SetupPageCaption(GeneralSetupPageNo), SetupPageHeading(GeneralSetupPageNo), "frmGeneralSetup1"},
    {MessageRecipientsPageNo, "pnlMessageRecipients", SetupPageCaption(MessageRecipientsPageNo), SetupPageHeading(MessageRecipientsPageNo), "frmMessageRecipients1"},
    {InputMessagesPageNo, "pnlInputSMSMessages", SetupPageCaption(InputMessagesPageNo), SetupPageHeading(InputMessagesPageNo), "frmInputSMSMessages1"},
    {DistributionPageNo, "pnlDistributeMessages", SetupPageCaption(DistributionPageNo), SetupPageHeading(DistributionPageNo), "frmDistributeMessages1"},
    {ContactIDPageNo, "pnlContactID", SetupPageCaption(ContactIDPageNo), SetupPageHeading(ContactIDPageNo), "frmContactID1"},
    {RelaysPageNo, "pnlPulseTimeSetup", SetupPageCaption(RelaysPageNo), SetupPageHeading(RelaysPageNo), "frmRelays1"},
    {ShortcutsPageNo, "pnlSMSCommandsShortcuts", SetupPageCaption(ShortcutsPageNo), SetupPageHeading(ShortcutsPageNo), "frmShortcuts1"},
    {MissedCallPageNo, "pnlMissedCallSwitching", SetupPageCaption(MissedCallPageNo), SetupPageHeading(MissedCallPageNo), "frmMissedCall1"},
    {TimersPageNo, "pnlSwitchingByTimer", SetupPageCaption(TimersPageNo), SetupPageHeading(TimersPageNo), "frmTimers1"},
    {M2MPageNo, "pnlKVXToBaseStations", SetupPageCaption(M2MPageNo), SetupPageHeading(M2MPageNo), "frmM2M1"},
    {ITTTPageNo, "pnlIfThisThenThat", SetupPageCaption(ITTTPageNo), SetupPageHeading(ITTTPageNo), "frmITTT1"},
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

std::span<const TMenuItemInfo, SetupPageCount> MenuItems()
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
