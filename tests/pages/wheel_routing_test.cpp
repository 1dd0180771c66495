// The mouse wheel anywhere in the window scrolls the visible page's list one line a notch;
// pages without a list, and the status view, let the wheel through.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "tests/pages/real_window_fixture.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/status_view.h"

namespace kvx::ui::test {
namespace {

constexpr int DistributionPage = 6;
constexpr int MissedCallPage = 10;
constexpr int TimersPage = 11;
constexpr int SIMSetupPage = 1;

class WheelRoutingTest : public RealWindowTest {
protected:
    void SetUp() override
    {
        RealWindowTest::SetUp();
        Window->show();
        QApplication::processEvents();
    }

    void Choose(int No)
    {
        Window->MenuItemClicked(Window->MenuPanel(No));
        QApplication::processEvents();
    }

    // One notch down (negative delta) over the given widget; true when the window took it.
    bool WheelDownOver(QWidget* Target)
    {
        const QPointF at(5, 5);
        QWheelEvent wheel(at, Target->mapToGlobal(at), QPoint(), QPoint(0, -QWheelEvent::DefaultDeltasPerStep),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        return QApplication::sendEvent(Target, &wheel) && wheel.isAccepted();
    }
};

TEST_F(WheelRoutingTest, OneNotchMovesTheVisibleListOneLine)
{
    for (const int page : {DistributionPage, MissedCallPage, TimersPage}) {
        Choose(page);
        QScrollBar* bar = Window->Page(page)->WheelScrollBar();
        ASSERT_NE(bar, nullptr) << page;
        ASSERT_GT(bar->maximum(), 0) << page << ": the list is longer than its box";
        const int before = bar->value();
        // Over the menu, not the list: the window routes the wheel all the same.
        WheelDownOver(Window->MenuPanel(page));
        EXPECT_EQ(bar->value(), before + bar->singleStep()) << page;
    }
}

TEST_F(WheelRoutingTest, PagesWithoutAListAndTheStatusViewDoNotScroll)
{
    Choose(SIMSetupPage);
    EXPECT_EQ(Window->Page(SIMSetupPage)->WheelScrollBar(), nullptr);
    EXPECT_FALSE(WheelDownOver(Window->MenuPanel(SIMSetupPage)));

    Choose(DistributionPage);
    QScrollBar* bar = Window->Page(DistributionPage)->WheelScrollBar();
    const int before = bar->value();
    Window->StatusView()->show();
    WheelDownOver(Window->StatusView());
    EXPECT_EQ(bar->value(), before);
}

} // namespace
} // namespace kvx::ui::test
