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
    SaveLineRate(0);
    QMenu menu;
    std::vector<uint32_t> applied;
    bool taken = true;
    AddLineRateMenu(menu, 9600, [&](uint32_t rate) {
        applied.push_back(rate);
        return taken;
    });
    const auto* rates = menu.findChild<QMenu*>("mnuLineRate");
    ASSERT_NE(rates, nullptr);
    ASSERT_EQ(rates->title(), LineRateCaption);
    const auto choice = [rates](const QString& text) {
        for (QAction* action : rates->actions())
            if (action->text() == text) return action;
        return static_cast<QAction*>(nullptr);
    };
    const auto ticked = [rates] {
        QStringList texts;
        for (const QAction* action : rates->actions())
            if (action->isChecked()) texts << action->text();
        return texts;
    };
    EXPECT_EQ(ticked(), QStringList{"9600 baud"});

    choice("19200 baud")->trigger();
    EXPECT_EQ(applied, std::vector<uint32_t>{19200});
    EXPECT_EQ(SavedLineRate(), 19200u);
    EXPECT_EQ(ticked(), QStringList{"19200 baud"});

    taken = false;
    choice("57600 baud")->trigger();
    EXPECT_EQ(applied, (std::vector<uint32_t>{19200, 57600}));
    EXPECT_EQ(SavedLineRate(), 19200u);
    EXPECT_EQ(ticked(), QStringList{"19200 baud"});
    SaveLineRate(0);
}

} // namespace
} // namespace kvx::ui
