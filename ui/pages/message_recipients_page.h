#pragma once
// Message recipients: the ten mobile numbers the unit sends its SMS to. A recipient with a
// number opens its column on the distribution and Contact ID grids; typing is debounced so
// those grids follow once, about half a second after the last keystroke.
#include <QTimer>
#include <array>
#include <cstdint>

#include "config/recipient_list.h"
#include "config/recipient_masks.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/main/page_contract.h"

class QLineEdit;
class QPushButton;

namespace kvx::ui {

class TMessageRecipientsPage : public TKVXPage {
public:
    TMessageRecipientsPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;

    // Tells the grids whether recipient DistributionNumber + 1 (0..9) has a number now.
    void HandleEdit(QLineEdit* Edit, QPushButton* Button, int DistributionNumber);
    // One period of HandOverTimer (100 ms): counts down, then hands the pending recipients over.
    void HandOverTick();

    std::array<QLineEdit*, RecipientCount> edRecipient{};
    std::array<QPushButton*, RecipientCount> btnRecipientClear{};
    QPushButton* btnEnableInSecuritySetup;
    QPushButton* btnImport;  // "Import…": numbers from a spreadsheet, once the report is confirmed
    QPushButton* btnExport;
    QTimer HandOverTimer;
    // While positive, an edit change is handed over at once (a load is in progress).
    int HandOversAtOnce = 0;

private:
    static constexpr int LoadChangeCount = 10;
    static constexpr int DebounceTicks = 5;

    void RecipientEdited(int N);
    static bool DuplicateRecipient(const TRecipientNumbers& Stored, size_t N);
    TRecipientNumbers Numbers() const;
    // Shows Msg, brings the page forward with the focus on Focus (when given); false.
    bool Refuse(const QString& Msg, TMsgDlgType DlgType, QWidget* Focus = nullptr);
    void ImportNumbers();

    IPageHost& FHost;
    int FDebounceTicksLeft = 0;
    uint32_t FPendingRecipients = 0;
};

} // namespace kvx::ui
