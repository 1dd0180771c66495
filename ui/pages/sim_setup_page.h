#pragma once
// SIM setup: the SMS message centre number of each SIM, picked by country and cellular
// network from SMSC.ini or typed as a custom number, and whether the secondary SIM is used.
#include <filesystem>
#include <vector>

#include "config/sim_setup.h"
#include "config/smsc_ini.h"
#include "ui/main/page_contract.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kvx::ui {

// The controls of one SIM (suffix 1: primary, 2: secondary).
struct TSIMControls {
    TSIM SIM;
    QComboBox* cbCountry;
    QComboBox* cbMobileOperator;
    QLineEdit* edMessageCentreNumber;
    QPushButton* btnMessageCentreNumberClear;
    std::vector<QLabel*> Labels;
};

class TSimSetupPage : public TKVXPage {
public:
    // SMSCFile: the message centre list beside the program; a missing file lists no country.
    TSimSetupPage(IPageHost& Host, QWidget* Parent, const std::filesystem::path& SMSCFile);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;

    void CountryChosen(TSIMControls& SIM);
    void MobileOperatorChosen(TSIMControls& SIM);
    void SecondarySIMToggled();

    TSIMControls Primary;
    TSIMControls Secondary;
    QCheckBox* cbSecondarySIM;

private:
    void BuildSIMGroup(TSIMControls& SIM, int X);
    void MessageCentreNumberEdited(TSIMControls& SIM);
    // Only a custom number of a SIM in use can be cleared, and only when there is one.
    void UpdateClearButton(TSIMControls& SIM);
    // Shows a stored number: as its network when SMSC.ini lists it, else as a custom number.
    void ShowNumber(TSIMControls& SIM, const QString& Number);
    void ShowCustom(TSIMControls& SIM);
    void ApplySecondarySIMState();

    IPageHost& FHost;
    TSMSCIni FSMSC;
};

} // namespace kvx::ui
