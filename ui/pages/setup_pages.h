#pragma once
#include <vector>

#include "ui/main/page_contract.h"

namespace kvx::ui {

// The program's thirteen setup pages, as far as they exist.
std::vector<TPageEntry> CreateSetupPages(IPageHost& Host, QWidget* Parent);

} // namespace kvx::ui
