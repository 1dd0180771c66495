#pragma once
// One grid row's boxes: the All box (Tag 0) and one box per recipient (Tag 1..10), as the
// distribution and Contact ID grids both lay them out and both store them.
#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>

#include "config/recipient_masks.h"
#include "ui/widgets/image_check_box.h"

namespace kvx::ui {

inline constexpr int RecipientBoxPitch = 22;  // from one box's left edge to the next

struct TRecipientBoxes {
    TImageCheckBox* All = nullptr;
    std::array<TImageCheckBox*, RecipientCount> Recipients{};  // [n - 1] is recipient n

    TImageCheckBox* Recipient(int DistributionNumber) const { return Recipients.at(static_cast<size_t>(DistributionNumber)); }
};

// All, then 1..10, side by side from TopLeft; every box disabled, Checked as given, and
// OnClick as every box's click handler.
TRecipientBoxes CreateRecipientBoxes(QWidget* Row, QPoint TopLeft, bool Checked,
                                     const std::function<void(TImageCheckBox*)>& OnClick);
// Bit n - 1 for each recipient n whose box is both checked and enabled.
uint16_t CheckedEnabledMask(const TRecipientBoxes& Boxes);
// Checks recipient n's box exactly when bit n - 1 is set; enabled states stay.
void CheckFromMask(const TRecipientBoxes& Boxes, uint16_t Mask);
// After a press on the All box: checked ticks every enabled recipient, unchecked clears
// every recipient, enabled or not.
void ApplyAllBox(const TRecipientBoxes& Boxes);

} // namespace kvx::ui
