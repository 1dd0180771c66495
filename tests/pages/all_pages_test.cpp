// The program as a whole, with every setup page in the real window over kvxsim: images settle
// after one trip through the pages, the demo unit survives a read and a write untouched, the
// erased image stores what the reviewed fixture holds, a fresh window stores the design
// values, what the pages store survives the dump and the build, and no template keeps the
// password.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <cstddef>
#include <random>
#include <string>

#include "config/config_build.h"
#include "config/config_dump.h"
#include "config/design_config.h"
#include "config/missed_calls.h"
#include "config/remote_control.h"
#include "config/template_file.h"
#include "image/utils.h"
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

// Random bytes as the program's edits could have typed them: digits in numbers, printable
// ASCII in texts, times within the day, relays and actions the lists offer, and each remote
// command on one trigger its page can show.
void KeepTypable(TKVXConfig& Image, std::mt19937& Random)
{
    enum TKind { Text, Digits, Phone };
    const struct {
        size_t Offset;
        size_t Count;
        size_t Stride;
        size_t Size;
        TKind Kind;
    } regions[] = {
        {offsetof(TKVXConfig, SIM1ServiceCentreNumber), 1, 16, 16, Phone}, {offsetof(TKVXConfig, SIM2ServiceCentreNumber), 1, 16, 16, Phone},
        {offsetof(TKVXConfig, M2MReportingNumber1), 1, 16, 16, Phone},     {offsetof(TKVXConfig, M2MReportingNumber2), 3, 16, 16, Phone},
        {offsetof(TKVXConfig, ReportingNumbers), 10, 16, 16, Phone},       {offsetof(TKVXConfig, MissedCallNumbers), 500, 16, 16, Phone},
        {offsetof(TKVXConfig, RemoteControl), 8, CommandElementSize, 16, Phone},
        {offsetof(TKVXConfig, PIN), 1, 4, 4, Digits},                      {offsetof(TKVXConfig, M2MID), 1, 5, 5, Digits},
        {offsetof(TKVXConfig, M2MTelemetries), 34, 3, 3, Digits},
        {offsetof(TKVXConfig, UnitID), 1, 16, 16, Text},                   {offsetof(TKVXConfig, ADLowThresholdMessage), 2, 16, 16, Text},
        {offsetof(TKVXConfig, TimerLabels), 64, 16, 16, Text},             {offsetof(TKVXConfig, CIDPartitionLabels), 227, 16, 16, Text},
        {offsetof(TKVXConfig, InputMessages), 18, 16, 16, Text},           {offsetof(TKVXConfig, ShortCuts), 20, 32, 32, Text},
        {offsetof(TKVXConfig, RemoteControl) + 16, 8, CommandElementSize, RemoteCommandTextSize, Text},
    };
    const auto readable = [](uint8_t b) { return b >= 0x20 && b <= 0xA0; };
    for (const auto& region : regions)
        for (size_t n = 0; n < region.Count; ++n) {
            uint8_t* bytes = Image.Bytes() + region.Offset + n * region.Stride;
            for (size_t i = 0; i < region.Size; ++i) {
                uint8_t& b = bytes[i];
                if (region.Kind == Text && b >= 0x7F && b <= 0xA0) b = 'x';
                if (region.Kind == Phone && i == 0 && readable(b)) b = '+';
                else if (region.Kind != Text && readable(b) && (b < '0' || b > '9')) b = '5';
            }
        }
    const auto bcd = [&Random](unsigned Below) {
        uint8_t b = 0;
        TUtils::BIN2BCD(static_cast<uint32_t>(Random() % Below), &b);
        return b;
    };
    const auto action = [](uint8_t Byte) { return static_cast<uint8_t>(1 + Byte % 4); };
    for (size_t i = 0; i < 64; ++i) {
        uint8_t* event = &Image.TimerEvents[8 * i];
        const uint8_t fixed[] = {bcd(24), bcd(60), static_cast<uint8_t>(event[2] % 8), action(event[3]),
                                 static_cast<uint8_t>(event[4] & 0x7F), static_cast<uint8_t>(event[5] & 0x80 ? 0xFF : 0x00)};
        std::copy(std::begin(fixed), std::end(fixed), event);
    }
    for (size_t i = 0; i < 500; ++i) {
        uint8_t* rule = &Image.MissedCallAccessRules[8 * i];
        const bool window = rule[0] != 0xFF;
        const uint8_t fixed[] = {window ? bcd(24) : rule[0], window ? bcd(60) : rule[1], window ? bcd(24) : rule[2],
                                 window ? bcd(60) : rule[3], static_cast<uint8_t>(window ? rule[4] & 0x7F : rule[4]),
                                 static_cast<uint8_t>(rule[5] % 8), static_cast<uint8_t>((rule[6] & ConfirmationBit) | action(rule[6]))};
        std::copy(std::begin(fixed), std::end(fixed), rule);
    }
    std::fill(std::begin(Image.RemoteReporting.Data), std::end(Image.RemoteReporting.Data), uint8_t{0});
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        size_t byte = Random() % (sizeof Image.RemoteReporting);
        if (!RemoteTriggerByte(RemoteTriggerAt(byte))) byte = 0;  // none of the unused bytes 20..31
        Image.RemoteReporting[byte] |= static_cast<uint8_t>(1u << i);
    }
    KeepCommandsStorable(Image);
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
        Window = std::make_unique<TMainWindow>(std::move(setup));
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
    static TKVXConfig RandomImage(std::mt19937& Random, bool Sparse)
    {
        TKVXConfig image;
        for (uint8_t& byte : image.Image()) {
            const auto draw = static_cast<uint32_t>(Random());
            byte = Sparse && draw % 4 != 0 ? 0xFF : static_cast<uint8_t>(draw >> 8);
        }
        return image;
    }
    TKVXConfig ShownAndStored(const TKVXConfig& Image)
    {
        Window->Document().ReplaceImage(Image);
        Window->ConfigToPages();
        EXPECT_TRUE(Window->PagesToConfig(false));
        return Window->Document().Image();
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
    std::unique_ptr<TMainWindow> Window;
};

TEST_F(AllPagesTest, AnyImageSettlesAfterOneTripThroughThePages)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 200; ++round) {
        // Half the images mostly erased, as real units are; half noise everywhere.
        TKVXConfig image = RandomImage(random, round % 2 == 0);
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
    Window->ReadClicked();
    ASSERT_TRUE(Window->Document().HasBeenRead());
    Window->WriteClicked();
    ASSERT_TRUE(Dialogs.Done());
    ASSERT_FALSE(Window->Document().Changed()) << "the write went through";
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

TEST_F(AllPagesTest, AFreshWindowStoresTheDesignValues)
{
    ASSERT_TRUE(Window->PagesToConfig(false));
    const TKVXConfig design = DesignConfig();
    EXPECT_EQ(Differences(design.Bytes(), Window->Document().Image().Bytes()), "");
}

TEST_F(AllPagesTest, WhatThePagesStoreSurvivesTheDumpAndTheBuild)
{
    std::vector<TKVXConfig> images(1);
    const std::vector<uint8_t> demo = UnitImage();
    std::copy(demo.begin(), demo.end(), images[0].Bytes());
    std::mt19937 random(20270116);
    for (int round = 0; round < 60; ++round) {
        images.push_back(RandomImage(random, round % 2 == 0));
        KeepTypable(images.back(), random);
    }
    for (size_t i = 0; i < images.size(); ++i) {
        const TKVXConfig stored = ShownAndStored(images[i]);
        std::string problem;
        const auto json = ParseConfigJson(DumpConfigJson(stored).dump(), problem);
        ASSERT_TRUE(json) << problem;
        TKVXConfig built = DesignConfig();
        const std::vector<std::string> problems = ApplyConfigJson(*json, built);
        ASSERT_EQ(problems, std::vector<std::string>{}) << "image " << i;
        ASSERT_EQ(Differences(stored.Bytes(), built.Bytes(), true), "") << "image " << i;
    }
}

TEST_F(AllPagesTest, NoTemplateKeepsTheUnitsPassword)
{
    Control("password", "Secret");
    PlugIn();
    Dialogs.ExpectPassword("Secret");
    Window->ReadClicked();
    ASSERT_TRUE(Window->Document().HasBeenRead());
    Window->WriteClicked();
    ASSERT_FALSE(Window->Document().Changed()) << "the write went through";

    const auto file = std::filesystem::path(testing::TempDir()) / "after_write.kvx";
    Dialogs.ExpectSaveFile(QString::fromStdString(file.string()));
    Window->SaveTemplateClicked();
    TKVXConfig saved = ErasedConfig();
    std::string reason;
    ASSERT_TRUE(LoadTemplate(file, saved, reason)) << reason;
    for (size_t i = PasswordOffset; i < PasswordOffset + PasswordSize; ++i) EXPECT_EQ(saved.Bytes()[i], 0xFF) << i;
}

} // namespace
} // namespace kvx::ui::test
