#pragma once
// The lines of the timer and missed-call location lists, in columns for a fixed-pitch font:
// a defined location in full, an undefined one as its number alone.
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "config/missed_calls.h"
#include "config/timers.h"

namespace kvx::ui {

// Number is the location's 1-based number.
QString TimerLine(int Number, const TTimerLocation& Location);
QString MissedCallLine(int Number, const TMissedCallLocation& Location);
// The column heads over such lines: each head starting at its column (0-based).
QString ColumnHeads(std::initializer_list<std::pair<int, const char*>> Heads);

} // namespace kvx::ui
