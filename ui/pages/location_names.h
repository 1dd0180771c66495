#pragma once
// What the remote-control page asks the Timers and Missed call pages, so its trigger lists
// name each location as the user sees it on its own page.
#include <QString>

namespace kvx::ui {

class ILocationNames {
public:
    // The label (timers) or number (missed calls) of location Index (0-based) as the page
    // holds it now; empty while the location is undefined or Index is out of range.
    virtual QString LocationName(int Index) const = 0;

protected:
    ~ILocationNames() = default;
};

} // namespace kvx::ui
