// The serial line's rate in the command bar's menu: a rate chosen is applied and remembered
// between runs; one the line refuses leaves the rate in use ticked and saved.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "ui/main/line_rate_setting.h"

namespace kvx::ui {
namespace {

TEST(LineRateSetting, AChosenRateIsAppliedAndRememberedARefusedOneIsNot)
{
    QStandardPaths::setTestModeEnabled(true);
    QMenu menu;
    std::vector<uint32_t> applied;
    AddLineRateMenu(menu, 9600, [&](uint32_t rate) {
        applied.push_back(rate);
        return rate != 57600;  // a rate the line refuses
    });
    const auto* rates = menu.findChild<QMenu*>("mnuLineRate");
    ASSERT_NE(rates, nullptr);
    const auto rate = [rates](uint32_t baud) {
        for (QAction* action : rates->actions())
            if (action->data().toUInt() == baud) return action;
        return static_cast<QAction*>(nullptr);
    };
    EXPECT_TRUE(rate(9600)->isChecked());

    for (const uint32_t chosen : {19200u, 57600u}) {
        rate(chosen)->trigger();
        EXPECT_TRUE(rate(19200)->isChecked()) << chosen;
        EXPECT_FALSE(rate(9600)->isChecked() || rate(57600)->isChecked()) << chosen;
        EXPECT_EQ(SavedLineRate(), 19200u) << chosen;
    }
    EXPECT_EQ(applied, (std::vector<uint32_t>{19200, 57600}));
    EXPECT_EQ(rate(19200)->text(), "19200 baud");
    SaveLineRate(0);
}

} // namespace
} // namespace kvx::ui
