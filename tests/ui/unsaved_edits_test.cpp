// Edits not yet in a template or the unit: asked about before closing, loading a template and
// restoring a backup; the title names what the pages show and marks unsaved edits; the status
// line says what the last read, save or load did.
#include <QDir>
#include <QFile>
#include <QWindow>
#include <cstring>

#include "tests/ui/window_fixture.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class UnsavedEditsTest : public WindowTest {
protected:
    void SetUp() override
    {
        CreateWindow();
        ConnectDongle();
        const char name[] = "Farm gate";
        std::memset(Link->Unit.Memory.data() + offsetof(TKVXConfig, UnitID), ' ', 16);
        std::memcpy(Link->Unit.Memory.data() + offsetof(TKVXConfig, UnitID), name, std::strlen(name));
    }
    QString Title() const { return Window->windowHandle()->title(); }
    QString PathOf(const QString& Name) const { return QDir(Backups.path()).filePath(Name); }
};

TEST_F(UnsavedEditsTest, TheTitleAndTheStatusLineSayWhatThePagesShow)
{
    EXPECT_EQ(Title(), "KVX");
    Window->ReadClicked();
    EXPECT_EQ(Title(), "Farm gate - KVX");
    EXPECT_EQ(Window->StatusLine->Caption(), "Read from \"Farm gate\".");
    EXPECT_FALSE(Window->Document().UnsavedEdits()) << "showing what was read is no edit";

    BytePage(4)->Edit(9);
    EXPECT_TRUE(Window->Document().UnsavedEdits());
    EXPECT_EQ(Title(), "Farm gate* - KVX");
    EXPECT_EQ(Window->StatusLine->Caption(), "Read from \"Farm gate\".") << "kept until the next action";

    const QString file = PathOf("farm12.kvx");
    Dialogs.ExpectSaveFile(file);
    Window->SaveTemplateClicked();
    EXPECT_EQ(Title(), "farm12.kvx - KVX");
    EXPECT_EQ(Window->StatusLine->Caption(), "Saved farm12.kvx.");
    EXPECT_EQ(Window->StatusLine->toolTip(), QDir::toNativeSeparators(file));
    EXPECT_FALSE(Window->Document().UnsavedEdits());
    EXPECT_TRUE(Window->Document().Changed()) << "still not in the unit";

    Dialogs.ExpectOpenFile(file);
    Window->LoadTemplateClicked();
    EXPECT_EQ(Window->StatusLine->Caption(), "Loaded farm12.kvx.");
    EXPECT_FALSE(Window->Document().UnsavedEdits());

    BytePage(4)->Edit(10);
    Window->WriteClicked();
    EXPECT_FALSE(Window->Document().UnsavedEdits()) << "the unit holds the edits now";
    EXPECT_EQ(Title(), "KVX") << "the unit by the name written, and no stand-in page stores one";
    EXPECT_TRUE(Window->StatusLine->Caption().startsWith(WrittenText(true)));
}

// Each answer to the question: save as a template (and go on, unless the save is cancelled),
// discard (go on), cancel (stay).
TEST_F(UnsavedEditsTest, EachAnswerBeforeClosingLoadingOrRestoringDoesWhatItSays)
{
    enum class TAction { Close, Load, Restore };
    enum class TAnswer { Save, SaveCancelled, Discard, Cancel };
    for (const TAction action : {TAction::Close, TAction::Load, TAction::Restore}) {
        for (const TAnswer answer : {TAnswer::Save, TAnswer::SaveCancelled, TAnswer::Discard, TAnswer::Cancel}) {
            const int round = static_cast<int>(action) * 10 + static_cast<int>(answer);
            SCOPED_TRACE(round);
            BackupFolder = PathOf(QString::number(round));  // this round's backup alone
            SetUp();
            const QString other = PathOf("other.kvx");
            QFile(other).remove();
            if (action == TAction::Load) {
                Dialogs.ExpectSaveFile(other);
                Window->SaveTemplateClicked();
            }
            if (action == TAction::Restore) {
                BytePage(1)->Edit(1);
                Window->WriteClicked();  // a backup to restore
            }
            BytePage(2)->Edit(7);
            const QString words = action == TAction::Close ? ClosingWords : action == TAction::Load ? LoadingWords : RestoringWords;
            if (action == TAction::Restore) Dialogs.ExpectBackupChoice(0);
            Dialogs.ExpectMessage(UnsavedEditsQuestion(words), answer == TAnswer::Discard ? mrNo : answer == TAnswer::Cancel ? mrCancel : mrYes);
            const QString saved = PathOf("saved.kvx");
            QFile(saved).remove();
            if (answer == TAnswer::Save) Dialogs.ExpectSaveFile(saved);
            if (answer == TAnswer::SaveCancelled) Dialogs.ExpectSaveFile(QString());
            const bool goesOn = answer == TAnswer::Save || answer == TAnswer::Discard;
            if (goesOn && action == TAction::Load) Dialogs.ExpectOpenFile(other);
            if (goesOn && action == TAction::Restore) {
                const QDir backups(BackupFolder);
                Dialogs.ExpectDifferences();
                Dialogs.ExpectMessage(RestoreQuestion(QDir::toNativeSeparators(backups.filePath(backups.entryList(QDir::Files).first()))), mrNo);
            }
            switch (action) {
            case TAction::Close: Window->CloseClicked(); break;
            case TAction::Load: Window->LoadTemplateClicked(); break;
            case TAction::Restore: Window->RestoreBackup(); break;
            }
            EXPECT_EQ(QFile::exists(saved), answer == TAnswer::Save);
            if (action == TAction::Close) {
                EXPECT_EQ(Window->isVisible(), !goesOn);
            }
            if (action == TAction::Load) {
                EXPECT_EQ(BytePage(2)->Value, goesOn ? 0 : 7) << "the template holds the page before the edit";
            }
            EXPECT_TRUE(Dialogs.Done());
        }
    }
}

TEST_F(UnsavedEditsTest, ACloseHeldUpByATransferAsksOnceItEnds)
{
    BytePage(3)->Edit(5);
    Dialogs.ExpectMessage(SaveBeforeReadText, mrNo);
    Pump.OnProcess = [&, closed = false]() mutable {
        if (!closed && Link->CountOf(TKVXCommand::ReadPage) == 50) {
            closed = true;
            Window->CloseClicked();
        }
    };
    Window->ReadClicked();  // stopped by the close: the edits stay on the pages
    Pump.OnProcess = nullptr;
    EXPECT_TRUE(Window->CloseWhenIdle());
    EXPECT_TRUE(Window->Document().UnsavedEdits());

    Dialogs.ExpectMessage(UnsavedEditsQuestion(ClosingWords), mrCancel);
    Window->FinishDeferredClose();
    Window->FinishDeferredClose();  // asked once: the user kept the window
    EXPECT_TRUE(Window->isVisible());
    EXPECT_FALSE(Window->CloseWhenIdle());
}

} // namespace
} // namespace kvx::ui::test
