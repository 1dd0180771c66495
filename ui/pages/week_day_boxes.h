#pragma once
// The seven week-day boxes of a timer or missed-call location: picture check boxes cbSUN ..
// cbSAT in a row, Sunday first as the page shows a week, over the image's week-day bits.
#include <QPoint>
#include <array>
#include <cstdint>
#include <functional>

#include "ui/pages/image_check_box.h"

namespace kvx::ui {

inline constexpr int WeekDayBoxPitch = 22;  // from one box's left edge to the next

struct TWeekDayBoxes {
    std::array<TImageCheckBox*, 7> Days{};  // Sunday, Monday, ... Saturday
};

// All seven checked, side by side from TopLeft on Owner; OnClick runs after each press.
TWeekDayBoxes CreateWeekDayBoxes(QWidget* Owner, QPoint TopLeft, const std::function<void()>& OnClick);
// The bits of the checked days (Monday 0x01 .. Sunday 0x40).
uint8_t WeekDayMask(const TWeekDayBoxes& Boxes);
// Checks each day whose bit is set in Mask.
void ShowWeekDays(const TWeekDayBoxes& Boxes, uint8_t Mask);
void EnableWeekDays(const TWeekDayBoxes& Boxes, bool Enabled);

} // namespace kvx::ui
