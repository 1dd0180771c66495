#pragma once
// Contact ID: which recipients get each alarm-panel event (one row per line of CIDList.txt),
// the custom partition, zone and user names, and the dial-tone option.
#include <QString>
#include <array>
#include <vector>

#include "config/contact_id.h"
#include "ui/main/page_contract.h"
#include "ui/pages/contact_id_event_row.h"
#include "ui/pages/page_roles.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace kvx::ui {

class TContactIDPage : public TKVXPage, public IRecipientColumns {
public:
    // Reads the event list from CIDListPath once, here; a missing or unreadable file leaves
    // the page without rows and says so on the page.
    TContactIDPage(IPageHost& Host, QWidget* Parent, const QString& CIDListPath = ProgramCIDListPath());

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    QScrollBar* WheelScrollBar() override;

    // Opens or closes recipient DistributionNumber + 1 (0..9) in every row.
    void EnableDistribution(int DistributionNumber, bool Enable) override;

    // "CIDList.txt" as the program finds it (beside itself, else where it is installed).
    static QString ProgramCIDListPath();

    std::vector<TContactIDEventRow*> CIDControlList;
    int CIDControlListCount() const { return static_cast<int>(CIDControlList.size()); }

    QScrollArea* sbCIDList;
    QLabel* lblCIDListMissing;  // shown only when the event list could not be read
    QComboBox* cbPartition;
    QComboBox* cbZone;
    QComboBox* cbUser;
    QLineEdit* edPM;
    QLineEdit* edZM;
    QLineEdit* edUM;
    QPushButton* btnPMC;
    QPushButton* btnZMC;
    QPushButton* btnUMC;
    QCheckBox* cbDialTone;

private:
    struct TLabelList {
        TCIDLabelKind Kind;
        QComboBox* Combo;
        QLineEdit* Edit;
        QPushButton* Clear;
    };

    void BuildDistribution();
    void BuildLabelLists();
    void BuildConnection();
    void LoadCIDList(const QString& CIDListPath);
    void ShowRowArea();
    void FillLabelLists();
    void LabelSelected(const TLabelList& List);
    void LabelEdited(const TLabelList& List);

    IPageHost& FHost;
    QWidget* FRowArea = nullptr;
    std::array<TLabelList, 3> FLabelLists{};
};

} // namespace kvx::ui
