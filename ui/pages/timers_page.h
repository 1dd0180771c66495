#pragma once
// Switching by timer: 64 locations, each operating one relay at a time of day on chosen week
// days. The list shows every location; the controls edit the selected one.
#include <array>

#include "config/timers.h"
#include "ui/main/page_contract.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/location_list.h"
#include "ui/widgets/week_day_boxes.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListView;
class QPushButton;

namespace kvx::ui {

class TTimersPage : public TKVXPage, public ITimerCount, public IIOExpanderPage, public ILocationNames {
public:
    TTimersPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    QScrollBar* WheelScrollBar() override;
    int GetTimersCount() const override;
    // Offers relays 3 to 8 only with the I/O board; the locations keep their relays.
    void IOExpanderFunctions(bool State) override;
    QString LocationName(int Index) const override;

    QListView* lbTimer;
    QLineEdit* edTimerLabel;
    QPushButton* btnTimerLabelClear;
    QComboBox* cbRelay;
    QComboBox* cbRelayFunction;
    QLineEdit* edHours;
    QLineEdit* edMinutes;
    TWeekDayBoxes WeekDays;  // cbSUN .. cbSAT
    QCheckBox* cbConfirmation;
    QPushButton* btnResetLocation;  // "Reset location"

private:
    void BuildControls();
    // Shows location Index in the controls; their change handlers leave the record alone meanwhile.
    void ShowLocation(int Index);
    // Every change of a location control: the controls into the selected location's record.
    void UpdateLocation();
    void ResetLocation();
    // The distribution page's timer row follows the user's edits when timers come or go.
    void TimersDefinedChanged(bool WereDefined);
    // A defined location's half-typed time may not be stored: false (and "Invalid integer").
    bool TimeEditsHoldNumbers();

    IPageHost& FHost;
    std::array<TTimerLocation, TimerCount> FRecords{};
    TLocationList FList;
    bool FShowing = false;
};

} // namespace kvx::ui
