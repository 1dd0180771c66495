// Full reads and writes of the unit's memory and the password page: what reaches the
// unit, what the caller gets back, and which result code wins when several steps fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "link/kvx.h"
#include "tests/support/kvx_fixture.h"

namespace kvx::test {
namespace {

using Bytes = std::vector<uint8_t>;

class Transfer : public KVXTest {
protected:
    Transfer()
    {
        ConnectDongle();
        for (size_t i = 0; i < Link->Unit.Memory.size(); ++i) Link->Unit.Memory[i] = static_cast<uint8_t>(i * 7 + i / 256);
        KVX->SetProgressBarPosition = [this](uint16_t position) { Progress.push_back(position); };
    }

    // Stops the transfer once the unit has seen this many page requests.
    void TerminateAfterPages(size_t pages)
    {
        Pump.OnProcess = [this, pages] {
            if (Link->CountOf(TKVXCommand::ReadPage) + Link->CountOf(TKVXCommand::WritePage) >= pages)
                KVX->Terminate();
        };
    }

    Bytes UnitImage() const { return Bytes(Link->Unit.Memory.begin(), Link->Unit.Memory.begin() + TKVXConfig::Size); }
    static Bytes ImageOf(const TKVXConfig& config) { return Bytes(config.Bytes(), config.Bytes() + TKVXConfig::Size); }

    std::vector<uint16_t> Progress;
};

std::vector<uint16_t> OneToN(uint16_t n)
{
    std::vector<uint16_t> v(n);
    for (uint16_t i = 0; i < n; ++i) v[i] = static_cast<uint16_t>(i + 1);
    return v;
}

TEST_F(Transfer, FullReadCopiesTheImageAndKeepsTheRestOfTheMemory)
{
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&config), TKVXResult::OK);
    EXPECT_EQ(ImageOf(config), UnitImage());
    EXPECT_TRUE(std::equal(Link->Unit.Memory.begin(), Link->Unit.Memory.end(), KVX->EEPROMBuffer()));
    EXPECT_EQ(Progress, OneToN(512));
    EXPECT_EQ(Link->RtsHistory, (Bytes{1, 0}));

    const auto commands = Link->Commands();
    ASSERT_EQ(commands.size(), 515u);
    EXPECT_EQ(commands.front(), TKVXCommand::EnterConfig);
    EXPECT_EQ(commands[1], TKVXCommand::BeginTransfer);
    EXPECT_EQ(commands.back(), TKVXCommand::ExitConfig);
    EXPECT_FALSE(KVX->Busy);
}

TEST_F(Transfer, FailedReadLeavesTheCallersImageAndFillsUnreadPagesWithFF)
{
    Link->SetUnitFaults("stop-after-page=10");
    TKVXConfig config = ErasedConfig();
    config.UnitID[0] = 'Q';
    const Bytes before = ImageOf(config);
    EXPECT_EQ(KVX->ReadConfig(&config), TKVXResult::PageReadFailed);
    EXPECT_EQ(ImageOf(config), before);
    EXPECT_TRUE(std::equal(Link->Unit.Memory.begin(), Link->Unit.Memory.begin() + 10 * PageSize, KVX->EEPROMBuffer()));
    EXPECT_TRUE(std::all_of(KVX->EEPROMBuffer() + 10 * PageSize, KVX->EEPROMBuffer() + UnitMemorySize,
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(Link->Commands().back(), TKVXCommand::ExitConfig);
}

TEST_F(Transfer, StopDuringAReadEndsBeforeTheNextPageAndStillLeavesConfigMode)
{
    TerminateAfterPages(100);
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(KVX->ReadConfig(&config), TKVXResult::Stopped);
    EXPECT_EQ(Link->CountOf(TKVXCommand::ReadPage), 100u);
    EXPECT_EQ(Link->Commands().back(), TKVXCommand::ExitConfig);
    EXPECT_EQ(Link->RtsHistory.back(), 0);
    EXPECT_EQ(ImageOf(config), ImageOf(ErasedConfig()));
}

TEST_F(Transfer, SilentUnitCostsThreeSecondsToEnterAndSixToGiveUpLeaving)
{
    Link->Silent = true;
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(KVX->ReadConfig(&config), TKVXResult::NoExitConfig);
    EXPECT_NEAR(static_cast<double>(Pump.Now), 9000.0, 100.0);
}

TEST_F(Transfer, WriteMarksTheImageAndLeavesThePasswordInTheCallersCopy)
{
    TKVXConfig read = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&read), TKVXResult::OK);
    Progress.clear();

    TKVXConfig config = ErasedConfig();
    std::memset(config.Bytes(), 0x11, TKVXConfig::Size);
    KVX->SessionPassword = u"open sesame";
    ASSERT_EQ(KVX->WriteConfig(&config), TKVXResult::OK);

    Bytes expectedPassword(32, 0x20);
    std::memcpy(expectedPassword.data(), "open sesame", 11);
    EXPECT_EQ(Bytes(config.LockArray.Data, config.LockArray.Data + 32), expectedPassword);

    Bytes expected = ImageOf(config);
    expected[0] = 0xFF;
    expected[2046] = 0xAA;
    expected[2047] = 0x55;
    EXPECT_EQ(UnitImage(), expected);
    EXPECT_EQ(config.Unknown1[0], 0x11) << "only the transmitted copy is marked";
    EXPECT_EQ(Progress, OneToN(512));
    EXPECT_EQ(Link->CountOf(TKVXCommand::ReadPage), 512u) << "no second read after a full one";
}

TEST_F(Transfer, EmptySessionPasswordIsWrittenAsSpaces)
{
    TKVXConfig read = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&read), TKVXResult::OK);
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->WriteConfig(&config), TKVXResult::OK);
    EXPECT_TRUE(std::all_of(Link->Unit.Memory.begin() + 1792, Link->Unit.Memory.begin() + 1824, [](uint8_t b) { return b == 0x20; }));
}

TEST_F(Transfer, WriteWithoutAFullReadFirstReadsTheUnitSoItsUpperMemorySurvives)
{
    const Bytes upper(Link->Unit.Memory.begin() + TKVXConfig::Size, Link->Unit.Memory.end());
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->WriteConfig(&config), TKVXResult::OK);
    EXPECT_EQ(Bytes(Link->Unit.Memory.begin() + TKVXConfig::Size, Link->Unit.Memory.end()), upper);
    EXPECT_EQ(Link->CountOf(TKVXCommand::ReadPage), 512u);
    EXPECT_EQ(Link->CountOf(TKVXCommand::WritePage), 512u);
    EXPECT_EQ(Progress.size(), 1024u);
}

TEST_F(Transfer, WriteSendsTheImageAsItWasWhenCalledWhateverHappensToItDuringThePreliminaryRead)
{
    TKVXConfig config = ErasedConfig();
    config.UnitID[0] = 'A';
    Pump.OnProcess = [&] {
        if (Link->CountOf(TKVXCommand::ReadPage) == 100) config.UnitID[0] = 'B';  // a template loaded meanwhile
    };
    ASSERT_EQ(KVX->WriteConfig(&config), TKVXResult::OK);
    EXPECT_EQ(Link->Unit.Memory[offsetof(TKVXConfig, UnitID)], 'A');
}

TEST_F(Transfer, WriteWhosePreliminaryReadFailsWritesNothing)
{
    Link->SetUnitFaults("stop-after-page=3");
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(KVX->WriteConfig(&config), TKVXResult::PageReadFailed);
    EXPECT_EQ(Link->CountOf(TKVXCommand::WritePage), 0u);
    EXPECT_EQ(config.LockArray[0], 0xFF) << "the caller's image is untouched";
}

TEST_F(Transfer, ReconnectingForgetsTheMemoryReadFromTheLastUnit)
{
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&config), TKVXResult::OK);
    EXPECT_TRUE(KVX->UnitMemoryKnown());
    Link->OnDeviceDisconnect(DongleInfo());
    ConnectDongle();
    EXPECT_FALSE(KVX->UnitMemoryKnown());
}

TEST_F(Transfer, StopDuringAWriteGives255AndLeavesConfigMode)
{
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&config), TKVXResult::OK);
    TerminateAfterPages(512 + 20);
    EXPECT_EQ(KVX->WriteConfig(&config), TKVXResult::Stopped);
    EXPECT_EQ(Link->CountOf(TKVXCommand::WritePage), 20u);
    EXPECT_EQ(Link->Commands().back(), TKVXCommand::ExitConfig);
    EXPECT_FALSE(KVX->UnitMemoryKnown()) << "the unit holds part old, part new";
}

// One row per failure combination: which steps fail, what the operation returns.
struct TPrecedenceCase {
    const char* Name;
    bool RaiseFails;
    bool LowerFails;
    const char* UnitFaults;
    bool Stop;
    unsigned ReadCode;  // the numbers the messages show
    unsigned PasswordCode;
};

void PrintTo(const TPrecedenceCase& c, std::ostream* os)
{
    *os << c.Name;
}

class Precedence : public KVXTest, public ::testing::WithParamInterface<TPrecedenceCase> {};

TEST_P(Precedence, CodeOfTheFirstFailingStepUnlessTheLineOrTheExitFails)
{
    const TPrecedenceCase& c = GetParam();
    ConnectDongle();
    Link->RaiseFails = c.RaiseFails;
    Link->LowerFails = c.LowerFails;
    Link->SetUnitFaults(c.UnitFaults);
    if (c.Stop)
        Pump.OnProcess = [this] {
            if (Link->CountOf(TKVXCommand::ExitConfig) == 0 && !Link->Requests.empty()) KVX->Terminate();
        };

    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(ResultNumber(KVX->ReadConfig(&config)), c.ReadCode) << c.Name;
    EXPECT_EQ(Link->Commands().back(), TKVXCommand::ExitConfig) << c.Name;
    EXPECT_FALSE(Link->Unit.InConfigMode()) << "every session ends by leaving configuration mode";

    Link->Requests.clear();
    std::u16string password;
    EXPECT_EQ(ResultNumber(KVX->ReadPassword(password)), c.PasswordCode) << c.Name;
    EXPECT_FALSE(Link->Unit.InConfigMode());
    EXPECT_EQ(Link->CountOf(TKVXCommand::BeginTransfer), 0u);
}

const char* const NoExit = "drop-reply@exit";
const char* const NoEnter = "drop-reply@enter";
const char* const NoBegin = "drop-reply@begin";
const char* const NoPages = "drop-reply@read";

INSTANTIATE_TEST_SUITE_P(
    Codes, Precedence,
    ::testing::Values(TPrecedenceCase{"all well", false, false, "", false, 0, 0},
                      TPrecedenceCase{"raise fails", true, false, "", false, 254, 254},
                      TPrecedenceCase{"no config mode", false, false, NoEnter, false, 1, 1},
                      TPrecedenceCase{"no begin transfer", false, false, NoBegin, false, 2, 0},
                      TPrecedenceCase{"page read fails", false, false, NoPages, false, 7, 7},
                      TPrecedenceCase{"lower fails", false, true, "", false, 11, 254},
                      TPrecedenceCase{"lower fails after a page failure", false, true, NoPages, false, 11, 254},
                      TPrecedenceCase{"exit fails", false, false, NoExit, false, 9, 9},
                      TPrecedenceCase{"lower and exit fail", false, true, NoExit, false, 9, 9},
                      TPrecedenceCase{"stopped, exit fails", false, false, NoExit, true, 255, 9},
                      TPrecedenceCase{"raise fails, exit fails", true, false, NoExit, false, 9, 9}),
    [](const auto& param) {
        std::string name = param.param.Name;
        std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
        return name;
    });

TEST_F(Transfer, LowerFailureFlaggedWithOtherwiseGoodRead)
{
    Link->LowerFails = true;
    TKVXConfig config = ErasedConfig();
    EXPECT_EQ(KVX->ReadConfig(&config), TKVXResult::LowerLineFailed);
}

TEST_F(Transfer, PageWriteFailureGivesEight)
{
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&config), TKVXResult::OK);
    Link->SetUnitFaults("drop-reply@write");
    EXPECT_EQ(KVX->WriteConfig(&config), TKVXResult::PageWriteFailed);
}

class Password : public Transfer {
protected:
    void StorePassword(const char* text)
    {
        std::memset(Link->Unit.Memory.data() + 1792, 0x20, 32);
        std::memcpy(Link->Unit.Memory.data() + 1792, text, std::strlen(text));
    }
};

TEST_F(Password, ReadsTheTrimmedPasswordWithoutBeginTransfer)
{
    StorePassword("  secret");
    std::u16string password;
    ASSERT_EQ(KVX->ReadPassword(password), TKVXResult::OK);
    EXPECT_EQ(password, u"secret");
    EXPECT_EQ(Link->Commands(), (std::vector<TKVXCommand>{TKVXCommand::EnterConfig, TKVXCommand::ReadPage,
                                                          TKVXCommand::ExitConfig}));
}

TEST_F(Password, ThirtyTwoSpacesMeanNoPassword)
{
    StorePassword("");
    std::u16string password = u"stale";
    ASSERT_EQ(KVX->ReadPassword(password), TKVXResult::OK);
    EXPECT_EQ(password, u"");
}

TEST_F(Password, WriteChangesOnlyThePasswordBytesOfThePage)
{
    const Bytes restOfPage(Link->Unit.Memory.begin() + 1824, Link->Unit.Memory.begin() + 1920);
    std::u16string password;
    ASSERT_EQ(KVX->ReadPassword(password), TKVXResult::OK);
    ASSERT_EQ(KVX->WritePassword(u"new"), TKVXResult::OK);
    Bytes expected(32, 0x20);
    std::memcpy(expected.data(), "new", 3);
    EXPECT_EQ(Bytes(Link->Unit.Memory.begin() + 1792, Link->Unit.Memory.begin() + 1824), expected);
    EXPECT_EQ(Bytes(Link->Unit.Memory.begin() + 1824, Link->Unit.Memory.begin() + 1920), restOfPage);
}

TEST_F(Password, WriteWithoutAPriorReadReadsThePageFirst)
{
    const Bytes restOfPage(Link->Unit.Memory.begin() + 1824, Link->Unit.Memory.begin() + 1920);
    ASSERT_EQ(KVX->WritePassword(u"new"), TKVXResult::OK);
    EXPECT_EQ(Bytes(Link->Unit.Memory.begin() + 1824, Link->Unit.Memory.begin() + 1920), restOfPage);
}

TEST_F(Password, FailedPageWriteGivesSeven)
{
    Link->SetUnitFaults("drop-reply@write");
    EXPECT_EQ(KVX->WritePassword(u"new"), TKVXResult::PageReadFailed);
    EXPECT_EQ(Link->Commands().back(), TKVXCommand::ExitConfig);
}

} // namespace
} // namespace kvx::test
