// General setup: its fields byte for byte, what loading shows, the write path's checks in
// their order, no write or save with an edit that holds no number, and the rows and pages it
// switches through the host.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "tests/pages/unit_page_fixture.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/general_setup_page.h"
#include "ui/pages/input_messages_page.h"
#include "ui/pages/relays_page.h"

namespace kvx::ui::test {
namespace {

using TBytes = std::vector<uint8_t>;

void CheckDay(TGeneralSetupPage& Page, const char* Name, bool Checked)
{
    Page.findChild<TImageCheckBox*>(Name)->SetChecked(Checked);
}

class GeneralSetupTest : public UnitPageTest {
protected:
    std::unique_ptr<TGeneralSetupPage> Page = std::make_unique<TGeneralSetupPage>(Host, &Parent);

    void Click(const char* Button) { Page->findChild<QPushButton*>(Button)->click(); }
    // Name, then hours, minutes, days, both delays, tamper and serial use.
    TBytes Stored() const
    {
        TBytes bytes = Bytes(176, 16);
        for (const size_t offset : {80, 81, 98, 90, 91, 92, 93, 82, 87}) bytes.push_back(Image.Bytes()[offset]);
        return bytes;
    }
    static TBytes Expected(const std::string& Name, const TBytes& Rest)
    {
        TBytes bytes = Slot(Name, 16, ' ');
        bytes.insert(bytes.end(), Rest.begin(), Rest.end());
        return bytes;
    }
};

TEST_F(GeneralSetupTest, StoresEachFieldInItsBytesAndShowsThemAgain)
{
    const struct {
        const char* Case;
        std::function<void(TGeneralSetupPage&)> Edit;
        TBytes Expected;
    } cases[] = {
        {"never loaded", [](TGeneralSetupPage&) {}, Expected("Default", {0x12, 0x00, 0x7F, 0x02, 0x58, 0x02, 0x58, 255, 255})},
        {"07:05 on Monday and Friday",
         [](TGeneralSetupPage& page) {
             page.edUnitID->setText("Six ch");
             page.edHours->setText("7");
             page.edMinutes->setText("05");
             for (const char* day : {"cbSUN", "cbTUE", "cbWED", "cbTHU", "cbSAT"}) CheckDay(page, day, false);
             page.edACFailDelay->setText("999");
             page.edACRestoreDelay->setText("1");
             page.edTamper->setText("0");
             page.rbDSC->click();
         },
         Expected("Six ch", {0x07, 0x05, 0x11, 0xEA, 0x24, 0x00, 0x3C, 0, 1})},
        {"self test off, no day",
         [](TGeneralSetupPage& page) {
             page.edUnitID->setText("A twenty char name!!");
             for (const char* day : {"cbSUN", "cbMON", "cbTUE", "cbWED", "cbTHU", "cbFRI", "cbSAT"}) CheckDay(page, day, false);
             page.cbSelfTest->click();
             page.edHours->setText("");  // not looked at
             page.edACRestoreDelay->setText("0");
             page.rbIOExpander->click();
         },
         Expected("A twenty char na", {0xFF, 0xFF, 0xFF, 0x02, 0x58, 0x00, 0x00, 255, 0})},
    };
    for (const auto& c : cases) {
        Page = std::make_unique<TGeneralSetupPage>(Host, &Parent);
        c.Edit(*Page);
        Image = ErasedConfig();
        ASSERT_TRUE(Page->FormToConfig(Image, false)) << c.Case;
        EXPECT_EQ(Stored(), c.Expected) << c.Case;
        auto shown = std::make_unique<TGeneralSetupPage>(Host, &Parent);
        shown->ConfigToForm(Image);
        Image = ErasedConfig();
        ASSERT_TRUE(shown->FormToConfig(Image, false)) << c.Case;
        EXPECT_EQ(Stored(), c.Expected) << c.Case << ", shown and stored again";
    }
}

TEST_F(GeneralSetupTest, LoadingShowsStoredValuesInsideTheEditsRanges)
{
    Put(176, Slot("  Site 7  ", 16, ' '));
    Put(80, {0x45, 0x30});  // no BCD hour: shown as the last hour
    Put(98, {0x7F});
    Put(90, {0x00, 90, 0xFF, 0xFF});  // 90 s is one whole minute; 65535 s is above 999 minutes
    Put(82, {180});
    Put(87, {7});
    Page->ConfigToForm(Image);
    EXPECT_EQ(Page->edUnitID->text(), "Site 7");
    EXPECT_TRUE(Page->cbSelfTest->isChecked());
    EXPECT_EQ(Page->edHours->text(), "23");
    EXPECT_EQ(Page->edMinutes->text(), "30");
    EXPECT_EQ(Page->edACFailDelay->text(), "1");
    EXPECT_EQ(Page->edACRestoreDelay->text(), "999");
    EXPECT_EQ(Page->edTamper->text(), "180");
    EXPECT_TRUE(Page->rbDisabled->isChecked());

    Put(81, {0xFF});  // one time byte unprogrammed: no self test, whatever the other holds
    Put(87, {1});
    Page->ConfigToForm(Image);
    EXPECT_FALSE(Page->cbSelfTest->isChecked());
    EXPECT_FALSE(Page->edHours->isEnabled());
    EXPECT_FALSE(Page->findChild<TImageCheckBox*>("cbMON")->Enabled());
    EXPECT_EQ(Page->edHours->text(), "00");
    EXPECT_TRUE(Page->rbDSC->isChecked());
}

TEST_F(GeneralSetupTest, WriteChecksComeInOrderAndRefuseWithThePageChosen)
{
    const QString defaultName = "The unit reporting name has a default value.\r\rWould you like to proceed?";
    const QString selfTestOff = "Self test messages have been disabled.\rRegular messages confirm a working unit\rwith "
                                "available airtime and prevent SIM churning.\r\rWould you like to proceed anyway?";
    const struct {
        const char* Case;
        const char* Name;
        bool SelfTest;
        const char* Hours;
        std::vector<std::pair<QString, int>> Script;
        bool Result;
    } cases[] = {
        {"default name, No", "Default", true, "12", {{defaultName, mrNo}}, false},
        {"default name, Yes, then self test off, No", "Default", false, "12", {{defaultName, mrYes}, {selfTestOff, mrNo}}, false},
        {"both questions answered Yes", "Default", false, "", {{defaultName, mrYes}, {selfTestOff, mrYes}}, true},
        {"no name", "", true, "12", {{"Please enter a unit reporting name.", mrOk}}, false},
        {"no time", "Site", true, "", {{"Please enter a valid time for self test messages.", mrOk}}, false},
        {"all well", "Site", true, "12", {}, true},
    };
    for (const auto& c : cases) {
        Page = std::make_unique<TGeneralSetupPage>(Host, &Parent);
        Page->edUnitID->setText(c.Name);
        Page->cbSelfTest->setChecked(c.SelfTest);
        Page->edHours->setText(c.Hours);
        for (const auto& [text, answer] : c.Script) Dialogs.ExpectMessage(text, answer);
        Host.Forwarded.clear();
        Image = ErasedConfig();
        EXPECT_EQ(Page->FormToConfig(Image, true), c.Result) << c.Case;
        EXPECT_TRUE(Dialogs.Done()) << c.Case;
        EXPECT_EQ(Host.Forwarded, c.Result ? std::vector<int>{} : std::vector<int>{3}) << c.Case;
        EXPECT_EQ(Image.Bytes()[176], c.Result ? c.Name[0] : 0xFF) << c.Case;  // a refusal stores nothing
    }
    for (const TShownMessage& shown : Dialogs.Messages) EXPECT_EQ(shown.Type, TMsgDlgType::mtInformation);
}

TEST_F(GeneralSetupTest, AnEditWithoutANumberStopsWritesAndSavesAlike)
{
    Page->edUnitID->setText("Site");
    for (const bool assistant : {true, false}) {
        std::vector<QLineEdit*> edits{Page->edACFailDelay, Page->edACRestoreDelay, Page->edTamper};
        if (!assistant) edits.push_back(Page->edMinutes);  // a write asks for the time first
        for (QLineEdit* edit : edits) {
            const QString before = edit->text();
            edit->setText("");
            Dialogs.ExpectPlainMessage("Invalid integer");
            Host.Forwarded.clear();
            Image = ErasedConfig();
            EXPECT_FALSE(Page->FormToConfig(Image, assistant)) << edit->objectName().toStdString();
            EXPECT_EQ(Host.Forwarded, std::vector<int>{3});
            EXPECT_EQ(Bytes(176, 1), TBytes{0xFF}) << "nothing stored";
            edit->setText(before);
        }
    }
    EXPECT_TRUE(Page->FormToConfig(Image, true));
}

TEST_F(GeneralSetupTest, TypingAndStepsStayInsideEachEditsRange)
{
    const struct {
        QLineEdit* Edit;
        const char* Typed;
        const char* Shown;
    } typed[] = {{Page->edHours, "30", "23"},         {Page->edMinutes, "75", "59"}, {Page->edACFailDelay, "1500", "999"},
                 {Page->edACRestoreDelay, "-5", "0"}, {Page->edTamper, "300", "255"}, {Page->edTamper, "180", "180"}};
    for (const auto& t : typed) {
        const int changes = Host.Changes;
        t.Edit->setText(t.Typed);
        EXPECT_EQ(t.Edit->text(), t.Shown) << t.Typed;
        EXPECT_GT(Host.Changes, changes);
    }
    const struct {
        QLineEdit* Edit;
        const char* Button;
        const char* Before;
        const char* After;
    } steps[] = {{Page->edHours, "Button6", "00", "23"},        {Page->edHours, "Button7", "23", "00"},
                 {Page->edHours, "Button7", "7", "08"},         {Page->edMinutes, "Button2", "59", "00"},
                 {Page->edMinutes, "Button1", "", "59"},        {Page->edACFailDelay, "Button40", "999", "0"},
                 {Page->edACFailDelay, "Button39", "10", "9"},  {Page->edACRestoreDelay, "Button3", "0", "999"},
                 {Page->edACRestoreDelay, "Button4", "5", "6"}, {Page->edTamper, "Button8", "255", "0"},
                 {Page->edTamper, "Button5", "0", "255"}};
    for (const auto& s : steps) {
        s.Edit->setText(s.Before);
        Click(s.Button);
        EXPECT_EQ(s.Edit->text(), s.After) << s.Button << " on " << s.Before;
    }
    Page->edTamper->setText("");
    Dialogs.ExpectPlainMessage("Invalid integer");
    Click("Button8");
    EXPECT_EQ(Page->edTamper->text(), "");
}

// A page of another branch with I/O expander items: records what it was told.
class TExpanderPage : public TKVXPage, public IIOExpanderPage {
public:
    using TKVXPage::TKVXPage;
    void ConfigToForm(const TKVXConfig&) override {}
    bool FormToConfig(TKVXConfig&, bool) override { return true; }
    void IOExpanderFunctions(bool State) override { Told.push_back(State); }
    std::vector<bool> Told;
};

class GeneralSetupSwitchingTest : public GeneralSetupTest {
protected:
    void SetUp() override
    {
        Host.Register(3, Page.get());
        Host.Register(5, &Inputs);
        Host.Register(6, &Distribution);
        Host.Register(8, &Relays);
        Host.Register(10, &MissedCall);
        Host.Register(11, &Timers);
    }
    // Every recipient of the row checked (true), none (false), or a mixture (nullopt).
    std::optional<bool> Row(TDistributionEvent Event) const
    {
        const TRecipientBoxes& boxes = Distribution.RowBoxes(Event);
        const auto checked = std::count_if(boxes.Recipients.begin(), boxes.Recipients.end(), [](auto* box) { return box->Checked(); });
        if (checked == 0) return false;
        if (checked == static_cast<long>(boxes.Recipients.size())) return true;
        return std::nullopt;
    }

    TInputMessagesPage Inputs{Host, &Parent};
    TDistributeMessagesPage Distribution{Host, &Parent};
    TRelaysPage Relays{Host, &Parent};
    TExpanderPage MissedCall{&Parent};
    TExpanderPage Timers{&Parent};
};

TEST_F(GeneralSetupSwitchingTest, ChoosingTheExpanderOffersItsItemsOnTheOtherPagesAndLoadingWithdrawsThem)
{
    Page->rbIOExpander->click();
    EXPECT_TRUE(Relays.edVRLY[7]->isEnabled());
    EXPECT_TRUE(Inputs.Rows[InputMessageSlot(9, TInputSide::Low)].Check->isEnabled());
    EXPECT_TRUE(Inputs.High.Check->isEnabled());
    EXPECT_EQ(MissedCall.Told, std::vector<bool>{true});
    EXPECT_EQ(Timers.Told, std::vector<bool>{true});
    EXPECT_EQ(Row(TDistributionEvent::CommsFailure), true);

    Image.SerialInterface = 1;
    Page->ConfigToForm(Image);
    EXPECT_TRUE(Page->rbDSC->isChecked());
    EXPECT_FALSE(Relays.edVRLY[7]->isEnabled());
    EXPECT_FALSE(Inputs.Rows[InputMessageSlot(8, TInputSide::High)].Check->isEnabled());
    EXPECT_FALSE(Inputs.Low.Check->isEnabled());
    EXPECT_EQ(MissedCall.Told.back(), false);
    EXPECT_EQ(Row(TDistributionEvent::CommsFailure), false);
}

TEST_F(GeneralSetupSwitchingTest, OnlyAClickThatChangesTheSerialOptionActs)
{
    const struct {
        const char* Case;
        int Stored;  // SerialInterface loaded first
        QRadioButton* TGeneralSetupPage::*Click;
        bool Acts;
    } cases[] = {
        {"expander again", 0, &TGeneralSetupPage::rbIOExpander, false},
        {"DSC again", 1, &TGeneralSetupPage::rbDSC, false},
        {"disabled again", 255, &TGeneralSetupPage::rbDisabled, false},
        {"an unknown value reads as disabled", 7, &TGeneralSetupPage::rbDisabled, false},
        {"expander to DSC", 0, &TGeneralSetupPage::rbDSC, true},
        {"DSC to disabled", 1, &TGeneralSetupPage::rbDisabled, true},
        {"disabled to expander", 255, &TGeneralSetupPage::rbIOExpander, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        Image.SerialInterface = static_cast<uint8_t>(c.Stored);
        Page->ConfigToForm(Image);
        // The user's own choice in the comms-failure row.
        Distribution.CheckRow(TDistributionEvent::CommsFailure, true);
        Distribution.RowBoxes(TDistributionEvent::CommsFailure).Recipient(1)->SetChecked(false);
        const size_t told = MissedCall.Told.size();
        Host.Changes = 0;

        (Page.get()->*c.Click)->click();
        EXPECT_EQ(Host.Changes > 0, c.Acts);
        EXPECT_EQ(MissedCall.Told.size(), told + (c.Acts ? 1 : 0));
        if (!c.Acts) EXPECT_EQ(Row(TDistributionEvent::CommsFailure), std::nullopt);
        else EXPECT_EQ(Row(TDistributionEvent::CommsFailure), c.Click == &TGeneralSetupPage::rbIOExpander);
    }
}

TEST_F(GeneralSetupSwitchingTest, SelfTestAndTamperDriveTheirRowsOnlyWhenSwitchedOnOrOff)
{
    Page->cbSelfTest->click();
    EXPECT_EQ(Row(TDistributionEvent::AutoTest), false);
    Page->cbSelfTest->click();
    EXPECT_EQ(Row(TDistributionEvent::AutoTest), true);

    QLineEdit* tamper = Page->edTamper;
    TImageCheckBox* second = Distribution.RowBoxes(TDistributionEvent::Tamper).Recipient(1);
    tamper->setText("180");
    EXPECT_EQ(Row(TDistributionEvent::Tamper), true);
    second->SetChecked(false);  // the user's own choice
    tamper->setText("200");
    tamper->setText("");
    tamper->setText("25");
    EXPECT_EQ(Row(TDistributionEvent::Tamper), std::nullopt);
    EXPECT_FALSE(second->Checked());
    tamper->setText("255");
    EXPECT_EQ(Row(TDistributionEvent::Tamper), false);
}

} // namespace
} // namespace kvx::ui::test
