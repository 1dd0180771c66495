// The program as a whole, with every setup page in the real window over kvxsim: images settle
// after one trip through the pages, the demo unit survives a read and a write untouched, the
// erased image stores what the reviewed fixture holds, and no template keeps the password.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <random>
#include <string>

#include "config/remote_control.h"
#include "config/template_file.h"
#include "image/kvx_config.h"
#include "link/siusbxp_library.h"
#include "tests/pages/sim_unit_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/main_window.h"
#include "ui/main/program_link.h"
#include "ui/pages/setup_pages.h"

namespace kvx::ui::test {
namespace {

constexpr size_t PasswordOffset = 1792;
constexpr size_t PasswordSize = 32;
constexpr size_t CommandNumberSize = 16;
constexpr size_t CommandElementSize = CommandNumberSize + RemoteCommandTextSize;

// "TimerLabels+17": the image field holding byte Offset.
std::string FieldAt(size_t Offset)
{
    for (const TFieldInfo& field : ConfigFields())
        if (Offset >= field.Offset && Offset < field.Offset + field.Size)
            return field.Size == 1 ? field.Name : std::string(field.Name) + "+" + std::to_string(Offset - field.Offset);
    return "offset " + std::to_string(Offset);
}

// A remote command the page refuses to store (text without a number, or characters the unit
// cannot send) is the user's to mend; random images hold none.
void KeepCommandsStorable(TKVXConfig& Image)
{
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        uint8_t* text = &Image.RemoteControl[i * CommandElementSize + CommandNumberSize];
        for (size_t c = 0; c < RemoteCommandTextSize; ++c)
            if (text[c] >= 0x7F && text[c] <= 0xA0) text[c] = 'x';
        if (DecodeRemoteCommand(Image, i).Number.empty()) std::fill_n(text, RemoteCommandTextSize, uint8_t{0xFF});
    }
}

class AllPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TProgramOptions options;
        options.USBLibrary = KVXSIM_LIBRARY;
        Link = OpenProgramLink(options, QString());
        const auto* library = dynamic_cast<const TSiUSBXpLibrary*>(Link.Api.get());
        ASSERT_NE(library, nullptr) << Link.Problem.toStdString();
        Control = reinterpret_cast<KVXSIM_Control_t>(library->FindFunction(KVXSIM_CONTROL_NAME));
        kvx::test::StartSimulatedUnit(Control, Pump);
        TMainWindowSetup setup;
        setup.Link = std::move(Link.Link);
        setup.Pump = &Pump;
        setup.Clock = [] { return TLocalDateTime{}; };
        setup.CreatePages = CreateSetupPages;
        setup.BackupFolder = Backups.path();
        Window = std::make_unique<TfrmMain>(std::move(setup));
    }
    void TearDown() override
    {
        Window.reset();
        if (Control) Control("reset", "");
    }

    void PlugIn() { Link.Jobs.front().Run(); }
    std::vector<uint8_t> UnitImage() const
    {
        std::vector<uint8_t> bytes(TKVXConfig::Size);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(Control("peek", std::to_string(i).c_str()));
        return bytes;
    }
    TKVXConfig ShownAndStored(const TKVXConfig& Image)
    {
        Window->KVXConfig = Image;
        Window->ConfigToPages();
        EXPECT_TRUE(Window->PagesToConfig(false));
        return Window->KVXConfig;
    }
    // The page that stores each byte of the image (empty: none): each page stores alone into two
    // differently filled images.
    std::vector<std::string> PageOwners()
    {
        std::vector<std::string> owners(TKVXConfig::Size);
        for (int no = 1; no <= 13; ++no) {
            TKVXPage* page = Window->Page(no);
            if (!page) continue;
            for (const uint8_t fill : {uint8_t{0xFF}, uint8_t{0x00}}) {
                TKVXConfig image;
                std::fill_n(image.Bytes(), TKVXConfig::Size, fill);
                page->FormToConfig(image, false);
                for (size_t i = 0; i < TKVXConfig::Size; ++i)
                    if (image.Bytes()[i] != fill) owners[i] = page->objectName().toStdString();
            }
        }
        return owners;
    }
    // "frmTimers1 TimerLabels+17; ..." for the bytes that differ; with OwnedOnly, only bytes a page stores.
    std::string Differences(const uint8_t* Expected, const uint8_t* Actual, bool OwnedOnly = false)
    {
        std::string found;
        std::vector<std::string> owners;
        for (size_t i = 0; i < TKVXConfig::Size && found.size() < 400; ++i) {
            if (Expected[i] == Actual[i]) continue;
            if (owners.empty()) owners = PageOwners();
            if (OwnedOnly && owners[i].empty()) continue;
            found += (owners[i].empty() ? "no page" : owners[i]) + " " + FieldAt(i) + "; ";
        }
        return found;
    }

    TScriptedDialogs Dialogs;
    QTemporaryDir Backups;
    kvx::test::TFakePump Pump;
    TProgramLink Link;
    KVXSIM_Control_t Control = nullptr;
    std::unique_ptr<TfrmMain> Window;
};

TEST_F(AllPagesTest, AnyImageSettlesAfterOneTripThroughThePages)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 200; ++round) {
        TKVXConfig image;
        // Half the images mostly erased, as real units are; half noise everywhere.
        const bool sparse = round % 2 == 0;
        for (uint8_t& byte : image.Image()) {
            const auto draw = static_cast<uint32_t>(random());
            byte = sparse && draw % 4 != 0 ? 0xFF : static_cast<uint8_t>(draw >> 8);
        }
        KeepCommandsStorable(image);
        const TKVXConfig once = ShownAndStored(image);
        const TKVXConfig twice = ShownAndStored(once);
        ASSERT_EQ(Differences(once.Bytes(), twice.Bytes()), "") << "round " << round;
    }
}

TEST_F(AllPagesTest, TheDemoUnitReadAndWrittenBackIsUnchanged)
{
    PlugIn();
    ASSERT_TRUE(Window->KVX->DeviceConnected());
    const std::vector<uint8_t> before = UnitImage();
    Window->pnlReadConfigClick();
    ASSERT_TRUE(Window->KVXHasBeenRead);
    Window->pnlWriteConfigClick();
    ASSERT_TRUE(Dialogs.Done());
    ASSERT_FALSE(Window->ConfigChanged) << "the write went through";
    EXPECT_EQ(Differences(before.data(), UnitImage().data(), true), "");
}

TEST_F(AllPagesTest, TheErasedImageStoresTheReviewedFixture)
{
    TKVXConfig expected = ErasedConfig();
    std::string reason;
    ASSERT_TRUE(LoadTemplate(KVX_FIXTURES "/erased_as_stored.kvx", expected, reason)) << reason;
    const TKVXConfig stored = ShownAndStored(ErasedConfig());
    EXPECT_EQ(Differences(expected.Bytes(), stored.Bytes()), "");
}

TEST_F(AllPagesTest, NoTemplateKeepsTheUnitsPassword)
{
    Control("password", "Secret");
    PlugIn();
    Dialogs.ExpectPassword("Secret");
    Window->pnlReadConfigClick();
    ASSERT_TRUE(Window->KVXHasBeenRead);
    Window->pnlWriteConfigClick();
    ASSERT_FALSE(Window->ConfigChanged) << "the write went through";

    const auto file = std::filesystem::path(testing::TempDir()) / "after_write.kvx";
    Dialogs.ExpectSaveFile(QString::fromStdString(file.string()));
    Window->Panel4Click();
    TKVXConfig saved = ErasedConfig();
    std::string reason;
    ASSERT_TRUE(LoadTemplate(file, saved, reason)) << reason;
    for (size_t i = PasswordOffset; i < PasswordOffset + PasswordSize; ++i) EXPECT_EQ(saved.Bytes()[i], 0xFF) << i;
}

} // namespace
} // namespace kvx::ui::test
