#pragma once
// The window's colour table, shared by the main window, its panels and the status view.
#include <QColor>

namespace kvx::ui {

inline const QColor WindowColour{0x29, 0x28, 0x29};
inline const QColor IdleTextColour{0xC2, 0xC1, 0xC1};
inline const QColor HoverColour{0x19, 0x19, 0x19};
inline const QColor HoverTextColour{0xFF, 0xFF, 0xFF};
inline const QColor ChosenColour{0xFF, 0xFF, 0xFF};
inline const QColor ChosenTextColour{0x29, 0x28, 0x29};
inline const QColor ProgressIdleColour{0xAA, 0xA9, 0xA9};
inline const QColor ProgressBusyColour{0xD2, 0x23, 0x2A};
inline const QColor AccentButtonColour{0x00, 0x7D, 0xB7};
inline const QColor PressedCaptionColour{0xE6, 0xE7, 0xE8};
inline const QColor ReleasedCaptionColour{0xFF, 0xFF, 0xFF};

// Status view.
inline const QColor AlarmRed{0xD2, 0x23, 0x2A};
inline const QColor HealthyGreen{0x00, 0xA1, 0x3A};
inline const QColor InactiveGrey{0x64, 0x64, 0x64};
inline const QColor ActiveLight{0xE6, 0xE7, 0xE8};

} // namespace kvx::ui
