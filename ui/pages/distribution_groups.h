#pragma once
// What the pages that switch an event on and off ask the distribution page: tick or clear
// every recipient of the event's row (Panel: the row, found on that page by its name).
class QWidget;

namespace kvx::ui {

class IDistributionGroups {
public:
    virtual void CheckGroup(QWidget* Panel, bool Check) = 0;

protected:
    ~IDistributionGroups() = default;
};

} // namespace kvx::ui
