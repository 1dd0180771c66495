// SMS command shortcuts: 32-byte zero-padded pairs, the row checks of a write, and the
// "$PIN*" prefix taken from the Security setup page when the page is shown.
#include <QLabel>
#include <QPushButton>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/security_setup_page.h"
#include "ui/pages/shortcuts_page.h"

namespace kvx::ui::test {
namespace {

class ShortcutsPageTest : public UnitPageTest {
protected:
    TShortcutsPage Page{Host, &Parent};

    std::vector<QString> Prefixes() const
    {
        std::vector<QString> texts{Page.lblExamplePrefix->text()};
        for (QLabel* label : Page.lblPrefix) texts.push_back(label->text());
        return texts;
    }
};

TEST_F(ShortcutsPageTest, StoresEachHalfZeroPaddedInItsPair)
{
    Page.edSC[2]->setText("gate");
    Page.edSI[2]->setText("rly1*pls");
    const QString full(32, QChar('x'));
    Page.edSC[9]->setText(full);
    Page.edSI[9]->setText(full + "overflow");  // the edit stops at 32
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(31360, 32), Slot("gate", 32, 0));
    EXPECT_EQ(Bytes(31392, 32), Slot("rly1*pls", 32, 0));
    EXPECT_EQ(Bytes(31808, 64), Slot(std::string(64, 'x'), 64, 0));
    EXPECT_EQ(Bytes(31232, 128), std::vector<uint8_t>(128, 0xFF));  // empty rows keep the fill

    TShortcutsPage shown(Host, &Parent);
    shown.ConfigToForm(Image);
    EXPECT_EQ(shown.edSC[2]->text(), "gate");
    EXPECT_EQ(shown.edSI[2]->text(), "rly1*pls");
    EXPECT_EQ(shown.edSI[9]->text(), full);
    shown.ConfigToForm(Image = ErasedConfig());
    for (size_t i = 0; i < ShortcutCount; ++i) EXPECT_TRUE(shown.edSC[i]->text().isEmpty() && shown.edSI[i]->text().isEmpty());
}

TEST_F(ShortcutsPageTest, AWriteNamesTheFirstRowWithAMissingHalf)
{
    Page.edSI[1]->setText("rly2*on");  // row 2: no shortcut
    Page.edSC[4]->setText("lights");   // row 5: no instruction
    Dialogs.ExpectMessage("Please define SMS shortcut 2.");
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Host.Forwarded, std::vector<int>{9});
    EXPECT_EQ(Image.ShortCuts[64 + 32], 0xFF);  // nothing stored

    Page.edSC[1]->setText("heat");
    Page.edSC[9]->setText("last");
    Dialogs.ExpectMessage("Please define SMS command instruction 5.");
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    Page.edSC[4]->clear();
    Dialogs.ExpectMessage("Please define SMS command instruction 10.");
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtInformation);
}

TEST_F(ShortcutsPageTest, ATemplateKeepsAHalfPairWithoutAWord)
{
    Page.edSC[0]->setText("gate");
    ASSERT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Bytes(31232, 32), Slot("gate", 32, 0));
    EXPECT_EQ(Bytes(31264, 32), std::vector<uint8_t>(32, 0xFF));
}

TEST_F(ShortcutsPageTest, PrefixCarriesThePINAsTypedWhenThePageIsShown)
{
    EXPECT_EQ(Prefixes(), std::vector<QString>(11, "$8642*"));
    TSecuritySetupPage security(Host, &Parent);
    Host.Register(2, &security);
    Page.hide();
    security.edPIN->setText("4321");  // typed, nothing written
    Page.show();
    EXPECT_EQ(Prefixes(), std::vector<QString>(11, "$4321*"));
    Page.hide();
    security.edPIN->clear();
    Page.show();
    EXPECT_EQ(Prefixes(), std::vector<QString>(11, "$8642*"));
}

TEST_F(ShortcutsPageTest, ClearButtonsFollowTheirBoxes)
{
    EXPECT_FALSE(Page.btnSIC[6]->isEnabled());
    Page.edSI[6]->setText("out1*on");
    EXPECT_TRUE(Page.btnSIC[6]->isEnabled());
    EXPECT_FALSE(Page.btnSCC[6]->isEnabled());
    EXPECT_EQ(Host.Changes, 1);
    Page.btnSIC[6]->click();
    EXPECT_EQ(Page.edSI[6]->text(), "");
    EXPECT_FALSE(Page.btnSIC[6]->isEnabled());
    Page.btnCommandGuide->click();
    EXPECT_EQ(Host.GuidesShown, 1);
}

} // namespace
} // namespace kvx::ui::test
