// The Contact ID page: rows from the event list (and without one), masks byte for byte,
// the All box's order rule, the label lists and the dial-tone byte.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "tests/config/image_expect.h"
#include "tests/pages/messaging_fixture.h"

namespace kvx::ui::test {
namespace {

using Bytes = std::vector<uint8_t>;

class ContactIDTest : public MessagingPagesTest {};

constexpr size_t ReportingEnd = offsetof(TKVXConfig, ContactIDReporting) + 450;

TEST_F(ContactIDTest, OneRowPerLineWithItsCodeInThreeDigits)
{
    Build("110 Fire\r\n005 Five\r\n  5 Five again\r\n");
    ASSERT_EQ(ContactID->CIDControlListCount(), 3);
    const TContactIDEventRow* first = ContactID->CIDControlList[0];
    EXPECT_EQ(first->objectName(), "CIDControl0");
    EXPECT_EQ(first->lbValue->text(), "110");
    EXPECT_EQ(first->lbDescription->text(), "Fire");
    EXPECT_EQ(first->pos(), QPoint(0, 2));
    EXPECT_EQ(ContactID->CIDControlList[1]->lbValue->text(), "005");
    EXPECT_EQ(ContactID->CIDControlList[2]->lbValue->text(), "005");
    EXPECT_EQ(ContactID->CIDControlList[2]->pos(), QPoint(0, 52));
    EXPECT_TRUE(ContactID->lblCIDListMissing->isHidden());
}

TEST_F(ContactIDTest, OneWheelNotchScrollsOneRowOnBothGrids)
{
    EXPECT_EQ(ContactID->WheelScrollBar()->singleStep(), TContactIDEventRow::RowPitch);
    EXPECT_EQ(ContactID->CIDControlList[1]->y() - ContactID->CIDControlList[0]->y(), TContactIDEventRow::RowPitch);
    const int distributionPitch =
        Distribution->RowPanel(TDistributionEvent::IP1H)->y() - Distribution->RowPanel(TDistributionEvent::PowerUp)->y();
    EXPECT_EQ(Distribution->WheelScrollBar()->singleStep(), distributionPitch);
}

TEST_F(ContactIDTest, ANonNumericLineSaysInvalidIntegerAndKeepsTheRowsBeforeIt)
{
    Dialogs.ExpectPlainMessage("Invalid integer");
    Build("110 Fire\r\nabc Broken\r\n130 Burglary\r\n");
    EXPECT_EQ(ContactID->CIDControlListCount(), 1);
}

TEST_F(ContactIDTest, RecipientMasksFollowTheRowsInFileOrder)
{
    EnterRecipient(1, "447700900101");
    EnterRecipient(9, "447700900109");
    ContactID->CIDControlList[1]->FlagsToPanel(0);
    const TKVXConfig image = Store();
    EXPECT_EQ(CIDMask(image, 0), Bytes({0x02, 0x02}));
    EXPECT_EQ(CIDMask(image, 1), Bytes({0x00, 0x00}));
    EXPECT_EQ(CIDMask(image, 2), Bytes({0xFF, 0xFF}));  // no third row
}

TEST_F(ContactIDTest, ANewRecipientGetsEveryEventAndALostOneStoresNoBit)
{
    EnterRecipient(0, "447700900100");
    ContactID->CIDControlList[0]->FlagsToPanel(0);
    EnterRecipient(3, "447700900103");
    for (const TContactIDEventRow* row : ContactID->CIDControlList) EXPECT_TRUE(row->Boxes().Recipient(3)->Checked());
    EXPECT_EQ(CIDMask(Store(), 0), Bytes({0x08, 0x00}));
    EnterRecipient(3, "");
    EXPECT_FALSE(ContactID->CIDControlList[0]->Boxes().Recipient(3)->Enabled());
    EXPECT_TRUE(ContactID->CIDControlList[0]->Boxes().Recipient(3)->Checked());
    EXPECT_EQ(CIDMask(Store(), 0), Bytes({0x00, 0x00}));
    EXPECT_EQ(CIDMask(Store(), 1), Bytes({0x01, 0x00}));
}

TEST_F(ContactIDTest, AllBoxDependsOnTheOrderOfTheTicks)
{
    for (int n = 0; n < 3; ++n) EnterRecipient(n, QString("44770090010%1").arg(n));
    TContactIDEventRow* row = ContactID->CIDControlList[0];
    row->FlagsToPanel(0b011);
    EXPECT_TRUE(row->Boxes().All->Enabled());
    EXPECT_TRUE(row->Boxes().All->Checked());
    row->FlagsToPanel(0b110);
    EXPECT_FALSE(row->Boxes().All->Checked());
    row->FlagsToPanel(0b111);
    EXPECT_TRUE(row->Boxes().All->Checked());
    row->Boxes().All->Press();  // unchecked: clears all
    EXPECT_EQ(row->FormToReportingUsers(), 0);
    row->Boxes().All->Press();  // checked: ticks the enabled ones
    EXPECT_EQ(row->FormToReportingUsers(), 0b111);
    EXPECT_FALSE(row->Boxes().Recipient(5)->Checked());  // cleared by the first press, disabled since
}

TEST_F(ContactIDTest, MissingListShowsANoteOnThePageAndStoresNoMasks)
{
    ContactID.reset();
    ContactID = std::make_unique<TContactIDPage>(Host, nullptr, Folder.filePath("absent/CIDList.txt"));
    Host.Register(7, ContactID.get());
    EXPECT_EQ(ContactID->CIDControlListCount(), 0);
    EXPECT_FALSE(ContactID->lblCIDListMissing->isHidden());
    EnterRecipient(0, "447700900100");  // no rows to open: nothing breaks

    const TKVXConfig before = kvx::test::PatternedConfig();
    TKVXConfig image = before;
    EXPECT_TRUE(ContactID->FormToConfig(image, false));
    for (size_t at = offsetof(TKVXConfig, ContactIDReporting); at < ReportingEnd; ++at)
        ASSERT_EQ(image.Bytes()[at], before.Bytes()[at]) << at;
}

TEST_F(ContactIDTest, OnlyTheFirst225LinesBecomeRowsAndNothingIsWrittenPastTheMasks)
{
    std::string text;
    for (int line = 0; line < 300; ++line) text += std::to_string(100 + line % 900) + " Event\r\n";
    Build(text);
    ASSERT_EQ(ContactID->CIDControlListCount(), 225);
    EnterRecipient(0, "447700900100");

    const TKVXConfig before = kvx::test::PatternedConfig();
    TKVXConfig image = before;
    EXPECT_TRUE(ContactID->FormToConfig(image, false));
    EXPECT_EQ(CIDMask(image, 224), Bytes({0x01, 0x00}));
    for (size_t at = ReportingEnd; at < ReportingEnd + 64; ++at) ASSERT_EQ(image.Bytes()[at], before.Bytes()[at]) << at;
}

TEST_F(ContactIDTest, LabelsOfSixteenCharactersFillTheSlotAndEmptyLabelsStayUnwritten)
{
    EXPECT_FALSE(ContactID->cbPartition->isEditable());  // pick-only: every edit belongs to an item
    EXPECT_EQ(ContactID->edPM->text(), "Partition 0");
    EXPECT_EQ(ContactID->edUM->text(), "User 0");
    ContactID->cbPartition->setCurrentIndex(5);
    EXPECT_EQ(ContactID->edPM->text(), "Partition 5");
    ContactID->edPM->setText("Main house north");
    ContactID->btnZMC->click();
    EXPECT_FALSE(ContactID->btnZMC->isEnabled());

    const TKVXConfig image = Store();
    const uint8_t* partition5 = &image.CIDPartitionLabels[16 * 5];
    EXPECT_EQ(Bytes(partition5, partition5 + 16), kvx::test::TextBytes("Main house north", 16, 0x20));
    const uint8_t* partition1 = &image.CIDPartitionLabels[16];
    EXPECT_EQ(Bytes(partition1, partition1 + 16), kvx::test::TextBytes("Partition 1", 16, 0x20));
    EXPECT_EQ(Bytes(&image.CIDZoneLabels[0], &image.CIDZoneLabels[0] + 16), Bytes(16, 0xFF));

    Build("110 Fire\r\n");
    Load(image);
    EXPECT_EQ(ContactID->cbPartition->currentIndex(), 0);
    EXPECT_EQ(ContactID->edPM->text(), "Partition 0");
    EXPECT_EQ(ContactID->edZM->text(), "");
    EXPECT_FALSE(ContactID->btnZMC->isEnabled());
    ContactID->cbPartition->setCurrentIndex(5);
    EXPECT_EQ(ContactID->edPM->text(), "Main house north");
}

TEST_F(ContactIDTest, AnyNonZeroDialToneShowsCheckedAndIsWrittenBackAsFF)
{
    TKVXConfig image = ErasedConfig();
    image.DialTone = 0x01;
    Load(image);
    EXPECT_TRUE(ContactID->cbDialTone->isChecked());
    EXPECT_EQ(Store().DialTone, 0xFF);
    image.DialTone = 0x00;
    Load(image);
    EXPECT_FALSE(ContactID->cbDialTone->isChecked());
    EXPECT_EQ(Store().DialTone, 0x00);
}

} // namespace
} // namespace kvx::ui::test
