// The simulator's knobs by name, its memory file and the environment it reads at load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "sim/knobs.h"
#include "tests/sim/requests.h"

namespace kvx::sim {
namespace {

namespace fs = std::filesystem;

class KnobsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Unique per run: the same test may run at once in another build tree.
        Folder = fs::temp_directory_path() /
                 ("kvxsim-knobs-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  "-" + std::to_string(std::random_device{}()));
        fs::remove_all(Folder);
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    int Control(std::string_view key, std::string_view value = "") { return ApplyControl(Sim, key, value); }

    static void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<uint8_t> ReadFile(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // A full session through the dongle that writes one page, as the program would.
    void WritePageThroughDongle(uint16_t address, uint8_t fill)
    {
        THandleValue handle = 0;
        ASSERT_EQ(Sim.Dongle.Open(0, &handle), SI_SUCCESS);
        ASSERT_EQ(Sim.Dongle.SetFlowControl(handle, 0, SI_HELD_ACTIVE, 0, 0, 0, 0), SI_SUCCESS);
        for (const auto& request : {test::Request(TKVXCommand::EnterConfig), test::WritePageRequest(address, fill),
                                    test::Request(TKVXCommand::ExitConfig)}) {
            uint32_t written = 0;
            ASSERT_EQ(Sim.Dongle.Write(handle, request.data(), static_cast<uint32_t>(request.size()), &written),
                      SI_SUCCESS);
            Sim.Settle();
        }
        Sim.Dongle.Close(handle);
    }

    TSimulator Sim;
    fs::path Folder;
};

TEST_F(KnobsTest, UnknownKeysAndBadValuesAreRefusedWithoutChange)
{
    EXPECT_EQ(Control("no-such-knob"), ControlRefused);
    EXPECT_EQ(Control("advance", "soon"), ControlRefused);
    EXPECT_EQ(Control("clock", "fast"), ControlRefused);
    EXPECT_EQ(Control("unplugged", "maybe"), ControlRefused);
    EXPECT_EQ(Control("fault", "bad-crc,explode"), ControlRefused);
    EXPECT_EQ(Control("fault", "stop-after-page"), ControlRefused);
    EXPECT_EQ(Control("fault", "overrun@page"), ControlRefused);
    EXPECT_EQ(Control("fault", "corrupt-byte"), ControlRefused);
    EXPECT_EQ(Control("fault", "corrupt-byte=65536"), ControlRefused);
    EXPECT_EQ(Control("fault", "corrupt-byte=0x1G"), ControlRefused);
    EXPECT_EQ(Control("count", "reboot"), ControlRefused);
    EXPECT_EQ(Control("peek", "65536"), ControlRefused);
    for (const char* walk : {"60,", ",60", "60,,70", "256", "strong"}) EXPECT_EQ(Control("signal", walk), ControlRefused) << walk;
    EXPECT_EQ(Control("plugged"), 1);
    EXPECT_TRUE(Sim.Unit.Faults().empty());
}

TEST_F(KnobsTest, FaultListsParseWithScopesAndClear)
{
    ASSERT_EQ(Control("fault", "drop-reply@exit, stray@all ,stop-after-page=16"), 0);
    const auto& faults = Sim.Unit.Faults();
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_TRUE(FaultHits(faults, TFaultKind::DropReply, TKVXCommand::ExitConfig));
    EXPECT_FALSE(FaultHits(faults, TFaultKind::DropReply, TKVXCommand::ReadPage));
    EXPECT_TRUE(FaultHits(faults, TFaultKind::Stray, TKVXCommand::EnterConfig));
    EXPECT_EQ(StopAfterPages(faults), 16u);
    ASSERT_EQ(Control("fault", "none"), 0);
    EXPECT_TRUE(Sim.Unit.Faults().empty());
}

TEST_F(KnobsTest, PeekAndPokeReachTheUnitMemory)
{
    ASSERT_EQ(Control("poke", "0x700=4142FF"), 0);
    EXPECT_EQ(Control("peek", "1792"), 0x41);
    EXPECT_EQ(Control("peek", "0x701"), 0x42);
    EXPECT_EQ(Control("peek", "0x702"), 0xFF);
    EXPECT_EQ(Control("poke", "65535=0102"), ControlRefused); // runs past the end
    EXPECT_EQ(Control("poke", "10=123"), ControlRefused);
    EXPECT_EQ(Control("poke", "10=zz"), ControlRefused);
    EXPECT_EQ(Control("peek", "65535"), 0xFF);
    EXPECT_EQ(Control("peek", "10"), 0xFF);
}

TEST_F(KnobsTest, BuiltInUnitIsAConfiguredDemoSite)
{
    const auto text = [&](size_t offset, size_t width) {
        std::string s;
        for (size_t i = 0; i < width; ++i) s += static_cast<char>(Control("peek", std::to_string(offset + i)));
        return s;
    };
    EXPECT_EQ(text(176, 16), "KVX Demo Site   ");
    EXPECT_EQ(text(160, 4), "1234");
    EXPECT_EQ(text(64, 13), "+447785016005");
    EXPECT_EQ(text(28672, 1), "+");
    EXPECT_EQ(Control("peek", "2046"), 0xAA);
    EXPECT_EQ(Control("peek", "2047"), 0x55);
    EXPECT_EQ(Control("peek", "1792"), 0xFF); // no password
    EXPECT_EQ(Control("peek", "31872"), 0xFF);
}

TEST_F(KnobsTest, PasswordIsStoredSpacePaddedAndCutAt32)
{
    ASSERT_EQ(Control("password", "abc"), 0);
    EXPECT_EQ(Control("peek", "1794"), 'c');
    EXPECT_EQ(Control("peek", "1795"), ' ');
    EXPECT_EQ(Control("peek", "1823"), ' ');
    ASSERT_EQ(Control("password", std::string(40, 'x')), 0);
    EXPECT_EQ(Control("peek", "1823"), 'x');
    EXPECT_EQ(Control("peek", "1824"), 0xFF);
}

TEST_F(KnobsTest, ResetBringsBackTheBuiltInUnit)
{
    Control("poke", "176=00");
    Control("fault", "bad-crc");
    Control("unplug");
    Control("clock", "manual");
    ASSERT_EQ(Control("reset"), 0);
    EXPECT_EQ(Control("peek", "176"), 'K');
    EXPECT_TRUE(Sim.Unit.Faults().empty());
    EXPECT_EQ(Control("plugged"), 1);
    EXPECT_FALSE(Sim.Clock.Manual());
}

TEST_F(KnobsTest, CountsAndUnitClockAreReadable)
{
    EXPECT_EQ(Control("unit-time"), ControlRefused);
    Control("clock", "manual");
    THandleValue handle = 0;
    ASSERT_EQ(Sim.Dongle.Open(0, &handle), SI_SUCCESS);
    const auto setTime = test::Request(TKVXCommand::SetTime, {0x14, 0x05, 0x09, 0x23, 0x03, 0x26, 0xAA, 0x55});
    const auto exit = test::Request(TKVXCommand::ExitConfig);
    uint32_t written = 0;
    Sim.Dongle.Write(handle, setTime.data(), static_cast<uint32_t>(setTime.size()), &written);
    Sim.Dongle.Write(handle, exit.data(), 4, &written);
    Sim.Dongle.Write(handle, exit.data(), 4, &written);
    EXPECT_EQ(Control("count", "exit-config"), 2);
    EXPECT_EQ(Control("count", "set-time"), 1);
    EXPECT_EQ(Control("count", "enter-config"), 0);
    Control("advance", "2000");
    EXPECT_EQ(Control("unit-time"), 140511);
    EXPECT_EQ(Control("unit-date"), 260323);
}

TEST_F(KnobsTest, TemplateFileIsLoadedAndSavedBackAsATemplate)
{
    const auto path = Folder / "site.kvx";
    std::vector<uint8_t> image(TemplateFileSize, 0x33);
    WriteFile(path, image);
    ASSERT_EQ(Control("memory", path.string()), 0);
    EXPECT_EQ(Control("peek", "0"), 0x33);
    EXPECT_EQ(Control("peek", "31871"), 0x33);
    EXPECT_EQ(Control("peek", "31872"), 0xFF);

    Control("poke", "100=44"); // not a write by the program: not saved
    Sim.Settle();
    EXPECT_EQ(ReadFile(path), image);

    WritePageThroughDongle(0x0080, 0x77);
    const auto saved = ReadFile(path);
    ASSERT_EQ(saved.size(), TemplateFileSize);
    EXPECT_EQ(saved[0x80], 0x77);
    EXPECT_EQ(saved[100], 0x44); // the whole memory as the unit holds it
    EXPECT_EQ(saved[0], 0x33);
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1); // no temporary left
}

TEST_F(KnobsTest, MissingMemoryFileIsCreatedWholeOnTheFirstWrite)
{
    const auto path = Folder / "unit.bin";
    ASSERT_EQ(Control("memory", path.string()), 0);
    EXPECT_EQ(Control("peek", "176"), 'K');
    EXPECT_FALSE(fs::exists(path));
    WritePageThroughDongle(0xFF80, 0x12);
    const auto saved = ReadFile(path);
    ASSERT_EQ(saved.size(), UnitMemorySize);
    EXPECT_EQ(saved[0xFFFF], 0x12);
    EXPECT_EQ(saved[176], 'K');
}

TEST_F(KnobsTest, MemoryFileOfAnotherSizeIsRefusedAndLeftAlone)
{
    const auto path = Folder / "notes.txt";
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    WriteFile(path, text);
    std::string error;
    EXPECT_EQ(ApplyControl(Sim, "memory", path.string(), &error), ControlRefused);
    EXPECT_NE(error.find("5 bytes"), std::string::npos);
    WritePageThroughDongle(0, 0x00);
    EXPECT_EQ(ReadFile(path), text);
}

TEST_F(KnobsTest, EnvironmentAppliesMemoryBeforePasswordAndReportsBadValues)
{
    const auto path = Folder / "unit.bin";
    std::vector<uint8_t> memory(UnitMemorySize, 0x00);
    std::fill_n(memory.begin() + 1792, 32, 'f');
    WriteFile(path, memory);
    const std::map<std::string, std::string> env = {{"KVXSIM_PASSWORD", "env"},
                                                    {"KVXSIM_MEMORY", path.string()},
                                                    {"KVXSIM_UNPLUGGED", "1"},
                                                    {"KVXSIM_BAUD", "fast"},
                                                    {"KVXSIM_FAULT", "stray"}};
    std::vector<std::string> reports;
    ApplyEnvironment(
        Sim,
        [&](const char* name) {
            const auto found = env.find(name);
            return found == env.end() ? nullptr : found->second.c_str();
        },
        [&](const std::string& message) { reports.push_back(message); });
    EXPECT_EQ(Control("peek", "1792"), 'e');
    EXPECT_EQ(Control("peek", "1795"), ' ');
    EXPECT_EQ(Control("peek", "0"), 0x00);
    EXPECT_EQ(Control("plugged"), 0);
    EXPECT_EQ(Sim.Unit.Faults().size(), 1u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("KVXSIM_BAUD"), std::string::npos);
}

} // namespace
} // namespace kvx::sim
