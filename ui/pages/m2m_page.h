#pragma once
// KVX to base stations: up to four base-station numbers that get short telemetry messages,
// the unit's M2M ID, and the event number sent for each telemetry event.
#include <array>

#include "config/m2m.h"
#include "ui/main/page_contract.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kvx::ui {

class TM2MPage : public TKVXPage {
public:
    TM2MPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    // The event-number box of an event; nullptr for the two slots the page leaves alone.
    QLineEdit* EventEdit(TDistributionEvent Event) const { return FEventEdits[static_cast<size_t>(Event)]; }

    std::array<QLineEdit*, M2MStationCount> edM2MNo{};  // edM2MNo1 .. edM2MNo4
    std::array<QPushButton*, M2MStationCount> btnM2MNo{};
    QLineEdit* edM2MID;
    QPushButton* btnM2MID;
    QCheckBox* cbChangeStandardEvents;

private:
    // The base stations' numbers as they are stored.
    using TStationNumbers = std::array<std::u16string, M2MStationCount>;
    // Shows one message and brings this page forward when a base-station check fails.
    bool ChecksPassed(const TStationNumbers& Stored);
    bool AnyBaseStationNumber() const;
    void BaseStationNumberEdited(size_t Index);
    void IDOrEventEdited();

    IPageHost& FHost;
    std::array<QLineEdit*, M2MTelemetryCount> FEventEdits{};
};

} // namespace kvx::ui
