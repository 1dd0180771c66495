#pragma once
// Week-day masks of the self test, timers and missed-call time windows.
#include <cstdint>

namespace kvx {

inline constexpr uint8_t Monday = 0x01;
inline constexpr uint8_t Tuesday = 0x02;
inline constexpr uint8_t Wednesday = 0x04;
inline constexpr uint8_t Thursday = 0x08;
inline constexpr uint8_t Friday = 0x10;
inline constexpr uint8_t Saturday = 0x20;
inline constexpr uint8_t Sunday = 0x40;
inline constexpr uint8_t EveryWeekDay = 0x7F;

} // namespace kvx
