// The program's backup before a write, verification after it, the changes and comparison
// lists, restoring a backup, and the command bar's clicks.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <cstdlib>
#include <fstream>

#include "tests/ui/window_fixture.h"
#include "transfer/backup_store.h"
#include "transfer/data_folder.h"
#include "ui/main/kvx_panel.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class WriteSafetyTest : public WindowTest {
protected:
    void SetUp() override
    {
        CreateWindow();
        ConnectDongle();
        for (TBytePage* page : Pages) Link->Unit.Memory[TBytePage::OffsetOf(page->No)] = static_cast<uint8_t>(0x40 + page->No);
    }
    size_t PagesRead() const { return Link->CountOf(TKVXCommand::ReadPage); }
    std::vector<uint8_t> UnitImage() const { return {Link->Unit.Memory.begin(), Link->Unit.Memory.begin() + TKVXConfig::Size}; }
    QStringList BackupFiles() const { return QDir(BackupFolder).entryList(QDir::Files); }
    static std::vector<uint8_t> FileBytes(const std::filesystem::path& Path)
    {
        std::ifstream in(Path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void SaveTemplateAs(const QString& Path)
    {
        Dialogs.ExpectSaveFile(Path);
        Window->SaveTemplateClicked();
    }
    void WriteEdit(int No, uint8_t Value)
    {
        BytePage(No)->Edit(Value);
        Window->WriteClicked();
    }
};

void Mouse(QWidget* Target, QEvent::Type Type)
{
    const QPointF at(Target->width() / 2.0, Target->height() / 2.0);
    QMouseEvent event(Type, at, Target->mapToGlobal(at), Qt::LeftButton,
                      Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &event);
}

// The rest of a double click, after its first press and release.
void SecondClickOfADoubleClick(QWidget* Target)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        Mouse(Target, type);
}

TEST_F(WriteSafetyTest, BackupFolderThatCannotBeWrittenStopsTheWriteBeforeAnythingIsSent)
{
    std::ofstream(QDir(Backups.path()).filePath("file").toStdString()) << "in the way";
    BackupFolder = QDir(Backups.path()).filePath("file/backups");
    CreateWindow();
    ConnectDongle();
    std::string reason;
    ASSERT_FALSE(PrepareBackupFolder(BackupFolder.toStdString(), reason));
    Dialogs.ExpectMessage(BackupFailedText(QDir::toNativeSeparators(BackupFolder), reason));
    WriteEdit(1, 7);
    EXPECT_TRUE(Link->Requests.empty());
    EXPECT_TRUE(Window->Document().Changed());
}

TEST_F(WriteSafetyTest, WriteBacksUpWhatTheUnitHeldAndSaysWhetherItWasVerified)
{
    for (bool verify : {true, false}) {
        SCOPED_TRACE(verify);
        Window->VerifyWrites = verify;
        std::vector<uint8_t> held = UnitImage();
        std::fill_n(held.begin() + 1792, 32, uint8_t{0xFF});
        const QStringList before = BackupFiles();
        const size_t reads = PagesRead();
        WriteEdit(1, verify ? 1 : 2);
        const auto backup = ListBackups(BackupFolder.toStdU16String()).front().Path;
        EXPECT_TRUE(Window->StatusLine->Caption().startsWith(WrittenText(verify) + "\n")) << Window->StatusLine->Caption().toStdString();
        EXPECT_EQ(Window->StatusLine->toolTip(), QDir::toNativeSeparators(QString::fromStdU16String(backup.u16string())));
        EXPECT_EQ(PagesRead() - reads, 1u + (verify ? 512u : 0u) + (before.isEmpty() ? 512u : 0u));
        const QStringList after = BackupFiles();
        ASSERT_EQ(after.size(), before.size() + 1);
        EXPECT_EQ(FileBytes(backup), held);
        EXPECT_FALSE(Window->Document().Changed());
    }
}

TEST_F(WriteSafetyTest, UnitThatDoesNotHoldWhatWasWrittenFailsTheWriteWithEveryChangedField)
{
    Link->AfterRequest = [this](TKVXCommand Command) {
        if (Command != TKVXCommand::WritePage) return;
        Link->Unit.Memory[TBytePage::OffsetOf(1)] = 'X';
        Link->Unit.Memory[5000] = 0;
    };
    Dialogs.ExpectDifferences();
    WriteEdit(1, 'A');
    ASSERT_EQ(Dialogs.Lists.size(), 1u);
    const TDifferenceList& list = Dialogs.Lists[0];
    EXPECT_TRUE(list.Heading.contains("2 fields differ, the first is SIM1BalanceRequest")) << list.Heading.toStdString();
    ASSERT_EQ(list.Rows.size(), 2u);
    // By page: the Contact ID labels' page first, then the field no page shows.
    EXPECT_EQ(list.Rows[0].Caption, "CIDZoneLabels[23]");
    EXPECT_EQ(list.Rows[0].PageNo, 7);
    EXPECT_EQ(list.Rows[1].Caption, "SIM1BalanceRequest");
    EXPECT_TRUE(Window->Document().Changed()) << "the unit does not hold the pages";
    EXPECT_TRUE(Window->StatusLine->Caption().startsWith("Backup: ")) << "every write names its backup";
}

TEST_F(WriteSafetyTest, TemplateLoadedWhileTheWriteReadsTheUnitDoesNotReachIt)
{
    const QString loaded = QDir(Backups.path()).filePath("loaded.kvx");
    for (TBytePage* page : Pages) page->Value = 0x60;
    SaveTemplateAs(loaded);
    for (TBytePage* page : Pages) page->Edit(0x30);
    Dialogs.ExpectOpenFile(loaded);
    Pump.OnProcess = [&] {
        if (PagesRead() == 100 && !Window->Document().TemplateLoaded()) Window->LoadTemplateClicked();
    };
    Window->WriteClicked();
    Pump.OnProcess = nullptr;
    EXPECT_EQ(Link->Unit.Memory[TBytePage::OffsetOf(5)], 0x30);
    EXPECT_EQ(BytePage(5)->Value, 0x60);
    EXPECT_TRUE(Window->Document().Changed()) << "the loaded template is not in the unit";
}

TEST_F(WriteSafetyTest, DoubleClickOnABottomButtonIsOneClick)
{
    Pump.OnProcess = [&] {
        if (PagesRead() == 50) SecondClickOfADoubleClick(Window->ReadButton);
    };
    Mouse(Window->ReadButton, QEvent::MouseButtonPress);
    Mouse(Window->ReadButton, QEvent::MouseButtonRelease);
    Pump.OnProcess = nullptr;
    EXPECT_EQ(PagesRead(), 1u + 512u);
    EXPECT_TRUE(Window->Document().HasBeenRead());

    Dialogs.ExpectOpenFile(QString());  // once
    Mouse(Window->LoadTemplateButton, QEvent::MouseButtonPress);
    Mouse(Window->LoadTemplateButton, QEvent::MouseButtonRelease);
    SecondClickOfADoubleClick(Window->LoadTemplateButton);
}

TEST_F(WriteSafetyTest, ShowChangesListsWhatAWriteWouldChangeOnceTheUnitIsKnown)
{
    Dialogs.ExpectMessage(ReadBeforeChangesText);
    Window->ShowChanges();

    WriteEdit(2, 0x22);  // now the unit holds exactly what the pages send
    Dialogs.ExpectMessage(NoChangesText);
    Window->ShowChanges();

    BytePage(3)->Edit(0x33);
    Dialogs.ExpectDifferences(ChangesHeading);
    Window->ShowChanges();
    ASSERT_EQ(Dialogs.Lists.size(), 1u);
    ASSERT_EQ(Dialogs.Lists[0].Rows.size(), 1u);
    EXPECT_EQ(Dialogs.Lists[0].Rows[0].Caption, "SIM1BalanceRequest");
    EXPECT_EQ(Dialogs.Lists[0].FirstCaption, UnitHoldsColumn);
}

TEST_F(WriteSafetyTest, WriteChangesOnlySendsThePagesThatDifferOnceTheUnitIsKnown)
{
    QAction* action = nullptr;
    for (QAction* a : Window->findChild<QMenu*>("mnuMoreCommands")->actions())
        if (a->text() == WriteChangesCaption) action = a;
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence("Ctrl+Shift+W"));
    EXPECT_FALSE(action->isEnabled()) << "nothing to compare with before a read";
    Window->ReadClicked();
    EXPECT_TRUE(action->isEnabled());

    WriteEdit(2, 0x22);  // a full write: marks and password as every write sends them
    BytePage(3)->Edit(0x33);
    const size_t writes = Link->CountOf(TKVXCommand::WritePage);
    const size_t reads = PagesRead();
    action->trigger();
    EXPECT_EQ(Link->CountOf(TKVXCommand::WritePage) - writes, 1u) << "the one page that differs";
    EXPECT_EQ(PagesRead() - reads, 1u + 1u) << "the password page, then the page written";
    EXPECT_EQ(Link->Unit.Memory[TBytePage::OffsetOf(3)], 0x33);
    EXPECT_TRUE(Window->StatusLine->Caption().startsWith(WrittenText(true)));
    EXPECT_FALSE(Window->Document().Changed());
}

TEST_F(WriteSafetyTest, CompareWithTemplateListsTheFieldsThePagesChanged)
{
    const QString saved = QDir(Backups.path()).filePath("saved.kvx");
    SaveTemplateAs(saved);
    Dialogs.ExpectOpenFile(saved);
    Dialogs.ExpectMessage(SameAsTemplateText);
    Window->CompareWithTemplate();

    BytePage(4)->Edit(0x44);
    Dialogs.ExpectOpenFile(saved);
    Dialogs.ExpectDifferences(ComparedWithTemplateHeading(QDir::toNativeSeparators(saved)));
    Window->CompareWithTemplate();
    ASSERT_EQ(Dialogs.Lists.size(), 1u);
    EXPECT_EQ(Dialogs.Lists[0].Rows.size(), 1u);
}

TEST_F(WriteSafetyTest, APageThatRefusesToStoreStopsTheChangesAndTheComparison)
{
    const QString saved = QDir(Backups.path()).filePath("saved.kvx");
    SaveTemplateAs(saved);
    WriteEdit(2, 0x22);
    BytePage(5)->RefuseEveryStore = true;
    Dialogs.ExpectMessage("Page 5 refuses.");
    Window->ShowChanges();
    Dialogs.ExpectOpenFile(saved);
    Dialogs.ExpectMessage("Page 5 refuses.");
    Window->CompareWithTemplate();
    EXPECT_TRUE(Dialogs.Lists.empty()) << "no list made from a half-stored image";
}

// A restore sends the backup's own bytes, the fields no page stores included, after showing
// what it changes and backing up what the unit holds now.
TEST_F(WriteSafetyTest, RestoreWritesTheBackupsOwnBytesAfterShowingWhatChanges)
{
    Dialogs.ExpectMessage(NoBackupsText(QDir::toNativeSeparators(BackupFolder)));
    Window->RestoreBackup();

    const std::vector<size_t> unstored = {5000, HiddenSettingOffset, 31000};  // no page stores these
    for (size_t at : unstored) Link->Unit.Memory[at] = 0x12;
    const std::vector<uint8_t> original = UnitImage();
    WriteEdit(1, 0x11);  // the pages send 0xFF where no page stores anything
    ASSERT_EQ(Link->Unit.Memory[5000], 0xFF);

    Dialogs.ExpectBackupChoice(-1);
    Window->RestoreBackup();
    ASSERT_EQ(Dialogs.Backups.size(), 1u);
    EXPECT_EQ(Dialogs.Backups[0].Size, "31872 bytes");
    EXPECT_EQ(Dialogs.Backups[0].Made, "2026-03-23 14:05:09");

    for (int answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer);
        const size_t writes = Link->CountOf(TKVXCommand::WritePage);
        Dialogs.ExpectBackupChoice(static_cast<int>(Dialogs.Backups.size()) - 1);  // the oldest: the unit as it was
        Dialogs.ExpectDifferences();
        Dialogs.ExpectMessage(RestoreQuestion(QDir::toNativeSeparators(
                                  QString::fromStdU16String(ListBackups(BackupFolder.toStdU16String()).back().Path.u16string()))),
                              answer);
        Window->RestoreBackup();
        EXPECT_EQ(Dialogs.Lists.back().SecondCaption, BackupColumn);
        EXPECT_EQ(Link->CountOf(TKVXCommand::WritePage) - writes, answer == mrYes ? 512u : 0u);
    }
    const std::vector<uint8_t> restored = UnitImage();
    for (size_t at = 1; at < TKVXConfig::Size; ++at) {
        if (at >= 1792 && at < 1824) continue;  // the password follows the rule of every write
        if (restored[at] != original[at] && at != 2046 && at != 2047) ADD_FAILURE() << "byte " << at << " not restored";
    }
    EXPECT_EQ(BytePage(1)->Value, 0x41) << "the pages show what was restored";
    EXPECT_FALSE(Window->Document().Changed());
    EXPECT_EQ(BackupFiles().size(), 2) << "what the unit held before the restore is backed up too";
}

TEST(OpenDialog, AddsTheExtensionToABareNameOfNoFile)
{
    QTemporaryDir folder;
    std::ofstream(QDir(folder.path()).filePath("plain").toStdString()) << "a file without an extension";
    const struct {
        const char* Chosen;
        const char* Opened;
    } cases[] = {{"unit", "unit.kvx"}, {"plain", "plain"}, {"unit.kvx", "unit.kvx"}, {"notes.txt", "notes.txt"}};
    for (const auto& c : cases)
        EXPECT_EQ(WithDefaultExtension(QDir(folder.path()).filePath(c.Chosen), "kvx"), QDir(folder.path()).filePath(c.Opened));
}

TEST(DataFolder, KvxctlFindsTheFolderQtGivesTheProgram)
{
    QTemporaryDir data;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(ProgramName);
    const QString qt = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const auto ours = ProgramDataFolder([](const char* variable) { return std::getenv(variable); });
    QCoreApplication::setApplicationName(name);
    saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(QDir::cleanPath(qt), QDir::cleanPath(QString::fromStdU16String(ours.u16string())));
}

} // namespace
} // namespace kvx::ui::test
