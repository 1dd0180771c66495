#pragma once
// What the General setup page tells the pages that carry I/O expander board items (extra
// relays, inputs 8 and 9, the analogue input): whether the board is selected.
namespace kvx::ui {

class IIOExpanderPage {
public:
    // State: the I/O expander board is the chosen serial option.
    virtual void IOExpanderFunctions(bool State) = 0;

protected:
    ~IIOExpanderPage() = default;
};

} // namespace kvx::ui
