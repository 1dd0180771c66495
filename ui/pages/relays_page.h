#pragma once
// Pulse time setup: the pulse time in seconds of the two on-board relays and the six relays
// of the optional I/O board.
#include <array>

#include "config/relay_pulse_times.h"
#include "ui/main/page_contract.h"
#include "ui/pages/page_roles.h"

class QLabel;
class QLineEdit;

namespace kvx::ui {

class TRelaysPage : public TKVXPage, public IIOExpanderPage {
public:
    TRelaysPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    // The General setup page's expansion-port choice: the I/O board rows are editable only
    // while the I/O expander is chosen.
    void IOExpanderFunctions(bool State) override;

    std::array<QLineEdit*, RelayCount> edVRLY{};  // edVRLY1 .. edVRLY8
    QWidget* pnlIOBoardRelaysEnable;
    QLabel* lblLink;

private:
    void PulseTimeEdited(QLineEdit* Edit);

    IPageHost& FHost;
};

} // namespace kvx::ui
