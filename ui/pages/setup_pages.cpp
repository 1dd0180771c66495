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
    pages.push_back({2, new TfrmSecuritySetup(Host, Parent)});
    pages.push_back({4, new TfrmMessageRecipients(Host, Parent)});
    pages.push_back({7, new TfrmContactID(Host, Parent)});
    pages.push_back({9, new TfrmShortcuts(Host, Parent)});
    pages.push_back({12, new TfrmM2M(Host, Parent)});
    pages.push_back({1, new TfrmSIMSetup(Host, Parent, smscFile.toStdU16String())});
    pages.push_back({6, new TfrmDistributeMessages(Host, Parent)});
    pages.push_back({5, new TfrmInputSMSMessages(Host, Parent)});
    pages.push_back({8, new TfrmRelays(Host, Parent)});
    pages.push_back({13, new TfrmITTT(Host, Parent)});
    pages.push_back({10, new TfrmMissedCall(Host, Parent)});
    pages.push_back({11, new TfrmTimers(Host, Parent)});
    pages.push_back({3, new TfrmGeneralSetup(Host, Parent)});
    return pages;
}

} // namespace kvx::ui
