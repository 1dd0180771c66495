#pragma once
// Switching by missed call: 500 caller numbers, each letting the unit operate one relay,
// optionally only a number of times and only inside a time window on chosen week days.
// The list shows every location; the controls edit the selected one.
#include <array>

#include "config/missed_calls.h"
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

class TMissedCallPage : public TKVXPage, public IIOExpanderPage, public ILocationNames {
public:
    TMissedCallPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    QScrollBar* WheelScrollBar() override;
    // Offers relays 3 to 8 only with the I/O board; the locations keep their relays.
    void IOExpanderFunctions(bool State) override;
    QString LocationName(int Index) const override;

    QListView* lbMissedCall;
    QLineEdit* edMissedCallNumber;  // digits only: the "+" is the page's to store
    QPushButton* btnMissedCallNumberClear;
    QComboBox* cbRelay;
    QComboBox* cbRelayFunction;
    QLineEdit* edAccessCount;
    QCheckBox* cbConfirmation;
    QCheckBox* cbAccessRules;
    QWidget* pnlAccessRules;
    TWeekDayBoxes WeekDays;  // cbSUN .. cbSAT, on pnlAccessRules
    QLineEdit* edStartHour;
    QLineEdit* edStartMinute;
    QLineEdit* edStopHour;
    QLineEdit* edStopMinute;
    QPushButton* btnResetLocation;
    QPushButton* btnImport;  // "Import…": numbers from a spreadsheet, once the report is confirmed
    QPushButton* btnExport;

private:
    void BuildControls();
    void BuildAccessRules(int Top);
    // Shows location Index in the controls; their change handlers leave the record alone meanwhile.
    void ShowLocation(int Index);
    // The time-window switch opens or closes the window's controls.
    void ApplyAccessRules();
    // Every change of a location control: the controls into the selected location's record.
    void UpdateLocation();
    void ResetLocation();
    // A defined location's half-typed count or window may not be stored: false (and "Invalid integer").
    bool EditsHoldNumbers();
    void ImportNumbers();

    IPageHost& FHost;
    std::array<TMissedCallLocation, MissedCallCount> FRecords{};
    TLocationList FList;
    bool FShowing = false;
};

} // namespace kvx::ui
