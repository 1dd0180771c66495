#include "ui/main/page_contract.h"

namespace kvx::ui {

// Each setup page joins here as it is built, in construction order: Security setup, Message
// recipients, Contact ID, SMS command shortcuts, M2M base stations, SIM setup, Message
// distribution, SMS input messages, Relays, If-this-then-that, Missed call, Timers, General
// setup. The main window walks them by number, so this order only decides who exists first.
std::vector<TPageEntry> CreateSetupPages(IPageHost&, QWidget*)
{
    return {};
}

} // namespace kvx::ui
