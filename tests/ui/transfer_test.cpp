#include <QDir>
#include <QLineEdit>

#include "tests/ui/window_fixture.h"
#include "transfer/backup_store.h"
#include "transfer/unit_write.h"
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
        for (TBytePage* page : Pages) Link->Unit.Memory[TBytePage::OffsetOf(page->No)] = static_cast<uint8_t>(0x40 + page->No);
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
    Window->ReadClicked();
    Window->WriteClicked();
    EXPECT_TRUE(Link->Requests.empty());
}

TEST_F(TransferTest, ReadWithoutPasswordFillsEveryPageAndClearsChanged)
{
    ConnectDongle();
    Window->ReadClicked();
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_TRUE(Window->Document().HasBeenRead());
    EXPECT_FALSE(Window->Document().Changed());  // the pages' handlers set it while being filled
    EXPECT_EQ(Window->ReadButton->Caption(), ReadCaption);
    EXPECT_TRUE(Window->WriteButton->isEnabled());
    EXPECT_EQ(Window->ProgressLine->width(), 0);
}

TEST_F(TransferTest, ReadAsksForThePasswordOnceARun)
{
    ConnectDongle();
    SetUnitPassword("Secret");
    Dialogs.ExpectPassword("secret");
    Dialogs.ExpectMessage(IncorrectPasswordText);
    Window->ReadClicked();
    EXPECT_EQ(PagesRead(), 1u);  // the password page only
    EXPECT_FALSE(Window->Document().HasBeenRead());
    EXPECT_EQ(Dialogs.Messages.at(0).Type, TMsgDlgType::mtInformation);

    Dialogs.ExpectPassword("Secret");
    Window->ReadClicked();
    EXPECT_TRUE(Dialogs.PasswordShownWith.isEmpty());  // the wrong entry was not kept
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_EQ(Window->KVX->SessionPassword, u"Secret");
    EXPECT_TRUE(Window->PasswordPrompt()->edPassword->text().isEmpty());

    Window->ReadClicked();  // no prompt this time
    EXPECT_TRUE(Dialogs.Done());
}

TEST_F(TransferTest, CancelledPasswordPromptReadsNothingAndIsEmptiedForNextTime)
{
    ConnectDongle();
    SetUnitPassword("Secret");
    Dialogs.ExpectPassword("typed then cancelled", mrCancel);
    Window->ReadClicked();
    EXPECT_EQ(PagesRead(), 1u);
    EXPECT_TRUE(Window->PasswordPrompt()->edPassword->text().isEmpty());
}

TEST_F(TransferTest, SaveQuestionBeforeReadingEdits)
{
    ConnectDongle();
    BytePage(3)->Edit(7);

    Dialogs.ExpectMessage(SaveBeforeReadText, mrCancel);
    Window->ReadClicked();
    EXPECT_EQ(PagesRead(), 0u);
    EXPECT_EQ(Dialogs.Messages.at(0).Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}));

    Dialogs.ExpectMessage(SaveBeforeReadText, mrYes);
    Dialogs.ExpectSaveFile(QString());  // the save dialog opens; the user cancels it
    Window->ReadClicked();
    EXPECT_EQ(PagesRead(), 0u);
    EXPECT_TRUE(Window->Document().Changed());

    Dialogs.ExpectMessage(SaveBeforeReadText, mrNo);
    Window->ReadClicked();
    EXPECT_TRUE(PagesShowUnit());
    EXPECT_FALSE(Window->Document().Changed());
}

TEST_F(TransferTest, StopReadingEndsTheReadQuietlyAndKeepsThePages)
{
    ConnectDongle();
    for (TBytePage* page : Pages) page->Value = 1;
    Pump.OnProcess = [&] {
        if (PagesRead() == 50 && Window->ReadButton->Caption() == StopReadingCaption) {
            EXPECT_FALSE(Window->WriteButton->isEnabled());
            Window->ReadClicked();
        }
    };
    Window->ReadClicked();
    Pump.OnProcess = nullptr;
    EXPECT_LT(PagesRead(), 60u);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(BytePage(1)->Value, 1);
    EXPECT_FALSE(Window->Document().HasBeenRead());
    EXPECT_TRUE(Window->WriteButton->isEnabled());
    EXPECT_EQ(Window->ReadButton->Caption(), ReadCaption);
}

TEST_F(TransferTest, ReadFailureNamesTheCodeAndLeavesAnErasedImage)
{
    ConnectDongle();
    Link->SetUnitFaults("stop-after-page=10");  // the unit stops answering page requests
    Dialogs.ExpectMessage(ReadFailureText(TKVXResult::PageReadFailed));
    Window->ReadClicked();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].Text.toStdString(),
              "Could not read the configuration (7).\r\r- Check that the KVX USB Dongle is connected to the KVX.\r"
              "- Check the power supply to the KVX.");
    EXPECT_EQ(Dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Window->Document().Image().Bytes()[TBytePage::OffsetOf(1)], 0xFF);
    EXPECT_FALSE(Window->Document().HasBeenRead());
}

TEST_F(TransferTest, WriteBeforeAnythingAsksToReadFirst)
{
    ConnectDongle();
    Dialogs.ExpectMessage(ReadFirstText);
    Window->WriteClicked();
    EXPECT_TRUE(Link->Requests.empty());
}

TEST_F(TransferTest, AnEditAloneAllowsAWrite)
{
    ConnectDongle();
    BytePage(2)->Edit(0x22);
    Window->WriteClicked();
    EXPECT_EQ(Link->Unit.Memory[TBytePage::OffsetOf(2)], 0x22);
    EXPECT_FALSE(Window->Document().Changed());
    EXPECT_TRUE(Window->Document().HasBeenRead());
}

TEST_F(TransferTest, WriteStopsAtARefusingPageAndSendsNothing)
{
    ConnectDongle();
    Window->ReadClicked();
    const size_t requests = Link->Requests.size();
    BytePage(6)->RefuseChecks = true;
    Dialogs.ExpectMessage("Page 6 refuses.");
    Window->WriteClicked();
    EXPECT_EQ(Link->Requests.size(), requests);
    EXPECT_EQ(Window->LastPageNo(), 6);
}

TEST_F(TransferTest, HiddenByteTravelsFromReadToWrite)
{
    const std::vector<int> allPages{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    const struct {
        std::vector<int> Pages;
        uint8_t Unit;
        uint8_t Written;
    } cases[] = {{allPages, 20, 20}, {allPages, 255, 50}, {{1, 2, 4}, 20, 20}};  // the document carries it, not a page
    for (const auto& c : cases) {
        CreateWindow(c.Pages);
        ConnectDongle();
        Link->Unit.Memory[HiddenSettingOffset] = c.Unit;
        Window->ReadClicked();
        Link->Unit.Memory[HiddenSettingOffset] = 0;
        Window->WriteClicked();
        EXPECT_EQ(Link->Unit.Memory[HiddenSettingOffset], c.Written) << int(c.Unit) << " with " << c.Pages.size() << " pages";
    }
}

TEST_F(TransferTest, WrittenImageIsBuiltFromThePagesAlone)
{
    ConnectDongle();
    Link->Unit.Memory[5000] = 0x12;  // no page stores byte 5000
    Window->ReadClicked();
    Window->WriteClicked();
    EXPECT_EQ(Link->Unit.Memory[5000], 0xFF);
    EXPECT_EQ(Link->Unit.Memory[TBytePage::OffsetOf(9)], 0x40 + 9);
    EXPECT_EQ(Link->Unit.Memory[offsetof(TKVXConfig, EEPROMFlags)], 0xAA);
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
        for (TBytePage* page : Pages) Link->Unit.Memory[TBytePage::OffsetOf(page->No)] = static_cast<uint8_t>(0x40 + page->No);
        Link->Unit.Memory[5000] = 0x12;  // no page stores it: a restore brings it back
        ConnectDongle();
        if (c.End != TEnd::ReadBeforeFails) Window->ReadClicked();
        const std::vector<uint8_t> before(Link->Unit.Memory.begin(), Link->Unit.Memory.end());
        TKVXConfig held;
        std::copy_n(before.begin(), TKVXConfig::Size, held.Bytes());
        TUnitWriteResult partly;
        partly.Step = TWriteStep::Write;
        partly.PagesToSend = PageCount;
        partly.BackupFile = std::filesystem::path(BackupFolder.toStdU16String()) / ("20260323-140509_" + BackupUnitName(held) + ".kvx");
        switch (c.End) {
        case TEnd::Stop:
            Pump.OnProcess = [&, stopped = false]() mutable {
                if (!stopped && PagesWritten() == 20 && Window->WriteButton->Caption() == StopWritingCaption) {
                    stopped = true;
                    EXPECT_FALSE(Window->ReadButton->isEnabled());
                    Window->WriteClicked();
                }
            };
            partly.Code = TKVXResult::Stopped;
            partly.PagesSent = 20;
            break;
        case TEnd::PageFails:
            Link->SetUnitFaults("stop-after-page=4");  // the password page, then three pages written
            partly.Code = TKVXResult::PageWriteFailed;
            partly.PagesSent = 3;
            break;
        case TEnd::NoBeginTransfer:
            Link->SetUnitFaults("drop-reply@begin");
            Dialogs.ExpectMessage(WriteFailureText(TKVXResult::NoBeginTransfer));
            break;
        case TEnd::ReadBeforeFails:
            Link->SetUnitFaults("stop-after-page=4");
            Dialogs.ExpectMessage(NothingWrittenText(TKVXResult::PageReadFailed));
            break;
        }
        if (partly.Code != TKVXResult::OK) Dialogs.ExpectMessage(PartlyWrittenQuestion(partly), c.Answer);
        // The edit below is in the pages only: the restore would show the backup over it.
        if (c.Answer == mrYes) Dialogs.ExpectMessage(UnsavedEditsQuestion(RestoringWords), mrNo);
        BytePage(1)->Edit(3);
        Window->WriteClicked();
        Pump.OnProcess = nullptr;
        Link->SetUnitFaults("none");
        EXPECT_TRUE(Dialogs.Done());
        EXPECT_EQ(Window->WriteButton->Caption(), WriteCaption);
        EXPECT_TRUE(Window->ReadButton->isEnabled());
        const bool untouched = c.End == TEnd::NoBeginTransfer || c.End == TEnd::ReadBeforeFails;
        if (untouched) {
            EXPECT_EQ(Link->Unit.Memory, before);
        }
        if (c.Answer == mrYes) {
            EXPECT_FALSE(Window->Document().Changed()) << "the pages show the restored backup";
            EXPECT_EQ(Link->Unit.Memory[5000], 0x12);
            EXPECT_EQ(BytePage(1)->Value, 0x41);
            EXPECT_TRUE(std::equal(before.begin() + 1, before.begin() + 1792, Link->Unit.Memory.begin() + 1));
        } else {
            EXPECT_TRUE(Window->Document().Changed());
        }
    }
}

} // namespace
} // namespace kvx::ui::test
