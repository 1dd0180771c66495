#pragma once
// A row of seven week-day picture boxes, Sunday first as the pages show them, with letter
// tiles; the self test, timers and missed-call windows keep their days in one mask each.
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "ui/widgets/image_check_box.h"

namespace kvx::ui {

inline constexpr size_t WeekDayCount = 7;

struct TWeekDayBoxes {
    std::array<TImageCheckBox*, WeekDayCount> Days{};  // Sunday, Monday, ... Saturday: cbSUN .. cbSAT
};

// The seven boxes side by side from TopLeft, all checked and enabled, OnClick on each.
TWeekDayBoxes CreateWeekDayBoxes(QWidget* Owner, QPoint TopLeft, const std::function<void(TImageCheckBox*)>& OnClick);
// The week-day bits of the checked boxes (Monday 0x01 ... Sunday 0x40).
uint8_t WeekDayMask(const TWeekDayBoxes& Boxes);
// Checks each day exactly when its bit is set.
void CheckFromWeekDayMask(const TWeekDayBoxes& Boxes, uint8_t Mask);
void EnableWeekDayBoxes(const TWeekDayBoxes& Boxes, bool Enabled);
// The boxes' letters for Mask, Sunday first ("SMTWTFS"), a blank for each day not set.
QString WeekDayLetters(uint8_t Mask);

} // namespace kvx::ui
