#pragma once
// One Contact ID event row: code, description, All box (cb11) and recipient boxes cb1..cb10.
#include <QWidget>
#include <cstdint>

#include "ui/main/page_contract.h"
#include "ui/widgets/recipient_boxes.h"

class QLabel;

namespace kvx::ui {

class TContactIDEventRow : public QWidget {
public:
    static constexpr int RowHeight = 23;
    static constexpr int RowPitch = 25;

    TContactIDEventRow(IPageHost& Host, int Code, const QString& Description, QWidget* Parent);

    // A recipient that gains a number gets every event; one that loses it keeps its ticks.
    void EnableDistribution(int DistributionNumber, bool Enable);
    // Sets the All box from the recipient boxes, walking them in order (see the .cpp).
    void CheckEnableAll();
    void FlagsToPanel(uint16_t Flags);
    uint16_t FormToReportingUsers() const;
    // Click handler of all eleven boxes, after the box has flipped itself.
    void HandleCheckBox(TImageCheckBox* Sender);

    const TRecipientBoxes& Boxes() const { return FBoxes; }

    QLabel* lbValue;
    QLabel* lbDescription;
    uint16_t ReportingUsers = 0;

private:
    IPageHost& FHost;
    TRecipientBoxes FBoxes;
};

} // namespace kvx::ui
