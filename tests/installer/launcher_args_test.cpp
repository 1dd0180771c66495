#include "installer/launcher/launcher_args.h"

#include <gtest/gtest.h>

#include <climits>

namespace kvx::launcher {
namespace {

TEST(LauncherArgs, KeyModeAndCommandAfterQuotedOrPlainProgramPath)
{
    for (const std::u16string_view line : {u"\"E:\\my medium\\autorun.exe\"  [Main][1]  \t setup.exe /s",
                                           u"  E:\\autorun.exe [Main][1]setup.exe /s"}) {
        const auto args = ParseLauncherArgs(line);
        ASSERT_TRUE(args);
        EXPECT_EQ(args->Key, u"Main");
        EXPECT_EQ(args->Mode, 1);
        EXPECT_EQ(args->Command, u"setup.exe /s");
    }
}

TEST(LauncherArgs, BracketsInTheProgramPathAreNotTheKey)
{
    const auto args = ParseLauncherArgs(u"\"E:\\[x]\\autorun.exe\" [Docs][2] \"manual.pdf\"");
    ASSERT_TRUE(args);
    EXPECT_EQ(args->Key, u"Docs");
    EXPECT_EQ(args->Mode, 2);
    EXPECT_EQ(args->Command, u"\"manual.pdf\"");
}

TEST(LauncherArgs, WithoutBothBracketGroupsThereIsNothingToRun)
{
    for (const std::u16string_view line : {u"autorun.exe", u"autorun.exe setup.exe", u"autorun.exe [Main] setup.exe",
                                           u"autorun.exe [Main][1 setup.exe", u"autorun.exe [Main setup.exe"})
        EXPECT_FALSE(ParseLauncherArgs(line)) << std::string(line.begin(), line.end());

    const auto empty = ParseLauncherArgs(u"autorun.exe [][]");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Key, u"");
    EXPECT_EQ(empty->Mode, 0);
    EXPECT_EQ(empty->Command, u"");
}

TEST(LauncherArgs, ModeIsSignedDecimalUpToTheFirstNonDigit)
{
    EXPECT_EQ(ParseMode(u"4"), 4);
    EXPECT_EQ(ParseMode(u"-3"), -3);
    EXPECT_EQ(ParseMode(u"12abc"), 12);
    EXPECT_EQ(ParseMode(u"abc"), 0);
    EXPECT_EQ(ParseMode(u""), 0);
    EXPECT_EQ(ParseMode(u"-"), 0);
    EXPECT_EQ(ParseMode(u"+1"), 0);
    EXPECT_EQ(ParseMode(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseMode(u"-99999999999999999999"), INT_MIN);
}

} // namespace
} // namespace kvx::launcher
