#pragma once
// The roles pages play for one another. A page reaches a sibling through its host
// (IPageHost::Page) and asks it only through one of these, never through its class.
#include <QString>

#include "config/distribution.h"
#include "ui/main/page_contract.h"

namespace kvx::ui {

// What the General setup page tells the pages that carry I/O expander board items (extra
// relays, inputs 8 and 9, the analogue input): whether the board is selected.
class IIOExpanderPage {
public:
    // State: the I/O expander board is the chosen serial option.
    virtual void IOExpanderFunctions(bool State) = 0;

protected:
    ~IIOExpanderPage() = default;
};

// What the recipients page asks the grids organised by recipient (distribution, Contact ID):
// open or close a recipient's column as its number comes and goes.
class IRecipientColumns {
public:
    // Opens or closes recipient DistributionNumber + 1 (0..9) in every row; checks stay.
    virtual void EnableDistribution(int DistributionNumber, bool Enable) = 0;

protected:
    ~IRecipientColumns() = default;
};

// What other pages ask the distribution page: the pages that switch an event on and off tick
// or clear every recipient of the event's row; the recipients page gives a new recipient the
// events that are on.
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

// What the distribution page asks the Timers page: how many timer locations are defined,
// so a recipient entered later gets the timer messages only while timers exist.
class ITimerCount {
public:
    virtual int GetTimersCount() const = 0;

protected:
    ~ITimerCount() = default;
};

// What the remote-control page asks the Timers and Missed call pages, so its trigger lists
// name each location as the user sees it on its own page.
class ILocationNames {
public:
    // The label (timers) or number (missed calls) of location Index (0-based) as the page
    // holds it now; empty while the location is undefined or Index is out of range.
    virtual QString LocationName(int Index) const = 0;

protected:
    ~ILocationNames() = default;
};

// What the shortcuts page asks the security page: the command PIN as typed there now, so the
// shortcuts shown carry it before anything is written.
class ICommandPin {
public:
    virtual QString CommandPin() const = 0;

protected:
    ~ICommandPin() = default;
};

} // namespace kvx::ui
