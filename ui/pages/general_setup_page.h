#pragma once
// General SMS messaging setup: the unit's reporting name, the daily self test, the mains
// fail and restore delays, the tamper sensitivity and the use of the serial connection. The
// self test, tamper and serial choices switch rows of the distribution page, and the serial
// choice the I/O expander items of the pages that have them.
#include <array>

#include "config/general_setup.h"
#include "ui/main/page_contract.h"
#include "ui/widgets/week_day_boxes.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kvx::ui {

class TGeneralSetupPage : public TKVXPage {
public:
    TGeneralSetupPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;

    QLineEdit* edUnitID;
    QCheckBox* cbSelfTest;
    QWidget* pnlSelfTest;
    QLineEdit* edHours;
    QLineEdit* edMinutes;
    QLineEdit* edACFailDelay;
    QLineEdit* edACRestoreDelay;
    QLineEdit* edTamper;
    TWeekDayBoxes Days;  // cbSUN .. cbSAT
    QRadioButton* rbDisabled;
    QRadioButton* rbIOExpander;
    QRadioButton* rbDSC;

private:
    // The number edits, in the order they are stored.
    enum TNumberEdit : size_t { Hours, Minutes, ACFailDelay, ACRestoreDelay, Tamper, NumberEditCount };

    void BuildNameAndSelfTest();
    void BuildMainsAndBattery();
    void BuildTamperAndSerial();
    QLineEdit* NewNumberEdit(QWidget* Parent, TNumberEdit Which, const QRect& Geometry);
    void SelfTestToggled();
    void TamperEdited();
    // A click on a serial option: acts only when it chose another option than before.
    void HandleRadioButton();
    TSerialInterface ChosenSerialInterface() const;
    // Tells the pages with I/O expander items, and ticks or clears the comms-failure row.
    void IOExpanderChosen(bool State);
    // The write path's questions and notices, in their order; false at the first refusal.
    bool CheckInput();
    bool Refuse();

    IPageHost& FHost;
    std::array<QLineEdit*, NumberEditCount> FNumberEdits{};
    bool FTamperOn = false;  // what the distribution page was last told
    TSerialInterface FSerialInterface = TSerialInterface::Disabled;  // the option the other pages were last told
};

} // namespace kvx::ui
