// The programs find their data and the simulator beside themselves first, then where an
// installation puts them below the same prefix.
#include "link/program_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kvx {
namespace {

namespace fs = std::filesystem;

class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(Prefix); }
    void TearDown() override { fs::remove_all(Prefix); }
    void Lay(const fs::path& Relative)
    {
        fs::create_directories((Prefix / Relative).parent_path());
        std::ofstream(Prefix / Relative) << "x";
    }
    fs::path Found(const std::string& Name) const { return FindProgramFile(Bin, Name).value_or("(none)"); }

    // One folder per test: ctest runs the tests of this fixture side by side.
    const fs::path Prefix = fs::path(testing::TempDir()) /
        ("kvx-program-files-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    const fs::path Bin = Prefix / "bin";
};

TEST_F(ProgramFilesTest, BesideTheProgramWinsAndNothingFoundNamesThePlaceBesideIt)
{
    fs::create_directories(Bin);
    EXPECT_EQ(Found("SMSC.ini"), "(none)");
    EXPECT_EQ(SimulatorLibraryPath(Bin), Bin / SimulatorLibraryName());
    fs::create_directories(Bin / "CIDList.txt");  // a folder of that name is no file
    EXPECT_EQ(Found("CIDList.txt"), "(none)");
    Lay("bin/SMSC.ini");
    EXPECT_EQ(Found("SMSC.ini"), Bin / "SMSC.ini");
}

#ifndef _WIN32
TEST_F(ProgramFilesTest, BuildTreeAndInstalledLayouts)
{
    // The build tree: the simulator in lib/ beside bin/.
    Lay("lib/libkvxsim.so");
    EXPECT_EQ(SimulatorLibraryPath(Bin), Prefix / "lib/libkvxsim.so");
    fs::remove_all(Prefix / "lib");
    // An installation: a private library folder and a data folder of the program's own.
    for (const char* file : {"lib/kvxconf/libkvxsim.so", "share/kvxconf/SMSC.ini", "share/kvxconf/CIDList.txt"}) Lay(file);
    EXPECT_EQ(SimulatorLibraryPath(Bin), Prefix / "lib/kvxconf/libkvxsim.so");
    EXPECT_EQ(Found("SMSC.ini"), Prefix / "share/kvxconf/SMSC.ini");
    Lay("bin/SMSC.ini");
    EXPECT_EQ(Found("SMSC.ini"), Bin / "SMSC.ini");
    EXPECT_EQ(Found("CIDList.txt"), Prefix / "share/kvxconf/CIDList.txt");
}
#endif

} // namespace
} // namespace kvx
