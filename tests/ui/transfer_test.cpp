#include <QDir>
#include <QLineEdit>

#include "tests/ui/window_fixture.h"
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"
#include "ui/main/hidden_setting.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/password_dialog.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class TransferTest : public WindowTest {
protected:
    void SetUp() override
    {
        CreateWindow();
        for (TBytePage* page : Pages) Link->Memory[TBytePage::OffsetOf(page->No)] = static_cast<uint8_t>(0x40 + page->No);
    }
    bool PagesShowUnit() const
    {
        for (TBytePage* page : Pages)
            if (page->Value != 0x40 + page->No) return false;
        return true;
    }
    size_t PagesRead() const { return Link->CountOf(TKVXCommand::ReadPage); }
    size_t PagesWritten() const { return Link->CountOf(TKVXCommand::WritePage); }
};

TEST_F(TransferTest, ReadAndWriteNeedTheDongle)
{
    Dialogs.ExpectMessage(DongleNotConnectedText);
    Dialogs.ExpectMessage(DongleNotConnectedText);
    Window->pnlReadConfigClick();
    Window->pnlWriteConfigClick();
    EXPECT_TRUE(Link->Requests.empty());
}

TEST_F(TransferTest, ReadWithoutPasswordFillsEveryPageAndClearsChanged)
{
    ConnectDongle();
    Window->pnlReadConfigClick();
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_TRUE(Window->KVXHasBeenRead);
    EXPECT_FALSE(Window->ConfigChanged);  // the pages' handlers set it while being filled
    EXPECT_EQ(Window->pnlReadConfig->Caption(), ReadCaption);
    EXPECT_TRUE(Window->pnlWriteConfig->isEnabled());
    EXPECT_EQ(Window->ProgressBar->width(), 0);
}

TEST_F(TransferTest, ReadAsksForThePasswordOnceARun)
{
    ConnectDongle();
    SetUnitPassword("Secret");
    Dialogs.ExpectPassword("secret");
    Dialogs.ExpectMessage(IncorrectPasswordText);
    Window->pnlReadConfigClick();
    EXPECT_EQ(PagesRead(), 1u);  // the password page only
    EXPECT_FALSE(Window->KVXHasBeenRead);
    EXPECT_EQ(Dialogs.Messages.at(0).Type, TMsgDlgType::mtInformation);

    Dialogs.ExpectPassword("Secret");
    Window->pnlReadConfigClick();
    EXPECT_TRUE(Dialogs.PasswordShownWith.isEmpty());  // the wrong entry was not kept
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_EQ(Window->KVX->SessionPassword, u"Secret");
    EXPECT_TRUE(Window->PasswordPrompt()->edPassword->text().isEmpty());

    Window->pnlReadConfigClick();  // no prompt this time
    EXPECT_TRUE(Dialogs.Done());
}

TEST_F(TransferTest, CancelledPasswordPromptReadsNothingAndIsEmptiedForNextTime)
{
    ConnectDongle();
    SetUnitPassword("Secret");
    Dialogs.ExpectPassword("typed then cancelled", mrCancel);
    Window->pnlReadConfigClick();
    EXPECT_EQ(PagesRead(), 1u);
    EXPECT_TRUE(Window->PasswordPrompt()->edPassword->text().isEmpty());
}

TEST_F(TransferTest, SaveQuestionBeforeReadingEdits)
{
    ConnectDongle();
    BytePage(3)->Edit(7);

    Dialogs.ExpectMessage(SaveBeforeReadText, mrCancel);
    Window->pnlReadConfigClick();
    EXPECT_EQ(PagesRead(), 0u);
    EXPECT_EQ(Dialogs.Messages.at(0).Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}));

    Dialogs.ExpectMessage(SaveBeforeReadText, mrYes);
    Dialogs.ExpectSaveFile(QString());  // the save dialog opens; the user cancels it
    Window->pnlReadConfigClick();
    EXPECT_EQ(PagesRead(), 0u);
    EXPECT_TRUE(Window->ConfigChanged);

    Dialogs.ExpectMessage(SaveBeforeReadText, mrNo);
    Window->pnlReadConfigClick();
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_FALSE(Window->ConfigChanged);
}

TEST_F(TransferTest, StopReadingEndsTheReadQuietlyAndKeepsThePages)
{
    ConnectDongle();
    for (TBytePage* page : Pages) page->Value = 1;
    Pump.OnProcess = [&] {
        if (PagesRead() == 50 && Window->pnlReadConfig->Caption() == StopReadingCaption) {
            EXPECT_FALSE(Window->pnlWriteConfig->isEnabled());
            Window->pnlReadConfigClick();
        }
    };
    Window->pnlReadConfigClick();
    Pump.OnProcess = nullptr;
    EXPECT_LT(PagesRead(), 60u);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(BytePage(1)->Value, 1);
    EXPECT_FALSE(Window->KVXHasBeenRead);
    EXPECT_TRUE(Window->pnlWriteConfig->isEnabled());
    EXPECT_EQ(Window->pnlReadConfig->Caption(), ReadCaption);
}

TEST_F(TransferTest, ReadFailureNamesTheCodeAndLeavesAnErasedImage)
{
    ConnectDongle();
    Link->AnswerPagesUntil = 10;  // the unit stops answering page requests
    Dialogs.ExpectMessage(ReadFailureText(TKVXResult::PageReadFailed));
    Window->pnlReadConfigClick();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Text.toStdString(),
              "Could not read the configuration (7).\r\r- Check that the KVX USB Dongle is connected to the KVX.\r"
              "- Check the power supply to the KVX.");
    EXPECT_EQ(Dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Window->KVXConfig.Bytes()[TBytePage::OffsetOf(1)], 0xFF);
    EXPECT_FALSE(Window->KVXHasBeenRead);
}

TEST_F(TransferTest, WriteBeforeAnythingAsksToReadFirst)
{
    ConnectDongle();
    Dialogs.ExpectMessage(ReadFirstText);
    Window->pnlWriteConfigClick();
    EXPECT_TRUE(Link->Requests.empty());
}

TEST_F(TransferTest, AnEditAloneAllowsAWrite)
{
    ConnectDongle();
    BytePage(2)->Edit(0x22);
    Window->pnlWriteConfigClick();
    EXPECT_EQ(Link->Memory[TBytePage::OffsetOf(2)], 0x22);
    EXPECT_FALSE(Window->ConfigChanged);
    EXPECT_TRUE(Window->KVXHasBeenRead);
}

TEST_F(TransferTest, WriteStopsAtARefusingPageAndSendsNothing)
{
    ConnectDongle();
    Window->pnlReadConfigClick();
    const size_t requests = Link->Requests.size();
    BytePage(6)->RefuseChecks = true;
    Dialogs.ExpectMessage("Page 6 refuses.");
    Window->pnlWriteConfigClick();
    EXPECT_EQ(Link->Requests.size(), requests);
    EXPECT_EQ(Window->LastForm, 6);
}

TEST_F(TransferTest, HiddenByteTravelsFromReadToWrite)
{
    const std::vector<int> allPages{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    const struct {
        std::vector<int> Pages;
        uint8_t Unit;
        uint8_t Written;
    } cases[] = {{allPages, 20, 20}, {allPages, 255, 50}, {{1, 2, 4}, 20, 50}};  // no page to carry it: the default
    for (const auto& c : cases) {
        CreateWindow(c.Pages);
        ConnectDongle();
        Link->Memory[HiddenSettingOffset] = c.Unit;
        Window->pnlReadConfigClick();
        if (QLineEdit* hidden = Window->HiddenSettingEdit()) {
            EXPECT_EQ(hidden->text(), HiddenSettingText(c.Unit));
        }
        Link->Memory[HiddenSettingOffset] = 0;
        Window->pnlWriteConfigClick();
        EXPECT_EQ(Link->Memory[HiddenSettingOffset], c.Written) << int(c.Unit) << " with " << c.Pages.size() << " pages";
    }
    EXPECT_EQ(Window->HiddenSettingEdit(), nullptr);
}

TEST_F(TransferTest, WrittenImageIsBuiltFromThePagesAlone)
{
    ConnectDongle();
    Link->Memory[5000] = 0x12;  // no page stores byte 5000
    Window->pnlReadConfigClick();
    Window->pnlWriteConfigClick();
    EXPECT_EQ(Link->Memory[5000], 0xFF);
    EXPECT_EQ(Link->Memory[TBytePage::OffsetOf(9)], 0x40 + 9);
    EXPECT_EQ(Link->Memory[offsetof(TKVXConfig, EEPROMFlags)], 0xAA);
}

// A write that ends early says what the unit holds now: nothing new, or part old and part
// new with the backup named and its restore offered at once.
TEST_F(TransferTest, WriteThatEndsEarlySaysWhatTheUnitHoldsAndOffersTheRestore)
{
    enum class TEnd { Stop, PageFails, NoBeginTransfer, ReadBeforeFails };
    struct TCase {
        const char* Name;
        TEnd End;
        int Answer;  // to the restore question
    };
    const TCase cases[] = {
        {"stopped, not restored", TEnd::Stop, mrNo},
        {"stopped, restored at once", TEnd::Stop, mrYes},
        {"a page write fails", TEnd::PageFails, mrNo},
        {"the unit takes no transfer: nothing written", TEnd::NoBeginTransfer, 0},
        {"the read for the backup fails: nothing written", TEnd::ReadBeforeFails, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        BackupFolder = QDir(Backups.path()).filePath(c.Name);
        CreateWindow();
        for (TBytePage* page : Pages) Link->Memory[TBytePage::OffsetOf(page->No)] = static_cast<uint8_t>(0x40 + page->No);
        Link->Memory[5000] = 0x12;  // no page stores it: a restore brings it back
        ConnectDongle();
        if (c.End != TEnd::ReadBeforeFails) Window->pnlReadConfigClick();
        const std::vector<uint8_t> before(Link->Memory.begin(), Link->Memory.end());
        TKVXConfig held;
        std::copy_n(before.begin(), TKVXConfig::Size, held.Bytes());
        TUnitWriteResult partly;
        partly.Step = TWriteStep::Write;
        partly.PagesToSend = PageCount;
        partly.BackupFile = std::filesystem::path(BackupFolder.toStdU16String()) / ("20260323-140509_" + BackupUnitName(held) + ".kvx");
        switch (c.End) {
        case TEnd::Stop:
            Pump.OnProcess = [&, stopped = false]() mutable {
                if (!stopped && PagesWritten() == 20 && Window->pnlWriteConfig->Caption() == StopWritingCaption) {
                    stopped = true;
                    EXPECT_FALSE(Window->pnlReadConfig->isEnabled());
                    Window->pnlWriteConfigClick();
                }
            };
            partly.Code = TKVXResult::Stopped;
            partly.PagesSent = 20;
            break;
        case TEnd::PageFails:
            Link->AnswerPagesUntil = PagesRead() + 1 + 3;
            partly.Code = TKVXResult::PageWriteFailed;
            partly.PagesSent = 3;
            break;
        case TEnd::NoBeginTransfer:
            Link->Ignored = {TKVXCommand::BeginTransfer};
            Dialogs.ExpectMessage(WriteFailureText(TKVXResult::NoBeginTransfer));
            break;
        case TEnd::ReadBeforeFails:
            Link->AnswerPagesUntil = PagesRead() + 1 + 3;
            Dialogs.ExpectMessage(NothingWrittenText(TKVXResult::PageReadFailed));
            break;
        }
        if (partly.Code != TKVXResult::OK) Dialogs.ExpectMessage(PartlyWrittenQuestion(partly), c.Answer);
        // The edit below is in the pages only: the restore would show the backup over it.
        if (c.Answer == mrYes) Dialogs.ExpectMessage(UnsavedEditsQuestion(RestoringWords), mrNo);
        BytePage(1)->Edit(3);
        Window->pnlWriteConfigClick();
        Pump.OnProcess = nullptr;
        Link->AnswerPagesUntil.reset();
        EXPECT_TRUE(Dialogs.Done());
        EXPECT_EQ(Window->pnlWriteConfig->Caption(), WriteCaption);
        EXPECT_TRUE(Window->pnlReadConfig->isEnabled());
        const bool untouched = c.End == TEnd::NoBeginTransfer || c.End == TEnd::ReadBeforeFails;
        if (untouched) {
            EXPECT_EQ(Link->Memory, before);
        }
        if (c.Answer == mrYes) {
            EXPECT_FALSE(Window->ConfigChanged) << "the pages show the restored backup";
            EXPECT_EQ(Link->Memory[5000], 0x12);
            EXPECT_EQ(BytePage(1)->Value, 0x41);
            EXPECT_TRUE(std::equal(before.begin() + 1, before.begin() + 1792, Link->Memory.begin() + 1));
        } else {
            EXPECT_TRUE(Window->ConfigChanged);
        }
    }
}

TEST(HiddenSetting, ReplacesUnprogrammedMemoryAndAnythingUnreadable)
{
    EXPECT_EQ(HiddenSettingValue(HiddenSettingText(0)), 0);
    EXPECT_EQ(HiddenSettingValue(HiddenSettingText(254)), 254);
    EXPECT_EQ(HiddenSettingValue(HiddenSettingDefault), 50);
    EXPECT_EQ(HiddenSettingValue("x"), 50);
    EXPECT_EQ(HiddenSettingValue("300"), 50);
}

} // namespace
} // namespace kvx::ui::test
