#pragma once
// Message distribution: which recipients get the SMS of each reported event. One row per
// event, an All box and ten recipient boxes; recipient columns are opened by the recipients
// page, whole rows ticked by the pages that switch their events on and off.
#include <vector>

#include "config/distribution.h"
#include "ui/main/page_contract.h"
#include "ui/pages/page_roles.h"
#include "ui/widgets/recipient_boxes.h"

class QScrollArea;

namespace kvx::ui {

class TDistributeMessagesPage : public TKVXPage, public IDistributionGroups, public IRecipientColumns {
public:
    TDistributeMessagesPage(IPageHost& Host, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    QScrollBar* WheelScrollBar() override;

    void EnableDistribution(int DistributionNumber, bool Enable) override;
    void UpdateDistributions(int DistributionNumber) override;
    // Ticks or clears every recipient of one row (Panel: a row panel, pnlAutoTest ...).
    void CheckGroup(QWidget* Panel, bool Check);
    void CheckRow(TDistributionEvent Event, bool Check) override;
    void CheckOneBox(QWidget* Panel, bool Check, int DistributionNumber);
    // Click handler of every box, after the box has flipped itself.
    void HandleCheckBox(TImageCheckBox* Sender);

    QWidget* RowPanel(TDistributionEvent Event) const;
    const TRecipientBoxes& RowBoxes(TDistributionEvent Event) const;

    QScrollArea* ScrollBox;

private:
    struct TRow {
        QWidget* Panel;
        TRecipientBoxes Boxes;
    };

    TRow* RowOf(const QWidget* Panel);
    void UpdateAllBox(const TRow& Row);
    void BitsToPanel(const TRow& Row, uint16_t Mask);
    // Whether the row's event is switched on, as the page that drives it shows now.
    bool RowSwitchedOn(size_t Row) const;

    IPageHost& FHost;
    std::vector<TRow> FRows;  // one per event, in the image's order
};

} // namespace kvx::ui
