#include "ui/main/line_rate_setting.h"

#include <memory>

#include "link/usb_api.h"
#include "ui/main/program_settings.h"

namespace kvx::ui {

namespace {
constexpr const char* LineRateKey = "SerialLineRate";
}

uint32_t SavedLineRate()
{
    return ProgramSettings().value(LineRateKey, 0).toUInt();
}

void SaveLineRate(uint32_t BaudRate)
{
    ProgramSettings().setValue(LineRateKey, BaudRate);
}

void AddLineRateMenu(QMenu& Menu, uint32_t Current, const std::function<bool(uint32_t)>& Apply)
{
    QMenu* rates = Menu.addMenu(LineRateCaption);
    rates->setObjectName("mnuLineRate");
    auto inUse = std::make_shared<uint32_t>(Current);
    const auto tickInUse = [rates, inUse] {
        for (QAction* choice : rates->actions()) choice->setChecked(choice->data().toUInt() == *inUse);
    };
    for (const uint32_t rate : UsualLineRates) {
        QAction* choice = rates->addAction(QString("%1 baud").arg(rate));
        choice->setData(rate);
        choice->setCheckable(true);
        QObject::connect(choice, &QAction::triggered, rates, [rate, Apply, inUse, tickInUse] {
            if (Apply(rate)) {
                *inUse = rate;
                SaveLineRate(rate);
            }
            tickInUse();
        });
    }
    tickInUse();
}

} // namespace kvx::ui
