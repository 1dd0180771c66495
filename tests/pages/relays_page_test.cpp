// Pulse time setup: words most significant byte first, the clamp while typing, the step
// buttons' wrap, and no write or save with an edit that holds no number.
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/relays_page.h"

namespace kvx::ui::test {
namespace {

class RelaysPageTest : public UnitPageTest {
protected:
    TRelaysPage Page{Host, &Parent};

    QPushButton* Button(const char* Name) { return Page.findChild<QPushButton*>(Name); }
};

TEST_F(RelaysPageTest, ShowsAndStoresEachRelayInItsOwnWord)
{
    for (size_t i = 0; i < RelayCount; ++i) Put(256 + 2 * i, {static_cast<uint8_t>(i), 0x2C});
    Page.ConfigToForm(Image);
    EXPECT_EQ(Page.edVRLY[0]->text(), "44");
    EXPECT_EQ(Page.edVRLY[1]->text(), "300");  // 0x01 0x2C
    EXPECT_EQ(Page.edVRLY[7]->text(), "1000");  // 0x072C = 1836, over the limit: the edit clamps

    Image = ErasedConfig();
    const char* typed[RelayCount] = {"300", "0", "1", "2", "3", "4", "999", "1000"};
    for (size_t i = 0; i < RelayCount; ++i) Page.edVRLY[i]->setText(typed[i]);
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(256, 16), (std::vector<uint8_t>{0x01, 0x2C, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0x03, 0xE7, 0x03, 0xE8}));
    EXPECT_EQ(Image.Bytes()[255], 0xFF);
    EXPECT_EQ(Image.Bytes()[272], 0xFF);
}

TEST_F(RelaysPageTest, TypingClampsToZeroToAThousandAndMarksTheChange)
{
    QLineEdit* edit = Page.edVRLY[2];
    const struct {
        const char* Typed;
        const char* Shown;
    } cases[] = {{"1001", "1000"}, {"0", "0"}, {"-5", "0"}, {"", ""}, {"750", "750"}};
    for (const auto& c : cases) {
        const int before = Host.Changes;
        edit->setText(c.Typed);
        EXPECT_EQ(edit->text(), c.Shown) << c.Typed;
        EXPECT_GT(Host.Changes, before) << c.Typed;
    }
    Dialogs.ExpectPlainMessage("Invalid integer");
    edit->setText("12a");
    EXPECT_EQ(edit->text(), "12a");
}

TEST_F(RelaysPageTest, EachRowsButtonsStepItsOwnRelayAndWrap)
{
    const char* rows[RelayCount][2] = {{"Button1", "Button2"},   {"btnClearRecipient0", "Button3"}, {"Button4", "Button5"},
                                       {"Button6", "Button7"},   {"Button8", "Button9"},            {"Button14", "Button15"},
                                       {"Button12", "Button13"}, {"Button10", "Button11"}};
    Page.IOExpanderFunctions(true);
    for (size_t i = 0; i < RelayCount; ++i) {
        for (QLineEdit* edit : Page.edVRLY) edit->setText("500");
        Page.edVRLY[i]->setText("1000");
        Button(rows[i][1])->click();
        EXPECT_EQ(Page.edVRLY[i]->text(), "1") << rows[i][1];
        Button(rows[i][0])->click();
        EXPECT_EQ(Page.edVRLY[i]->text(), "1000") << rows[i][0];
        Page.edVRLY[i]->setText("0");
        Button(rows[i][0])->click();
        EXPECT_EQ(Page.edVRLY[i]->text(), "1000") << rows[i][0];
        for (size_t other = 0; other < RelayCount; ++other)
            if (other != i) {
                EXPECT_EQ(Page.edVRLY[other]->text(), "500") << rows[i][0];
            }
    }
    Page.edVRLY[0]->setText("");
    Dialogs.ExpectPlainMessage("Invalid integer");
    Button("Button2")->click();
    EXPECT_EQ(Page.edVRLY[0]->text(), "");
}

TEST_F(RelaysPageTest, AnEditWithoutANumberStopsWritesAndSavesAlike)
{
    for (const bool assistant : {true, false}) {
        Image = ErasedConfig();
        Host.Forwarded.clear();
        Page.edVRLY[4]->setText("");
        Dialogs.ExpectPlainMessage("Invalid integer");
        EXPECT_FALSE(Page.FormToConfig(Image, assistant));
        EXPECT_EQ(Host.Forwarded, std::vector<int>{8});
        EXPECT_EQ(Bytes(264, 2), (std::vector<uint8_t>{0xFF, 0xFF}));  // and it never leaves for a unit
        Page.edVRLY[4]->setText("3");
        EXPECT_TRUE(Page.FormToConfig(Image, assistant));
        EXPECT_EQ(Bytes(264, 2), (std::vector<uint8_t>{0, 3}));
    }
}

TEST_F(RelaysPageTest, IOBoardRowsFollowTheExpanderAndAreStoredEitherWay)
{
    EXPECT_TRUE(Page.edVRLY[0]->isEnabled());
    for (size_t i = 2; i < RelayCount; ++i) EXPECT_FALSE(Page.edVRLY[i]->isEnabled());
    EXPECT_FALSE(Button("Button11")->isEnabled());
    EXPECT_TRUE(Page.lblLink->isEnabled());
    Page.IOExpanderFunctions(true);
    EXPECT_TRUE(Page.edVRLY[7]->isEnabled());
    EXPECT_TRUE(Button("Button11")->isEnabled());
    Page.IOExpanderFunctions(false);
    EXPECT_FALSE(Page.edVRLY[7]->isEnabled());
    EXPECT_TRUE(Page.lblLink->isEnabled());

    Page.edVRLY[7]->setText("77");
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Bytes(270, 2), (std::vector<uint8_t>{0, 77}));

    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Page.lblLink, &release);
    EXPECT_EQ(Host.Forwarded, std::vector<int>{3});
}

} // namespace
} // namespace kvx::ui::test
