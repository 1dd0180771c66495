#pragma once
// The program's pictures, painted once at first use and shared by every control that shows
// them (nothing is loaded from files).
#include <QPixmap>
#include <QString>

namespace kvx::ui {

inline constexpr int ConnectedIcon = 0;
inline constexpr int DisconnectedIcon = 1;
inline constexpr int SignalImageCount = 16;

const QPixmap& LogoPicture();              // 255 x 128
const QPixmap& ConnectionIcon(int Index);  // 27 x 27: ConnectedIcon, DisconnectedIcon
const QPixmap& SignalPicture(int Index);   // 18 x 134: 0 no signal .. 15 strongest
// "SIM1ACTIVE", "SIM1INACTIVE", "SIM2ACTIVE", "SIM2INACTIVE".
const QPixmap& SIMPicture(const QString& Name);
const QPixmap& InputPicture(bool High);
const QPixmap& MainsPicture(bool High);
const QPixmap& ITTTHeadingPicture();
const QPixmap& StatusBackground();         // 1024 x 730

} // namespace kvx::ui
