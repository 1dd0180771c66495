#pragma once
// Byte 8213 is shown nowhere; it travels from a read to the next write through a hidden edit
// that the General setup page holds. Unprogrammed memory (255) goes out as 50.
#include <QString>
#include <cstdint>

#include "config/page_names.h"

namespace kvx::ui {

inline constexpr const char* HiddenSettingDefault = "50";
inline constexpr int HiddenSettingPageNo = GeneralSetupPageNo;
inline constexpr const char* HiddenSettingEditName = "Edit1";

QString HiddenSettingText(uint8_t Value);
// Anything but a number 0..254 in the edit (255, or text the program never puts there) gives 50.
uint8_t HiddenSettingValue(const QString& Text);

} // namespace kvx::ui
