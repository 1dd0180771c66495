#include "link/siusbxp_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace kvx {
namespace {

void SetEnvironment(const char* Name, const char* Value)
{
#ifdef _WIN32
    _putenv_s(Name, Value ? Value : "");
#else
    if (Value)
        setenv(Name, Value, 1);
    else
        unsetenv(Name);
#endif
}

TEST(SiUSBXpLibraryTest, MissingFileIsNamed)
{
    const std::string path = "/no/such/folder/libSiUSBXp-missing.so";
    std::string error;
    EXPECT_EQ(TSiUSBXpLibrary::Load(path, error), nullptr);
    EXPECT_NE(error.find('"' + path + '"'), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

TEST(SiUSBXpLibraryTest, MissingFunctionsAreNamed)
{
    std::string error;
    EXPECT_EQ(TSiUSBXpLibrary::Load(KVX_PARTIAL_SIUSBXP, error), nullptr);
    EXPECT_NE(error.find(KVX_PARTIAL_SIUSBXP), std::string::npos) << error;
    for (const char* missing : {"SI_GetProductString", "SI_CancelIo", "SI_GetDriverVersion"})
        EXPECT_NE(error.find(missing), std::string::npos) << missing << " in " << error;
    for (const char* present : {"SI_Open,", "SI_Close,", "SI_GetNumDevices"})
        EXPECT_EQ(error.find(present), std::string::npos) << present << " in " << error;
}

TEST(SiUSBXpLibraryTest, PathPrecedence)
{
    // The platform's library beside the program is taken before the system's search finds one.
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "kvx-usb-library-beside";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / DefaultUSBLibraryName()) << "stand-in";
    const std::string beside = (folder / DefaultUSBLibraryName()).string();
    struct TCase {
        const char* Environment;
        std::string Option;
        std::filesystem::path ProgramFolder;
        std::string Expected;
    };
    for (const TCase& c : std::vector<TCase>{
             {nullptr, "", {}, DefaultUSBLibraryName()},
             {nullptr, "", folder, beside},
             {nullptr, "", folder / "empty", DefaultUSBLibraryName()},
             {"", "", folder, beside},
             {"/opt/from-environment.so", "", folder, "/opt/from-environment.so"},
             {"/opt/from-environment.so", "/opt/from-option.so", folder, "/opt/from-option.so"},
         }) {
        SetEnvironment("KVX_USB_LIBRARY", c.Environment);
        EXPECT_EQ(ResolveUSBLibraryPath(c.Option, c.ProgramFolder), c.Expected)
            << "environment " << (c.Environment ? c.Environment : "unset") << ", option '" << c.Option << "', folder "
            << c.ProgramFolder;
    }
    SetEnvironment("KVX_USB_LIBRARY", nullptr);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace kvx
