// The window by keyboard: Tab reaches the page menu and the command bar, the arrow keys move
// through the menu, and each shortcut runs its command.
#include <QApplication>
#include <QKeyEvent>

#include "tests/ui/window_fixture.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/status_view.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override
    {
        CreateWindow();
        Window->activateWindow();
        for (int i = 0; i < 100 && QApplication::activeWindow() != Window.get(); ++i) QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), Window.get());
    }
    // As the keyboard delivers it: to the widget with the focus, shortcuts first.
    static void Press(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QKeyEvent press(QEvent::KeyPress, Key, Modifiers);
        QApplication::sendEvent(target, &press);
    }
    std::vector<QWidget*> TabStops()
    {
        std::vector<QWidget*> stops{QApplication::focusWidget()};
        for (int i = 0; i < 50; ++i) {
            Press(Qt::Key_Tab);
            if (QApplication::focusWidget() == stops.front()) return stops;
            stops.push_back(QApplication::focusWidget());
        }
        ADD_FAILURE() << "Tab never came back round";
        return stops;
    }
};

TEST_F(KeyboardTest, TabGoesFromTheMenuToTheCommandBarAndRound)
{
    Window->MenuPanel(1)->setFocus();
    const std::vector<QWidget*> expected{Window->MenuPanel(1), Window->SaveTemplateButton,         Window->LoadTemplateButton,
                                         Window->MoreCommandsButton, Window->ReadButton, Window->WriteButton};
    EXPECT_EQ(TabStops(), expected) << "one stop in the menu: the chosen page's item";

    // Enter on a command bar button clicks it.
    Window->SaveTemplateButton->setFocus();
    Dialogs.ExpectSaveFile(QString());
    Press(Qt::Key_Return);
    EXPECT_TRUE(Dialogs.Done());
}

TEST_F(KeyboardTest, TheArrowKeysMoveThroughTheMenuRoundTheEnds)
{
    Window->MenuPanel(1)->setFocus();
    const struct {
        int Key;
        int Page;
    } steps[] = {{Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Up, 2}, {Qt::Key_End, 13}, {Qt::Key_Down, 1}, {Qt::Key_Up, 13}, {Qt::Key_Home, 1}};
    for (const auto& step : steps) {
        Press(step.Key);
        EXPECT_EQ(Window->LastPageNo(), step.Page);
        EXPECT_EQ(QApplication::focusWidget(), Window->MenuPanel(step.Page));
        EXPECT_EQ(Window->MenuPanel(step.Page)->focusPolicy(), Qt::TabFocus);
        EXPECT_EQ(Window->MenuPanel(step.Page % 13 + 1)->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(KeyboardTest, EachShortcutRunsItsCommand)
{
    Window->MenuPanel(1)->setFocus();
    const QString notConnected = DongleNotConnectedText;
    const struct {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        std::function<void()> Expect;  // the dialog it brings, if any
        std::function<bool()> Done;
    } shortcuts[] = {
        {Qt::Key_S, Qt::ControlModifier, [&] { Dialogs.ExpectSaveFile(QString()); }, [] { return true; }},
        {Qt::Key_O, Qt::ControlModifier, [&] { Dialogs.ExpectOpenFile(QString()); }, [] { return true; }},
        {Qt::Key_R, Qt::ControlModifier, [&] { Dialogs.ExpectMessage(notConnected); }, [] { return true; }},
        {Qt::Key_F9, Qt::NoModifier, [&] { Dialogs.ExpectMessage(notConnected); }, [] { return true; }},
        {Qt::Key_PageDown, Qt::ControlModifier, [] {}, [&] { return Window->LastPageNo() == 2; }},
        {Qt::Key_PageUp, Qt::ControlModifier, [] {}, [&] { return Window->LastPageNo() == 1; }},
        {Qt::Key_PageUp, Qt::ControlModifier, [] {}, [&] { return Window->LastPageNo() == 13; }},
        {Qt::Key_F2, Qt::NoModifier, [&] { Dialogs.ExpectMessage(notConnected); }, [&] { return Window->StatusView()->isVisible(); }},
        {Qt::Key_Escape, Qt::NoModifier, [] {}, [&] {
             return !Window->StatusView()->isVisible() && Pages[12]->isVisible() && Window->MenuPanel(13)->hasFocus();
         }},
    };
    for (const auto& shortcut : shortcuts) {
        SCOPED_TRACE(QKeySequence(shortcut.Key | shortcut.Modifiers).toString().toStdString());
        shortcut.Expect();
        Press(shortcut.Key, shortcut.Modifiers);
        EXPECT_TRUE(Dialogs.Done());
        EXPECT_TRUE(shortcut.Done());
    }
    EXPECT_EQ(Window->SaveTemplateButton->toolTip(), "Save as template (Ctrl+S)");
    EXPECT_EQ(Window->WriteButton->toolTip(), "Write configuration (F9)");
}

} // namespace
} // namespace kvx::ui::test
