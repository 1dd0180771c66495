#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/ui/scripted_dialogs.h"
#include "ui/main/command_guide.h"
#include "ui/main/kvx_message_box.h"
#include "ui/main/password_dialog.h"

namespace kvx::ui {
namespace {

using B = TMsgDlgBtn;

TEST(KVXMessageBox, HasNoIconNoCaptionAndOnlyTheAskedButtons)
{
    TKVXMessageBox box("KVX USB dongle not connected.", {B::mbOK}, {});
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_TRUE(box.windowTitle().isEmpty());
    EXPECT_EQ(box.buttons().size(), 1);
    ASSERT_NE(box.ButtonOf(B::mbOK), nullptr);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(KVXMessageBox, CarriageReturnsBreakLines)
{
    EXPECT_EQ(MessageText("One.\r\rTwo."), "One.\n\nTwo.");
    TKVXMessageBox box("One.\rTwo.", {B::mbOK}, {});
    EXPECT_EQ(box.text(), "One.\nTwo.");
}

TEST(KVXMessageBox, EachButtonGivesItsResult)
{
    for (auto [button, result] : {std::pair{B::mbYes, mrYes}, {B::mbNo, mrNo}, {B::mbCancel, mrCancel}}) {
        TKVXMessageBox box("Save first?", {B::mbYes, B::mbNo, B::mbCancel}, {});
        box.show();
        box.ButtonOf(button)->click();
        EXPECT_EQ(box.ModalResult(), result);
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(KVXMessageBox, TheCloseBoxDoesNothingAndEscapeGivesTheAnswerThatChangesNothing)
{
    const struct {
        TMsgDlgButtons Buttons;
        int Escaped;
    } cases[] = {
        {{B::mbOK}, mrOk},
        {{B::mbYes, B::mbNo}, mrNo},
        {{B::mbYes, B::mbNo, B::mbCancel}, mrCancel},
        {{B::mbOK, B::mbCancel}, mrCancel},
    };
    for (const auto& c : cases) {
        TKVXMessageBox box("Stay.", c.Buttons, {});
        box.show();
        box.close();
        EXPECT_TRUE(box.isVisible());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &escape);
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.ModalResult(), c.Escaped) << c.Buttons.size() << " buttons";
    }
}

TEST(KVXMessageBox, ReplacementCaptionsStartAtTheRightMostButton)
{
    TKVXMessageBox box("Go on?", {B::mbYes, B::mbNo}, {"Keep", "Replace"});
    EXPECT_EQ(box.ButtonOf(B::mbNo)->text(), "Keep");
    EXPECT_EQ(box.ButtonOf(B::mbYes)->text(), "Replace");

    const auto none = ReplacedCaptions({B::mbYes, B::mbNo}, {"", "Replace"});
    EXPECT_TRUE(none.empty());
    const auto one = ReplacedCaptions({B::mbYes, B::mbNo, B::mbCancel}, {"Stop"});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.at(B::mbCancel), "Stop");
}

TEST(ScriptedDialogs, AnswersThroughTheMessageDialog)
{
    test::TScriptedDialogs dialogs;
    dialogs.ExpectMessage("Save first?", mrNo);
    EXPECT_EQ(TKVXMessageDlg::ShowMessageEx("Save first?", TMsgDlgType::mtCustom, {B::mbYes, B::mbNo}, 0), mrNo);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtCustom);
}

TEST(PasswordPrompt, EnterIsOKEscapeAndTheCloseBoxCancel)
{
    TPasswordDialog prompt(nullptr);
    EXPECT_EQ(prompt.edPassword->maxLength(), 32);
    EXPECT_EQ(prompt.edPassword->echoMode(), QLineEdit::Password);
    for (auto [key, result] : {std::pair{Qt::Key_Return, mrOk}, {Qt::Key_Escape, mrCancel}}) {
        prompt.show();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(prompt.edPassword, &press);  // typed into the edit
        EXPECT_FALSE(prompt.isVisible());
        EXPECT_EQ(prompt.result(), result);
    }
    prompt.show();
    prompt.reject();  // the close box
    EXPECT_EQ(prompt.result(), mrCancel);
}

TEST(PasswordPrompt, ButtonsGiveOKAndCancel)
{
    TPasswordDialog prompt(nullptr);
    prompt.show();
    prompt.btnSetPassword->click();
    EXPECT_EQ(prompt.result(), mrOk);
    prompt.show();
    prompt.Button1->click();
    EXPECT_EQ(prompt.result(), mrCancel);
}

TEST(CommandGuide, IsWideEnoughForVerticalScrollingOnly)
{
    TCommandGuide guide(nullptr);
    EXPECT_EQ(guide.windowTitle(), "Command guide");
    guide.ShowGuide();
    EXPECT_EQ(guide.width(), guide.Image1->width() + 34);
    guide.ShowGuide();  // showing it again only brings it forward
    EXPECT_TRUE(guide.isVisible());
}

} // namespace
} // namespace kvx::ui
