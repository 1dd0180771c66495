// SIM setup: numbers picked from SMSC.ini or typed, stored as "+" and the digits, found
// again on loading (first network with the number), and the secondary SIM switch.
#include <QCheckBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/sim_setup_page.h"

namespace kvx::ui::test {
namespace {

const QString NumberRequired =
    "A message centre number is required for each SIM.\rIf the cell network does not appear in the menu,\r"
    "please contact the cellular provider for the number\rand enter it using the custom selection.";

std::filesystem::path WriteSMSC()
{
    // One file per test: CTest runs the tests of this fixture side by side.
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    const auto file = std::filesystem::path(testing::TempDir()) / ("sim_page_SMSC_" + test + ".ini");
    std::ofstream(file, std::ios::binary) << "[Australia]\r\nTelstra=61418706700\r\nOptus=61411990001\r\n\r\n"
                                             "[United Kingdom]\r\nVodafone=447785016005\r\nO2=447802000332\r\n"
                                             "giffgaff=447802000332\r\n";
    return file;
}

class SIMPageTest : public UnitPageTest {
protected:
    std::filesystem::path SMSCFile = WriteSMSC();
    TSimSetupPage Page{Host, &Parent, SMSCFile};
    TSIMControls& P = Page.Primary;
    TSIMControls& S = Page.Secondary;
};

TEST_F(SIMPageTest, CountryListsStartWithCustomAndShowSelect)
{
    for (TSIMControls* sim : {&P, &S}) {
        ASSERT_EQ(sim->cbCountry->count(), 3);
        EXPECT_EQ(sim->cbCountry->itemText(0), "Custom");
        EXPECT_EQ(sim->cbCountry->itemText(2), "United Kingdom");
        EXPECT_EQ(sim->cbCountry->currentIndex(), -1);
        EXPECT_EQ(sim->cbCountry->placeholderText(), "Select");
        EXPECT_FALSE(sim->cbMobileOperator->isEnabled());
        EXPECT_FALSE(sim->edMessageCentreNumber->isEnabled());
    }
    EXPECT_TRUE(P.cbCountry->isEnabled());
    EXPECT_FALSE(S.cbCountry->isEnabled());

    TSimSetupPage without(Host, &Parent, SMSCFile.parent_path() / "missing_SMSC.ini");
    EXPECT_EQ(without.Primary.cbCountry->count(), 1);
}

TEST_F(SIMPageTest, APickedNetworkIsStoredAndFoundAgainAsTheFirstWithItsNumber)
{
    Choose(P.cbCountry, "United Kingdom");
    EXPECT_EQ(P.cbMobileOperator->count(), 3);
    EXPECT_EQ(P.cbMobileOperator->currentIndex(), -1);
    EXPECT_TRUE(P.edMessageCentreNumber->isReadOnly());
    Choose(P.cbMobileOperator, "giffgaff");
    EXPECT_EQ(P.edMessageCentreNumber->text(), "447802000332");
    EXPECT_FALSE(P.btnMessageCentreNumberClear->isEnabled());
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(64, 16), Slot("+447802000332", 16, 0));

    TSimSetupPage shown(Host, &Parent, SMSCFile);
    shown.ConfigToForm(Image);
    EXPECT_EQ(shown.Primary.cbCountry->currentText(), "United Kingdom");
    EXPECT_EQ(shown.Primary.cbMobileOperator->currentText(), "O2");  // shares the number, comes first
    EXPECT_TRUE(shown.Primary.cbMobileOperator->isEnabled());
    EXPECT_TRUE(shown.Primary.edMessageCentreNumber->isEnabled());
    EXPECT_TRUE(shown.Primary.edMessageCentreNumber->isReadOnly());
    EXPECT_EQ(shown.Primary.edMessageCentreNumber->text(), "447802000332");
}

TEST_F(SIMPageTest, ChoosingACountryOrCustomEmptiesTheNumber)
{
    Choose(P.cbCountry, "Australia");
    Choose(P.cbMobileOperator, "Optus");
    Choose(P.cbCountry, "United Kingdom");
    EXPECT_EQ(P.edMessageCentreNumber->text(), "");
    Choose(P.cbMobileOperator, "Vodafone");
    Choose(P.cbCountry, 0);
    EXPECT_EQ(P.edMessageCentreNumber->text(), "");
    EXPECT_FALSE(P.edMessageCentreNumber->isReadOnly());
    EXPECT_TRUE(P.edMessageCentreNumber->isEnabled());
    EXPECT_EQ(P.cbMobileOperator->currentText(), "Custom");
    EXPECT_FALSE(P.cbMobileOperator->isEnabled());
    EXPECT_GE(Host.Changes, 5);
}

TEST_F(SIMPageTest, ACustomNumberOfFifteenDigitsFillsTheField)
{
    Choose(P.cbCountry, 0);
    P.edMessageCentreNumber->setText("123456789012345");
    EXPECT_TRUE(P.btnMessageCentreNumberClear->isEnabled());
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(64, 16), Slot("+123456789012345", 16, 0));
    EXPECT_EQ(Image.Bytes()[80], 0xFF);
    P.btnMessageCentreNumberClear->click();
    EXPECT_EQ(P.edMessageCentreNumber->text(), "");
    EXPECT_FALSE(P.btnMessageCentreNumberClear->isEnabled());
}

TEST_F(SIMPageTest, UnlistedNumbersShowAsCustomEvenWithoutSMSCIni)
{
    Put(64, Slot("+447700900123", 16, 0));
    Image.SIM2Enable = 0;
    Page.ConfigToForm(Image);
    EXPECT_EQ(P.cbCountry->currentIndex(), 0);
    EXPECT_EQ(P.edMessageCentreNumber->text(), "447700900123");
    EXPECT_FALSE(P.edMessageCentreNumber->isReadOnly());
    EXPECT_TRUE(P.btnMessageCentreNumberClear->isEnabled());

    Put(64, Slot("+61418706700", 16, 0));
    TSimSetupPage without(Host, &Parent, SMSCFile.parent_path() / "missing_SMSC.ini");
    without.ConfigToForm(Image);
    EXPECT_EQ(without.Primary.cbCountry->currentText(), "Custom");
    EXPECT_EQ(without.Primary.edMessageCentreNumber->text(), "61418706700");
}

TEST_F(SIMPageTest, SecondarySIMSwitchIsStoredAndMarksTheChange)
{
    Choose(P.cbCountry, 0);
    P.edMessageCentreNumber->setText("447700900123");
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Image.SIM2Enable, 0);
    const int before = Host.Changes;
    Page.cbSecondarySIM->click();
    EXPECT_EQ(Host.Changes, before + 1);
    EXPECT_TRUE(S.cbCountry->isEnabled());
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Image.SIM2Enable, 255);

    Page.ConfigToForm(Image = ErasedConfig());  // an unprogrammed unit uses both SIMs
    EXPECT_TRUE(Page.cbSecondarySIM->isChecked());
    EXPECT_TRUE(S.cbCountry->isEnabled());
}

TEST_F(SIMPageTest, AClearedSecondarySIMStillStoresItsNumber)
{
    Page.cbSecondarySIM->click();
    Choose(S.cbCountry, 0);
    S.edMessageCentreNumber->setText("447700900999");
    EXPECT_TRUE(S.btnMessageCentreNumberClear->isEnabled());
    Page.cbSecondarySIM->click();
    EXPECT_FALSE(S.cbCountry->isEnabled());
    EXPECT_FALSE(S.edMessageCentreNumber->isEnabled());
    EXPECT_FALSE(S.btnMessageCentreNumberClear->isEnabled());
    EXPECT_EQ(S.edMessageCentreNumber->text(), "447700900999");
    ASSERT_TRUE(Page.FormToConfig(Image, true));  // a secondary number alone passes the check
    EXPECT_EQ(Bytes(1024, 16), Slot("+447700900999", 16, 0));
    EXPECT_EQ(Image.SIM2Enable, 0);
    EXPECT_EQ(Bytes(64, 16), std::vector<uint8_t>(16, 0xFF));
}

TEST_F(SIMPageTest, AWriteWithoutAnyNumberIsRefused)
{
    Dialogs.ExpectMessage(NumberRequired);
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Host.Forwarded, std::vector<int>{1});
    EXPECT_EQ(Image.SIM2Enable, 0xFF);
    EXPECT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Image.SIM2Enable, 0);
}

} // namespace
} // namespace kvx::ui::test
