#pragma once
// The lines of the timer and missed-call location lists, in columns for a fixed-pitch font:
// a defined location in full, an undefined one as its number alone.
#include <QString>
#include <cstdint>
#include <span>

#include "config/missed_calls.h"
#include "config/timers.h"

namespace kvx::ui {

// Number is the location's 1-based number.
QString TimerLine(int Number, const TTimerLocation& Location);
QString MissedCallLine(int Number, const TMissedCallLocation& Location);
// A column head over such lines: where its column starts, in characters from the line's start.
struct TColumnHead {
    int Column;
    const char* Text;
};
std::span<const TColumnHead> TimerHeads();
std::span<const TColumnHead> MissedCallHeads();

} // namespace kvx::ui
