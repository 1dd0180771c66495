// The SIM, security, relay, shortcut and M2M pages together: what they store survives a
// template file and a write to kvxsim and a read back, and shows the same controls again.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <map>

#include "config/template_file.h"
#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/m2m_page.h"
#include "ui/pages/relays_page.h"
#include "ui/pages/security_setup_page.h"
#include "ui/pages/shortcuts_page.h"
#include "ui/pages/sim_setup_page.h"

namespace kvx::ui::test {
namespace {

// The five pages, walked in the main window's order.
struct TUnitPages {
    TUnitPages(IPageHost& Host, QWidget* Parent)
        : SIM(Host, Parent, KVX_SMSC_FILE), Security(Host, Parent), Relays(Host, Parent), Shortcuts(Host, Parent),
          M2M(Host, Parent)
    {
    }

    TKVXConfig Store(bool ConfigAssistant)
    {
        TKVXConfig image = ErasedConfig();
        for (TKVXPage* page : Walk()) EXPECT_TRUE(page->FormToConfig(image, ConfigAssistant));
        return image;
    }
    void Show(TKVXConfig Image)
    {
        for (TKVXPage* page : Walk()) page->ConfigToForm(Image);
    }
    std::vector<TKVXPage*> Walk() { return {&SIM, &Security, &Relays, &Shortcuts, &M2M}; }

    // Every edit, list and box of the five pages, by name.
    std::map<QString, QString> Controls() const
    {
        std::map<QString, QString> shown;
        for (const QWidget* page : {static_cast<const QWidget*>(&SIM), static_cast<const QWidget*>(&Security),
                                    static_cast<const QWidget*>(&Relays), static_cast<const QWidget*>(&Shortcuts),
                                    static_cast<const QWidget*>(&M2M)}) {
            for (const QLineEdit* edit : page->findChildren<QLineEdit*>())
                if (edit->echoMode() == QLineEdit::Normal) shown[edit->objectName()] = edit->text();
            for (const QComboBox* list : page->findChildren<QComboBox*>()) shown[list->objectName()] = list->currentText();
            for (const QCheckBox* box : page->findChildren<QCheckBox*>())
                if (box->objectName() != "cbChangeStandardEvents") shown[box->objectName()] = box->isChecked() ? "1" : "0";
        }
        return shown;
    }

    TSimSetupPage SIM;
    TSecuritySetupPage Security;
    TRelaysPage Relays;
    TShortcutsPage Shortcuts;
    TM2MPage M2M;
};

void FillIn(TUnitPages& Pages)
{
    Pages.SIM.Primary.cbCountry->setCurrentIndex(Pages.SIM.Primary.cbCountry->findText("United Kingdom"));
    emit Pages.SIM.Primary.cbCountry->activated(0);
    Pages.SIM.Primary.cbMobileOperator->setCurrentIndex(Pages.SIM.Primary.cbMobileOperator->findText("EE"));
    emit Pages.SIM.Primary.cbMobileOperator->activated(0);
    Pages.SIM.cbSecondarySIM->click();
    Pages.SIM.Secondary.cbCountry->setCurrentIndex(0);
    emit Pages.SIM.Secondary.cbCountry->activated(0);
    Pages.SIM.Secondary.edMessageCentreNumber->setText("447700900321");
    Pages.Security.edPIN->setText("0420");
    Pages.Security.cbSMSSenderVerify->setChecked(false);
    for (size_t i = 0; i < RelayCount; ++i) Pages.Relays.edVRLY[i]->setText(QString::number(100 * i + 1));
    Pages.Shortcuts.edSC[0]->setText("Open Gate");
    Pages.Shortcuts.edSI[0]->setText("rly1*pls");
    Pages.Shortcuts.edSC[9]->setText("x");
    Pages.Shortcuts.edSI[9]->setText("out2*off");
    Pages.M2M.edM2MNo[0]->setText("447700900555");
    Pages.M2M.edM2MNo[3]->setText("61400000000");
    Pages.M2M.edM2MID->setText("00042");
    Pages.M2M.cbChangeStandardEvents->setChecked(true);
    Pages.M2M.EventEdit(TDistributionEvent::Tamper)->setText("5");
}

class UnitPagesRoundTrip : public ::testing::Test {
protected:
    TScriptedDialogs Dialogs;
    TSimUnitHost Host;
    QWidget Parent;
};

TEST_F(UnitPagesRoundTrip, ATemplateShowsTheSameControlsAgain)
{
    TUnitPages pages(Host, &Parent);
    FillIn(pages);
    const auto file = std::filesystem::path(testing::TempDir()) / "unit_pages.kvx";
    std::string reason;
    ASSERT_TRUE(SaveTemplate(file, pages.Store(false), reason)) << reason;

    TKVXConfig loaded = ErasedConfig();
    ASSERT_TRUE(LoadTemplate(file, loaded, reason)) << reason;
    TUnitPages shown(Host, &Parent);
    shown.Show(loaded);
    EXPECT_EQ(shown.Controls(), pages.Controls());
    EXPECT_EQ(shown.SIM.Primary.cbMobileOperator->currentText(), "EE");
    EXPECT_EQ(shown.SIM.Secondary.cbCountry->currentText(), "Custom");
}

TEST_F(UnitPagesRoundTrip, AWriteToTheUnitReadsBackTheSameBytes)
{
    ASSERT_TRUE(Host.Ready());
    Host.PlugIn();
    ASSERT_TRUE(Host.KVX->DeviceConnected());
    auto read = std::make_unique<TKVXConfig>();
    ASSERT_EQ(Host.KVX->ReadConfig(read.get()), TKVXResult::OK);  // a write sends back what lies above the image

    TUnitPages pages(Host, &Parent);
    FillIn(pages);
    const auto stored = std::make_unique<TKVXConfig>(pages.Store(true));
    auto written = std::make_unique<TKVXConfig>(*stored);  // the write adds the password and marks
    ASSERT_EQ(Host.KVX->WriteConfig(written.get()), TKVXResult::OK);
    ASSERT_EQ(Host.KVX->ReadConfig(read.get()), TKVXResult::OK);

    TUnitPages shown(Host, &Parent);
    shown.Show(*read);
    EXPECT_EQ(shown.Controls(), pages.Controls());
    const TKVXConfig again = shown.Store(true);
    EXPECT_TRUE(std::equal(stored->Bytes(), stored->Bytes() + TKVXConfig::Size, again.Bytes()));
}

} // namespace
} // namespace kvx::ui::test
