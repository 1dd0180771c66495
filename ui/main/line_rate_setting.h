#pragma once
// The serial line's rate as a setting of the program: remembered between runs, and chosen in
// the command bar's menu while the dongle is reached through its serial port.
#include <QMenu>
#include <cstdint>
#include <functional>

namespace kvx::ui {

inline constexpr const char* LineRateCaption = "Serial line rate";

// 0 when none is saved.
uint32_t SavedLineRate();
void SaveLineRate(uint32_t BaudRate);

// A submenu of the usual rates with Current ticked. A rate chosen is applied and, when Apply
// took it, saved and ticked.
void AddLineRateMenu(QMenu& Menu, uint32_t Current, const std::function<bool(uint32_t)>& Apply);

} // namespace kvx::ui
