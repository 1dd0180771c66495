#include "installer/holdoff/hold_off.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace kvx::holdoff {
namespace {

using Texts = std::vector<std::string>;

const std::string LeadingZero = "HoldOff: The parameter should not start with '0'";
const std::string NotConverted = "HoldOff: There was a problem converting the parameter";
const std::string Negative = "HoldOff: The parameter should not be negative";

struct TPlanCase {
    const char* Value;
    Texts Warnings;
    uint32_t SleepMs;
};

TEST(HoldOffPlan, WarningsAndPauseForEachKindOfText)
{
    const std::vector<TPlanCase> cases{
        {"250", {}, 250},
        {"0250", {LeadingZero}, 250},
        {"abc", {NotConverted}, 0},
        {"", {NotConverted}, 0},
        {"0", {LeadingZero, NotConverted}, 0},
        {"-1", {Negative}, 0},
        {"-2147483648", {Negative}, 0},
        {"  42ms", {}, 42},
        {"99999999999", {"HoldOff: " + std::string(std::strerror(ERANGE))}, static_cast<uint32_t>(INT_MAX)},
        {"-99999999999", {"HoldOff: " + std::string(std::strerror(ERANGE)), Negative}, 0},
    };
    for (const TPlanCase& c : cases) {
        const THoldOffPlan plan = PlanHoldOff(c.Value);
        EXPECT_EQ(plan.Warnings, c.Warnings) << '"' << c.Value << '"';
        EXPECT_EQ(plan.SleepMs, c.SleepMs) << '"' << c.Value << '"';
    }
}

// Plays the installer's side of the two-call property read.
struct TScriptedProperty {
    std::string Value;
    std::vector<uint32_t> Answers;  // forced answers per call; empty: behave like the installer
    std::vector<uint32_t> CountsSeen;

    uint32_t operator()(char* Buffer, uint32_t* Count)
    {
        CountsSeen.push_back(*Count);
        const size_t call = CountsSeen.size() - 1;
        if (call < Answers.size() && Answers[call] != ErrorSuccess && Answers[call] != ErrorMoreData)
            return Answers[call];
        const bool fits = *Count > Value.size();
        if (fits) std::memcpy(Buffer, Value.c_str(), Value.size() + 1);
        *Count = static_cast<uint32_t>(Value.size());
        return fits ? ErrorSuccess : ErrorMoreData;
    }
};

TEST(CustomActionData, SizedWithAnEmptyBufferThenRead)
{
    TScriptedProperty property{"250", {}, {}};
    EXPECT_EQ(ReadCustomActionData(std::ref(property)), "250");
    EXPECT_EQ(property.CountsSeen, (std::vector<uint32_t>{0, 4}));

    TScriptedProperty empty{"", {}, {}};
    EXPECT_EQ(ReadCustomActionData(std::ref(empty)), "");
}

TEST(CustomActionData, AnyFailedReadGivesNothing)
{
    TScriptedProperty failsAtOnce{"250", {1627}, {}};
    EXPECT_EQ(ReadCustomActionData(std::ref(failsAtOnce)), std::nullopt);
    EXPECT_EQ(failsAtOnce.CountsSeen.size(), 1u);

    TScriptedProperty failsOnRetry{"250", {ErrorMoreData, 1627}, {}};
    EXPECT_EQ(ReadCustomActionData(std::ref(failsOnRetry)), std::nullopt);
}

struct TRecordedHost {
    Texts Shown;
    std::vector<uint32_t> Sleeps;

    THoldOffHost For(TScriptedProperty& Property)
    {
        return {std::ref(Property), [this](const std::string& Text) { Shown.push_back(Text); },
                [this](uint32_t Ms) { Sleeps.push_back(Ms); }};
    }
};

TEST(HoldOffAction, WarnsThenSleepsAndSucceeds)
{
    TScriptedProperty property{"0250", {}, {}};
    TRecordedHost host;
    EXPECT_EQ(RunHoldOff(host.For(property)), ErrorSuccess);
    EXPECT_EQ(host.Shown, Texts{LeadingZero});
    EXPECT_EQ(host.Sleeps, std::vector<uint32_t>{250});
}

TEST(HoldOffAction, UnreadablePropertyFailsTheInstallQuietly)
{
    TScriptedProperty property{"250", {1627}, {}};
    TRecordedHost host;
    EXPECT_EQ(RunHoldOff(host.For(property)), ErrorInstallFailure);
    EXPECT_TRUE(host.Shown.empty());
    EXPECT_TRUE(host.Sleeps.empty());
}

} // namespace
} // namespace kvx::holdoff
