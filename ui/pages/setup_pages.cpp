#include "ui/pages/setup_pages.h"

namespace kvx::ui {

// Each setup page joins here as it is built. The main window walks the pages by number, so
// this order only decides who exists first; pages find their siblings through the host
// when they need them, never while they are being created.
std::vector<TPageEntry> CreateSetupPages(IPageHost&, QWidget*)
{
    return {};
}

} // namespace kvx::ui
