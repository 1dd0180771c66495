#include "ui/pages/setup_pages.h"

#include "ui/main/shipped_file.h"
#include "ui/pages/contact_id_page.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/general_setup_page.h"
#include "ui/pages/input_messages_page.h"
#include "ui/pages/m2m_page.h"
#include "ui/pages/message_recipients_page.h"
#include "ui/pages/missed_call_page.h"
#include "ui/pages/relays_page.h"
#include "ui/pages/remote_control_page.h"
#include "ui/pages/security_setup_page.h"
#include "ui/pages/shortcuts_page.h"
#include "ui/pages/sim_setup_page.h"
#include "ui/pages/timers_page.h"

namespace kvx::ui {

// Each setup page joins here as it is built. The main window walks the pages by number, so
// this order only decides who exists first; pages find their siblings through the host
// when they need them, never while they are being created.
std::vector<TPageEntry> CreateSetupPages(IPageHost& Host, QWidget* Parent)
{
    const QString smscFile = ShippedFilePath("SMSC.ini");
    std::vector<TPageEntry> pages;
    pages.push_back({SecuritySetupPageNo, new TSecuritySetupPage(Host, Parent)});
    pages.push_back({MessageRecipientsPageNo, new TMessageRecipientsPage(Host, Parent)});
    pages.push_back({ContactIDPageNo, new TContactIDPage(Host, Parent)});
    pages.push_back({ShortcutsPageNo, new TShortcutsPage(Host, Parent)});
    pages.push_back({M2MPageNo, new TM2MPage(Host, Parent)});
    pages.push_back({SIMSetupPageNo, new TSimSetupPage(Host, Parent, smscFile.toStdU16String())});
    pages.push_back({DistributionPageNo, new TDistributeMessagesPage(Host, Parent)});
    pages.push_back({InputMessagesPageNo, new TInputMessagesPage(Host, Parent)});
    pages.push_back({RelaysPageNo, new TRelaysPage(Host, Parent)});
    pages.push_back({ITTTPageNo, new TRemoteControlPage(Host, Parent)});
    pages.push_back({MissedCallPageNo, new TMissedCallPage(Host, Parent)});
    pages.push_back({TimersPageNo, new TTimersPage(Host, Parent)});
    pages.push_back({GeneralSetupPageNo, new TGeneralSetupPage(Host, Parent)});
    return pages;
}

} // namespace kvx::ui
