// Security setup: the command PIN and sender verification in the image.
#include <QCheckBox>
#include <QPushButton>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/security_setup_page.h"

namespace kvx::ui::test {
namespace {

class SecurityPageTest : public UnitPageTest {
protected:
    TSecuritySetupPage Page{Host, &Parent};
};

TEST_F(SecurityPageTest, StoresAFourDigitPINAsItsCharacters)
{
    EXPECT_EQ(Page.edPIN->text(), "8642");
    Page.edPIN->setText("0071");
    Page.cbSMSSenderVerify->setChecked(true);
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(160, 4), Slot("0071", 4, 0));
    EXPECT_EQ(Image.Bytes()[164], 0xFF);
    EXPECT_EQ(Image.VerifySender, 255);
    Page.cbSMSSenderVerify->setChecked(false);
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Image.VerifySender, 0);
}

TEST_F(SecurityPageTest, WritingRefusesAPINThatIsNotFourDigits)
{
    for (const char* pin : {"123", ""}) {
        Host.Forwarded.clear();
        Page.edPIN->setText(pin);
        Dialogs.ExpectMessage("Please enter a 4 digit command PIN.");
        EXPECT_FALSE(Page.FormToConfig(Image, true)) << pin;
        EXPECT_EQ(Host.Forwarded, std::vector<int>{2});
    }
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtInformation);
}

TEST_F(SecurityPageTest, TemplateWithoutPINKeepsTheFieldErasedAndLoadsBackEmpty)
{
    Page.edPIN->setText("");
    ASSERT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Bytes(160, 4), (std::vector<uint8_t>(4, 0xFF)));
    Page.edPIN->setText("5555");
    Page.ConfigToForm(Image);
    EXPECT_EQ(Page.edPIN->text(), "");
}

TEST_F(SecurityPageTest, OnlyTwoFiftyFiveTicksSenderVerification)
{
    for (const auto& [stored, ticked] : {std::pair{255, true}, {0, false}, {1, false}, {254, false}}) {
        Image.VerifySender = static_cast<uint8_t>(stored);
        Page.ConfigToForm(Image);
        EXPECT_EQ(Page.cbSMSSenderVerify->isChecked(), ticked) << stored;
    }
    Page.ConfigToForm(Image = ErasedConfig());
    EXPECT_TRUE(Page.cbSMSSenderVerify->isChecked());  // an unprogrammed unit
}

TEST_F(SecurityPageTest, ImageEditsMarkTheChangeButPasswordsDoNot)
{
    Page.edNewPassword->setText("secret");
    Page.edVerifyPassword->setText("secret");
    EXPECT_EQ(Host.Changes, 0);
    Page.edPIN->setText("1111");
    EXPECT_EQ(Host.Changes, 1);
    Page.cbSMSSenderVerify->click();
    EXPECT_EQ(Host.Changes, 2);
    EXPECT_EQ(Page.edNewPassword->maxLength(), 32);
    EXPECT_EQ(Page.edVerifyPassword->echoMode(), QLineEdit::Password);
    Page.btnGoToRecipients->click();
    EXPECT_EQ(Host.Forwarded, std::vector<int>{4});
}

} // namespace
} // namespace kvx::ui::test
