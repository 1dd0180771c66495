#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstring>
#include <system_error>

#include "tests/ui/window_fixture.h"
#include "config/template_file.h"
#include "ui/main/transfer_texts.h"

namespace kvx::ui::test {
namespace {

class TemplateTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        CreateWindow();
    }
    QString PathOf(const QString& Name) const { return Folder.filePath(Name); }
    QByteArray Contents(const QString& Path) const
    {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteFile(const QString& Path, const QByteArray& Bytes) const
    {
        QFile file(Path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Bytes);
    }
    void SaveAs(const QString& Path)
    {
        Dialogs.ExpectSaveFile(Path);
        Window->SaveTemplateClicked();
    }
    void Load(const QString& Path)
    {
        Dialogs.ExpectOpenFile(Path);
        Window->LoadTemplateClicked();
    }

    QTemporaryDir Folder;
};

TEST_F(TemplateTest, SavedTemplateHoldsThePagesAndErasedBytesElsewhere)
{
    for (TBytePage* page : Pages) page->Value = static_cast<uint8_t>(page->No);
    TKVXConfig read = ErasedConfig();
    read.Bytes()[HiddenSettingOffset] = 20;
    Window->Document().UnitHolds(read);  // byte 8213 as a read left it
    SaveAs(PathOf("unit.kvx"));
    const QByteArray saved = Contents(PathOf("unit.kvx"));
    ASSERT_EQ(saved.size(), static_cast<qsizetype>(TKVXConfig::Size));
    for (qsizetype i = 0; i < saved.size(); ++i) {
        const auto at = static_cast<size_t>(i);
        const bool stored = at >= TBytePage::OffsetOf(1) && at <= TBytePage::OffsetOf(13);
        if (!stored) {
            ASSERT_EQ(static_cast<uint8_t>(saved[i]), 0xFF) << "byte " << i;
        }
    }
    EXPECT_EQ(static_cast<uint8_t>(saved[static_cast<qsizetype>(TBytePage::OffsetOf(7))]), 7);
    EXPECT_FALSE(QFile::exists(PathOf("unit.kvx.partial")));
}

TEST_F(TemplateTest, RoundTripReproducesThePagesAndMarksLoaded)
{
    for (TBytePage* page : Pages) page->Value = static_cast<uint8_t>(100 + page->No);
    SaveAs(PathOf("round.kvx"));
    for (TBytePage* page : Pages) page->Value = 0;
    Window->Document().ForgetChanges();

    Load(PathOf("round.kvx"));
    for (TBytePage* page : Pages) EXPECT_EQ(page->Value, 100 + page->No);
    EXPECT_TRUE(Window->Document().TemplateLoaded());
    EXPECT_TRUE(Window->Document().Changed());  // loading leaves the pages' change reports standing
}

TEST_F(TemplateTest, SavingChangesNoFlagAndNeedsNoDongle)
{
    SaveAs(PathOf("a.kvx"));
    EXPECT_FALSE(Window->Document().Changed() || Window->Document().TemplateLoaded() || Window->Document().HasBeenRead());
    EXPECT_TRUE(Link->Requests.empty());
}

TEST_F(TemplateTest, CancelledDialogsDoNothing)
{
    Dialogs.ExpectSaveFile(QString());
    Window->SaveTemplateClicked();
    Dialogs.ExpectOpenFile(QString());
    Window->LoadTemplateClicked();
    EXPECT_FALSE(Window->Document().TemplateLoaded());
    EXPECT_TRUE(QDir(Folder.path()).isEmpty());
}

TEST_F(TemplateTest, FileOfAnotherSizeIsRefusedAndChangesNothing)
{
    for (qsizetype size : {qsizetype{100}, qsizetype{TKVXConfig::Size + 1}, qsizetype{0}}) {
        const QString path = PathOf(QString("wrong%1.kvx").arg(size));
        WriteFile(path, QByteArray(size, '\x11'));
        const TKVXConfig before = Window->Document().Image();
        Dialogs.ExpectOpenFile(path);
        Dialogs.ExpectMessage(TemplateLoadFailedMessage(
            QDir::toNativeSeparators(path),
            QString("It is not a KVX configuration file (%1 bytes; a configuration file holds 31872)").arg(size)));
        Window->LoadTemplateClicked();
        EXPECT_EQ(std::memcmp(before.Bytes(), Window->Document().Image().Bytes(), TKVXConfig::Size), 0);
        EXPECT_FALSE(Window->Document().TemplateLoaded());
    }
}

TEST_F(TemplateTest, MissingFileIsReportedWithItsNameAndReason)
{
    const QString path = PathOf("absent.kvx");
    const QString reason = QString::fromStdString(std::make_error_code(std::errc::no_such_file_or_directory).message());
    Dialogs.ExpectOpenFile(path);
    Dialogs.ExpectMessage(TemplateLoadFailedMessage(QDir::toNativeSeparators(path), reason));
    Window->LoadTemplateClicked();
    EXPECT_FALSE(Window->Document().TemplateLoaded());
}

TEST_F(TemplateTest, FailedSaveKeepsTheExistingFile)
{
    const QString target = PathOf("keep.kvx");
    WriteFile(target, QByteArray(TKVXConfig::Size, '\x22'));
    // A folder where the temporary file would go makes the save fail before the rename.
    QDir(Folder.path()).mkdir("keep.kvx.partial");
    Dialogs.ExpectSaveFile(target);
#ifdef _WIN32
    const std::errc folderInTheWay = std::errc::permission_denied;  // Windows refuses a folder as access denied
#else
    const std::errc folderInTheWay = std::errc::is_a_directory;
#endif
    const QString reason = QString::fromStdString(std::make_error_code(folderInTheWay).message());
    Dialogs.ExpectMessage(TemplateSaveFailedMessage(QDir::toNativeSeparators(target), reason));
    Window->SaveTemplateClicked();
    EXPECT_EQ(Contents(target), QByteArray(TKVXConfig::Size, '\x22'));
}

TEST_F(TemplateTest, SaveStopsWithoutWritingWhenAPageRefuses)
{
    class TStubbornPage : public TKVXPage {
    public:
        using TKVXPage::TKVXPage;
        void ConfigToForm(const TKVXConfig&) override {}
        bool FormToConfig(TKVXConfig&, bool) override { return false; }
    };
    TMainWindowSetup setup;
    setup.Link = std::make_unique<kvx::test::TFakeUnitLink>();
    setup.Pump = &Pump;
    setup.CreatePages = [](IPageHost&, QWidget* Parent) {
        return std::vector<TPageEntry>{{5, new TStubbornPage(Parent)}};
    };
    TMainWindow window(std::move(setup));
    const QString target = PathOf("never.kvx");
    Dialogs.ExpectSaveFile(target);
    Dialogs.ExpectMessage(TemplateNotSavedMessage(QDir::toNativeSeparators(target)));
    window.SaveTemplateClicked();
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
} // namespace kvx::ui::test
