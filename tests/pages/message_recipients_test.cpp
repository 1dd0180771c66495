// The recipients page: numbers byte for byte, the two checks, and the debounce that hands
// typed numbers to the grids once, after the last keystroke.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "config/recipients.h"
#include "image/utils.h"
#include "tests/pages/messaging_fixture.h"
#include "tests/support/phone_number_cases.h"
#include "ui/widgets/phone_number_edit.h"

namespace kvx::ui::test {
namespace {

using Bytes = std::vector<uint8_t>;

class RecipientsTest : public MessagingPagesTest {
protected:
    QLineEdit* Edit(int N) const { return Recipients->edRecipient.at(static_cast<size_t>(N)); }
    bool ColumnOpen(int N) const { return Distribution->RowBoxes(TDistributionEvent::PowerUp).Recipient(N)->Enabled(); }
    static Bytes Slot(const TKVXConfig& Image, size_t N)
    {
        return Bytes(&Image.ReportingNumbers[16 * N], &Image.ReportingNumbers[16 * N] + 16);
    }
};

TEST_F(RecipientsTest, NumbersLoadAndStoreBackByteForByte)
{
    TKVXConfig image = ErasedConfig();
    TUtils::ASCIIString2BufferPad(u"+447700900123", &image.ReportingNumbers[0], 16, 0);
    TUtils::ASCIIString2BufferPad(u"+447700900123456", &image.ReportingNumbers[16], 16, 0);
    TUtils::ASCIIString2BufferPad(u"07700900123", &image.ReportingNumbers[32], 16, 0);
    Load(image);
    EXPECT_EQ(Edit(0)->text(), "447700900123");
    EXPECT_EQ(Edit(1)->text(), "447700900123456");
    EXPECT_EQ(Edit(2)->text(), "7700900123");  // the first character goes, whatever it is
    EXPECT_EQ(Edit(3)->text(), "");
    EXPECT_FALSE(Recipients->btnRecipientClear[3]->isEnabled());
    EXPECT_TRUE(Recipients->btnRecipientClear[0]->isEnabled());
    EXPECT_FALSE(ColumnOpen(3));
    EXPECT_TRUE(ColumnOpen(0));
    EXPECT_TRUE(ContactID->CIDControlList[0]->Boxes().Recipient(1)->Enabled());

    const TKVXConfig stored = Store();
    EXPECT_EQ(Slot(stored, 0), Slot(image, 0));
    EXPECT_EQ(Slot(stored, 1), Slot(image, 1));  // fifteen digits: no terminator
    EXPECT_EQ(Slot(stored, 3), Bytes(16, 0xFF));
}

TEST_F(RecipientsTest, DuplicateNumbersAreRefusedAndThePageChosen)
{
    EnterRecipient(2, "447700900123");
    EnterRecipient(7, "447700900123");
    Dialogs.ExpectMessage("You have duplicate recipient numbers.");
    TKVXConfig image = ErasedConfig();
    EXPECT_FALSE(Recipients->FormToConfig(image, true));
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(Host.Forwarded, std::vector<int>{4});

    EnterRecipient(7, "447700900124");  // empty edits are never duplicates of each other
    EXPECT_TRUE(Recipients->FormToConfig(image, true));
}

TEST_F(RecipientsTest, NoNumberAtAllIsRefusedOnlyWhenChecking)
{
    Dialogs.ExpectMessage("Please enter at least one message recipient.");
    TKVXConfig image = ErasedConfig();
    EXPECT_FALSE(Recipients->FormToConfig(image, true));
    EXPECT_EQ(Dialogs.Messages.at(0).Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Host.Forwarded, std::vector<int>{4});

    const TKVXConfig before = image;
    EXPECT_TRUE(Recipients->FormToConfig(image, false));
    EXPECT_EQ(Slot(image, 0), Slot(before, 0));
}

TEST_F(RecipientsTest, TypingIsHandedToTheGridsOnceAfterTheCountdown)
{
    Edit(0)->setText("4");
    Edit(0)->setText("44");
    const int before = Host.Changes;
    Edit(5)->setText("1");
    EXPECT_GT(Host.Changes, before) << "the edit counts at once, only the grids wait";
    EXPECT_TRUE(Recipients->HandOverTimer.isActive());
    for (int tick = 0; tick < 3; ++tick) Recipients->HandOverTick();
    Edit(0)->setText("447");  // a keystroke starts the countdown again
    for (int tick = 0; tick < 5; ++tick) {
        Recipients->HandOverTick();
        ASSERT_FALSE(ColumnOpen(0)) << tick;
        ASSERT_FALSE(ColumnOpen(5)) << tick;
    }
    EXPECT_FALSE(Recipients->btnRecipientClear[0]->isEnabled());
    Recipients->HandOverTick();
    EXPECT_TRUE(ColumnOpen(0));
    EXPECT_TRUE(ColumnOpen(5));
    EXPECT_TRUE(Recipients->btnRecipientClear[0]->isEnabled());
    EXPECT_FALSE(Recipients->HandOverTimer.isActive());

    const int changes = Host.Changes;
    EXPECT_EQ(RunTimer(), 0);
    EXPECT_EQ(Host.Changes, changes);
}

TEST_F(RecipientsTest, ClearButtonEmptiesTheNumberAndClosesItsColumn)
{
    EnterRecipient(4, "447700900123");
    ASSERT_TRUE(ColumnOpen(4));
    Recipients->btnRecipientClear[4]->click();
    EXPECT_EQ(Edit(4)->text(), "");
    EXPECT_EQ(RunTimer(), 6);
    EXPECT_FALSE(ColumnOpen(4));
    EXPECT_FALSE(Recipients->btnRecipientClear[4]->isEnabled());
}

// The table every way in takes numbers by: a write stores the digits or says why under the
// recipient's name; a template save keeps what the edit shows.
TEST_F(RecipientsTest, NumbersGoByTheOneRule)
{
    for (const kvx::test::TPhoneNumberCase& c : kvx::test::PhoneNumberCases) {
        SCOPED_TRACE(std::string(c.Text) + " with country code " + c.CountryCode);
        Host.CountryCode = c.CountryCode;
        const QString typed = QString::fromUtf8(c.Text);
        EnterRecipient(0, typed);
        Host.Forwarded.clear();
        if (!c.Stored) {
            const bool national = std::string(c.Reason).ends_with("add the country code");
            Dialogs.ExpectMessage("Recipient 1: " + QString::fromUtf8(c.Reason) + "." + (national ? NationalNumberHint : QString()));
        }
        TKVXConfig image = ErasedConfig();
        EXPECT_EQ(Recipients->FormToConfig(image, true), c.Stored != nullptr);
        EXPECT_EQ(DecodeRecipient(image, 0), c.Stored ? TUtils::FromLatin1(c.Stored) : std::u16string());
        EXPECT_EQ(Host.Forwarded, c.Stored ? std::vector<int>{} : std::vector<int>{MessageRecipientsPageNo});
        image = ErasedConfig();
        EXPECT_TRUE(Recipients->FormToConfig(image, false));
        EXPECT_EQ(DecodeRecipient(image, 0), c.Stored ? TUtils::FromLatin1(c.Stored) : typed.left(15).toStdU16String());
    }
}

// Leaving an edit (Enter here) shows the number as it is stored, or says at once why not and
// keeps it for putting right; it says so once for the same text.
TEST_F(RecipientsTest, ANumberIsTakenWhenTheUserLeavesItsEdit)
{
    const auto enter = [this] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(Edit(0), &press);
    };
    Edit(0)->setText("+44 (0)7700 900-123");
    enter();
    EXPECT_EQ(Edit(0)->text(), "447700900123");
    Edit(0)->setText("+44 7700 9OO123");
    Dialogs.ExpectMessage("Recipient 1: \"+44 7700 9OO123\" holds letters: a telephone number is digits.");
    enter();
    enter();
    EXPECT_EQ(Edit(0)->text(), "+44 7700 9OO123");
    EXPECT_EQ(Dialogs.Messages.size(), 1u);
}

TEST_F(RecipientsTest, SenderVerifyButtonChoosesTheSecurityPage)
{
    Recipients->btnEnableInSecuritySetup->click();
    EXPECT_EQ(Host.Forwarded, std::vector<int>{2});
}

TEST_F(RecipientsTest, ImportedNumbersOpenTheirColumnsAtOnce)
{
    const QString people = Folder.filePath("people.csv");
    std::ofstream(people.toStdString(), std::ios::binary) << "\xEF\xBB\xBFrecipient;number\r\n3;+44 7700 900003\r\n;0044 7700 900001\r\n";
    Dialogs.ExpectOpenFile(people);
    Dialogs.ExpectMessage("Import from people.csv?\r\r2 added, 0 updated, 0 unchanged, 0 skipped.\r"
                          "line 2: added as recipient 3 (+447700900003)\rline 3: added as recipient 1 (+447700900001)");
    Recipients->btnImport->click();
    EXPECT_EQ(Edit(2)->text(), "447700900003");
    EXPECT_EQ(Edit(0)->text(), "447700900001");
    EXPECT_TRUE(ColumnOpen(2));
    EXPECT_FALSE(Recipients->HandOverTimer.isActive()) << "no countdown: the grids follow at once";

    const QString exported = Folder.filePath("out.csv");
    Dialogs.ExpectSaveFile(exported);
    Recipients->btnExport->click();
    std::ifstream in(exported.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "recipient,number\r\n1,+447700900001\r\n3,+447700900003\r\n");
}

} // namespace
} // namespace kvx::ui::test
