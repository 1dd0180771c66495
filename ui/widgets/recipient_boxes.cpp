#include "ui/widgets/recipient_boxes.h"

namespace kvx::ui {

TRecipientBoxes CreateRecipientBoxes(QWidget* Row, QPoint TopLeft, bool Checked,
                                     const std::function<void(TImageCheckBox*)>& OnClick)
{
    TRecipientBoxes boxes;
    for (int tag = 0; tag <= static_cast<int>(RecipientCount); ++tag) {
        auto* box = new TImageCheckBox(Row);
        box->Tag = tag;
        box->SetCheckType(static_cast<TCheckType>(static_cast<int>(TCheckType::ctAll) + tag));
        box->SetChecked(Checked);
        box->SetEnabled(false);
        box->MoveTo(TopLeft.x() + tag * RecipientBoxPitch, TopLeft.y());
        box->OnClick = OnClick;
        if (tag == 0) boxes.All = box;
        else boxes.Recipients[static_cast<size_t>(tag - 1)] = box;
    }
    return boxes;
}

uint16_t CheckedEnabledMask(const TRecipientBoxes& Boxes)
{
    uint16_t mask = 0;
    for (const TImageCheckBox* box : Boxes.Recipients)
        if (box->Checked() && box->Enabled()) mask = static_cast<uint16_t>(mask | RecipientBit(static_cast<unsigned>(box->Tag)));
    return mask;
}

void CheckFromMask(const TRecipientBoxes& Boxes, uint16_t Mask)
{
    for (TImageCheckBox* box : Boxes.Recipients) box->SetChecked(HasRecipient(Mask, static_cast<unsigned>(box->Tag)));
}

void ApplyAllBox(const TRecipientBoxes& Boxes)
{
    const bool all = Boxes.All->Checked();
    for (TImageCheckBox* box : Boxes.Recipients)
        if (!all || box->Enabled()) box->SetChecked(all);
}

} // namespace kvx::ui
