#pragma once
// What the pages that switch an event on and off ask the distribution page: tick or clear
// every recipient of the event's row.
#include "config/distribution.h"
#include "ui/main/page_contract.h"

namespace kvx::ui {

class IDistributionGroups {
public:
    virtual void CheckRow(TDistributionEvent Event, bool Check) = 0;

protected:
    ~IDistributionGroups() = default;
};

// Ticks or clears Event's row on the distribution page, while the host has that page.
inline void CheckDistributionRow(IPageHost& Host, TDistributionEvent Event, bool On)
{
    constexpr int DistributionPageNo = 6;
    if (auto* groups = dynamic_cast<IDistributionGroups*>(Host.Page(DistributionPageNo))) groups->CheckRow(Event, On);
}

} // namespace kvx::ui
