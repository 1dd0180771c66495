#include "ui/main/hidden_setting.h"

namespace kvx::ui {

namespace {
constexpr uint8_t Unprogrammed = 255;
constexpr uint8_t Substitute = 50;
} // namespace

QString HiddenSettingText(uint8_t Value)
{
    return QString::number(Value);
}

uint8_t HiddenSettingValue(const QString& Text)
{
    bool ok = false;
    const int value = Text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value >= Unprogrammed) return Substitute;
    return static_cast<uint8_t>(value);
}

} // namespace kvx::ui
