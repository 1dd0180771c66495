// Setting and clearing the unit's access password from the Security setup page, against
// kvxsim: every refusal says why and leaves the unit as it was.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "link/kvx_messages.h"
#include "link/new_password.h"
#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/security_setup_page.h"

namespace kvx::ui::test {
namespace {

constexpr size_t PasswordOffset = 1792;
const QString FirstRead = "First read the configuration.";
const QString SetQuestion =
    "You are about to limit future programming access to this unit.\r"
    "Please make sure that you remember your password for future programming access.\r\r"
    "Are you sure you would like to change the password?";
const QString ClearQuestion = "You are about to clear the password.\r\rAre you sure you would like to clear the password?";

class SecurityPasswordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Host.Ready());
        Host.Read = true;
    }
    void Type(const char* New, const char* Verify)
    {
        Page.edNewPassword->setText(New);
        Page.edVerifyPassword->setText(Verify);
    }
    std::string UnitPassword() const
    {
        const std::vector<uint8_t> bytes = Host.UnitBytes(PasswordOffset, 32);
        // As the unit's tools read it: up to the first byte outside 0x20..0xA0, trailing blanks dropped.
        const auto end = std::find_if(bytes.begin(), bytes.end(), [](uint8_t b) { return b < 0x20 || b > 0xA0; });
        std::string text(bytes.begin(), end);
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    int PageWrites() const { return Host.Control("count", "write-page"); }

    TScriptedDialogs Dialogs;
    TSimUnitHost Host;
    QWidget Parent;
    TSecuritySetupPage Page{Host, &Parent};
};

TEST_F(SecurityPasswordTest, NeedsTheDongleAndARead)
{
    // The dongle is asked for first: unplugged, a read would not help.
    struct TCase {
        bool PluggedIn;
        bool Read;
        QString Message;
        TMsgDlgType Type;
    };
    const TCase cases[] = {
        {false, false, QString::fromUtf16(DongleNotConnectedMessage), TMsgDlgType::mtError},
        {false, true, QString::fromUtf16(DongleNotConnectedMessage), TMsgDlgType::mtError},
        {true, false, FirstRead, TMsgDlgType::mtInformation},
    };
    Type("secret", "secret");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message.toStdString());
        if (c.PluggedIn) Host.PlugIn();
        Host.Read = c.Read;
        Dialogs.ExpectMessage(c.Message);
        Page.btnSetPassword->click();
        EXPECT_EQ(Dialogs.Messages.back().Type, c.Type);
    }
    EXPECT_EQ(Host.Control("count", "read-page"), 0);
    EXPECT_EQ(Page.edNewPassword->text(), "secret");  // nothing done
}

TEST_F(SecurityPasswordTest, AnUnprovenUnitPasswordRefusesTheChange)
{
    Host.Control("password", "old");
    Host.PlugIn();
    Type("new", "new");
    Dialogs.ExpectMessage(FirstRead);
    Page.btnSetPassword->click();
    EXPECT_EQ(UnitPassword(), "old");

    Host.KVX->SessionPassword = u"old";  // proven by a read in this run
    Dialogs.ExpectMessage(SetQuestion, mrYes);
    Page.btnSetPassword->click();
    EXPECT_EQ(UnitPassword(), "new");
}

TEST_F(SecurityPasswordTest, AFailedPasswordReadIsShownAndNeverTakenForNoPassword)
{
    Host.Control("password", "old");
    Host.PlugIn();
    Host.Control("fault", "drop-reply@read");
    Type("", "");
    Dialogs.ExpectMessage(QString::fromUtf16(ReadFailureMessage(TKVXResult::PageReadFailed).c_str()));
    Page.btnSetPassword->click();
    EXPECT_EQ(PageWrites(), 0);
    Host.Control("fault", "none");
    EXPECT_EQ(UnitPassword(), "old");
}

TEST_F(SecurityPasswordTest, MismatchEmptiesBothEditsWithoutAsking)
{
    Host.PlugIn();
    Type("secret", "Secret");
    Dialogs.ExpectMessage(QString::fromUtf16(PasswordMismatchMessage));
    Page.btnSetPassword->click();
    EXPECT_EQ(Page.edNewPassword->text(), "");
    EXPECT_EQ(Page.edVerifyPassword->text(), "");
    EXPECT_EQ(PageWrites(), 0);
}

TEST_F(SecurityPasswordTest, APasswordTheUnitCannotGiveBackIsRefusedBeforeAnyQuestion)
{
    Host.PlugIn();
    Type("p\u00e4sswort", "p\u00e4sswort");
    Dialogs.ExpectMessage(QString::fromUtf16(PasswordNotASCIIMessage));
    Page.btnSetPassword->click();
    EXPECT_EQ(PageWrites(), 0);
    EXPECT_EQ(Page.edNewPassword->text(), "p\u00e4sswort") << "kept, to be corrected";
}

TEST_F(SecurityPasswordTest, SetAfterYesThenTheNextReadMustProveIt)
{
    Host.PlugIn();
    Host.KVX->SessionPassword = u"stale";
    Type("secret", "secret");
    Dialogs.ExpectMessage(SetQuestion, mrNo);
    Page.btnSetPassword->click();
    EXPECT_EQ(PageWrites(), 0);
    EXPECT_EQ(Page.edNewPassword->text(), "secret");  // No keeps the edits

    Dialogs.ExpectMessage(SetQuestion, mrYes);
    Page.btnSetPassword->click();
    EXPECT_EQ(UnitPassword(), "secret");
    EXPECT_EQ(Host.KVX->SessionPassword, u"");
    EXPECT_EQ(Page.edNewPassword->text(), "");
    EXPECT_EQ(Page.edVerifyPassword->text(), "");
}

TEST_F(SecurityPasswordTest, BothEmptyAndYesClearsTheUnitsPassword)
{
    Host.Control("password", "old");
    Host.PlugIn();
    Host.KVX->SessionPassword = u"old";
    Dialogs.ExpectMessage(ClearQuestion, mrYes);
    Page.btnSetPassword->click();
    EXPECT_EQ(UnitPassword(), "");
    std::u16string stored = u"?";
    ASSERT_EQ(Host.KVX->ReadPassword(stored), TKVXResult::OK);
    EXPECT_EQ(stored, u"");
}

TEST_F(SecurityPasswordTest, ARefusedWriteKeepsEditsAndSessionPassword)
{
    Host.PlugIn();
    Host.KVX->SessionPassword = u"kept";
    Host.Control("fault", "wrong-ack@write");
    Type("secret", "secret");
    Dialogs.ExpectMessage(SetQuestion, mrYes);
    Dialogs.ExpectMessage(QString::fromUtf16(PasswordWriteFailedMessage));
    Page.btnSetPassword->click();
    EXPECT_EQ(Page.edNewPassword->text(), "secret");
    EXPECT_EQ(Host.KVX->SessionPassword, u"kept");
    Host.Control("fault", "none");
    EXPECT_EQ(UnitPassword(), "");
}

} // namespace
} // namespace kvx::ui::test
