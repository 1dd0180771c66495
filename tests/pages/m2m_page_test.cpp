// KVX to base stations: numbers, ID and the 32 event slots in the image; the duplicate and
// default-ID checks of a write; which boxes may be edited when.
#include <QCheckBox>
#include <QPushButton>

#include "tests/pages/unit_page_fixture.h"
#include "ui/pages/m2m_page.h"

namespace kvx::ui::test {
namespace {

constexpr size_t TelemetryOffset = 7968;
const QString DefaultIDQuestion = "The M2M ID has a default value.\r\rWould you like to proceed?";

class M2MPageTest : public UnitPageTest {
protected:
    TM2MPage Page{Host, &Parent};

    std::vector<QLineEdit*> EventEdits() const
    {
        std::vector<QLineEdit*> edits;
        for (size_t slot = 0; slot < M2MTelemetryCount; ++slot)
            if (QLineEdit* edit = Page.EventEdit(static_cast<TDistributionEvent>(slot))) edits.push_back(edit);
        return edits;
    }
    QString EventText(const char* Name) const { return Page.findChild<QLineEdit*>(Name)->text(); }
};

TEST_F(M2MPageTest, StartsWithTheStandardEventNumbersLocked)
{
    ASSERT_EQ(EventEdits().size(), 32u);
    EXPECT_EQ(EventText("edPUP"), "823");
    EXPECT_EQ(EventText("edIPH1"), "800");
    EXPECT_EQ(EventText("edIPL1"), "801");
    EXPECT_EQ(EventText("edIPL9"), "817");
    EXPECT_EQ(EventText("edTST"), "819");
    EXPECT_EQ(EventText("edATS"), "820");
    EXPECT_EQ(EventText("edCFL"), "832");
    for (QLineEdit* edit : EventEdits()) {
        EXPECT_FALSE(edit->isEnabled()) << edit->objectName().toStdString();
        EXPECT_EQ(edit->maxLength(), 3) << edit->objectName().toStdString();  // what a slot holds
    }
    Page.cbChangeStandardEvents->setChecked(true);
    for (QLineEdit* edit : EventEdits()) EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(EventText("edPUP"), "823");
    EXPECT_EQ(Page.edM2MID->text(), "00000");
    EXPECT_FALSE(Page.edM2MID->isEnabled());
}

TEST_F(M2MPageTest, ErasedAreaShowsEmptyAndStoresSpacesInTheEditedSlotsOnly)
{
    Page.ConfigToForm(Image);
    EXPECT_EQ(Page.edM2MNo[0]->text(), "");
    EXPECT_EQ(Page.edM2MID->text(), "");
    for (QLineEdit* edit : EventEdits()) EXPECT_EQ(edit->text(), "");
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    for (size_t slot = 0; slot < M2MTelemetryCount; ++slot) {
        const bool edited = slot != 29 && slot != 33;
        EXPECT_EQ(Bytes(TelemetryOffset + 3 * slot, 3), std::vector<uint8_t>(3, edited ? ' ' : 0xFF)) << slot;
    }
    EXPECT_EQ(Bytes(7936, 16), std::vector<uint8_t>(16, 0xFF));
    EXPECT_EQ(Bytes(7952, 5), std::vector<uint8_t>(5, 0xFF));
}

TEST_F(M2MPageTest, EventNumbersRoundTripThroughTheirSlots)
{
    Page.cbChangeStandardEvents->setChecked(true);
    Page.findChild<QLineEdit*>("edMAF")->setText("7");
    Page.findChild<QLineEdit*>("edADL")->setText("999");
    ASSERT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Bytes(TelemetryOffset + 3 * 19, 3), Slot("7", 3, ' '));
    EXPECT_EQ(Bytes(TelemetryOffset + 3 * 30, 3), Slot("999", 3, ' '));
    EXPECT_EQ(Bytes(TelemetryOffset + 3 * 18, 3), Slot("817", 3, ' '));
    TM2MPage shown(Host, &Parent);
    shown.ConfigToForm(Image);
    EXPECT_EQ(shown.findChild<QLineEdit*>("edMAF")->text(), "7");
    EXPECT_EQ(shown.findChild<QLineEdit*>("edADL")->text(), "999");
}

TEST_F(M2MPageTest, DuplicateNumbersStopAWriteButNotATemplate)
{
    Page.edM2MNo[1]->setText("447700900555");
    Page.edM2MNo[3]->setText("447700900555");
    Page.edM2MID->setText("12345");
    Dialogs.ExpectMessage("You have duplicate base station mobile numbers.");
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(Host.Forwarded, std::vector<int>{12});
    EXPECT_EQ(Bytes(8080, 16), std::vector<uint8_t>(16, 0xFF));

    ASSERT_TRUE(Page.FormToConfig(Image, false));
    EXPECT_EQ(Bytes(8080, 16), Slot("+447700900555", 16, 0));
    EXPECT_EQ(Bytes(8112, 16), Slot("+447700900555", 16, 0));
}

TEST_F(M2MPageTest, TheDefaultIDIsQuestionedOnlyWithABaseStation)
{
    Page.edM2MNo[0]->setText("447700900555");
    Dialogs.ExpectMessage(DefaultIDQuestion, mrNo);
    EXPECT_FALSE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Host.Forwarded, std::vector<int>{12});
    EXPECT_EQ(Bytes(7936, 16), std::vector<uint8_t>(16, 0xFF));

    Dialogs.ExpectMessage(DefaultIDQuestion, mrYes);
    ASSERT_TRUE(Page.FormToConfig(Image, true));
    EXPECT_EQ(Dialogs.Messages.back().Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Bytes(7936, 16), Slot("+447700900555", 16, 0));
    EXPECT_EQ(Bytes(7952, 5), Slot("00000", 5, 0));

    Page.edM2MNo[0]->clear();
    EXPECT_FALSE(Page.edM2MID->isEnabled());
    Image = ErasedConfig();
    ASSERT_TRUE(Page.FormToConfig(Image, true));  // no question
    EXPECT_EQ(Bytes(7952, 5), Slot("00000", 5, 0));
}

TEST_F(M2MPageTest, ClearButtonsAndTheIDFollowTheNumbers)
{
    EXPECT_FALSE(Page.btnM2MNo[2]->isEnabled());
    EXPECT_FALSE(Page.btnM2MID->isEnabled());
    Page.edM2MNo[2]->setText("1");
    EXPECT_TRUE(Page.btnM2MNo[2]->isEnabled());
    EXPECT_TRUE(Page.edM2MID->isEnabled());
    EXPECT_TRUE(Page.btnM2MID->isEnabled());
    Page.btnM2MID->click();
    EXPECT_EQ(Page.edM2MID->text(), "");
    EXPECT_FALSE(Page.btnM2MID->isEnabled());
    Page.btnM2MNo[2]->click();
    EXPECT_EQ(Page.edM2MNo[2]->text(), "");
    EXPECT_FALSE(Page.edM2MID->isEnabled());
    EXPECT_FALSE(Page.btnM2MNo[2]->isEnabled());
    EXPECT_GE(Host.Changes, 4);
}

} // namespace
} // namespace kvx::ui::test
