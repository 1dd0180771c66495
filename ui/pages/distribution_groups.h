#pragma once
// What other pages ask the distribution page: the pages that switch an event on and off tick
// or clear every recipient of the event's row; the recipients page gives a new recipient the
// events that are on.
#include "config/distribution.h"
#include "ui/main/page_contract.h"

namespace kvx::ui {

class IDistributionGroups {
public:
    virtual void CheckRow(TDistributionEvent Event, bool Check) = 0;
    // Gives recipient DistributionNumber + 1 (0..9) every event that is switched on now.
    virtual void UpdateDistributions(int DistributionNumber) = 0;

protected:
    ~IDistributionGroups() = default;
};

// Ticks or clears Event's row on the distribution page, while the host has that page.
inline void CheckDistributionRow(IPageHost& Host, TDistributionEvent Event, bool On)
{
    if (auto* groups = dynamic_cast<IDistributionGroups*>(Host.Page(DistributionPageNo))) groups->CheckRow(Event, On);
}

} // namespace kvx::ui
