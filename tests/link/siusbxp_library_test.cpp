#include "link/siusbxp_library.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
    SetEnvironment("KVX_USB_LIBRARY", nullptr);
    EXPECT_EQ(ResolveUSBLibraryPath(""), DefaultUSBLibraryName());
    SetEnvironment("KVX_USB_LIBRARY", "/opt/from-environment.so");
    EXPECT_EQ(ResolveUSBLibraryPath(""), "/opt/from-environment.so");
    EXPECT_EQ(ResolveUSBLibraryPath("/opt/from-option.so"), "/opt/from-option.so");
    SetEnvironment("KVX_USB_LIBRARY", "");
    EXPECT_EQ(ResolveUSBLibraryPath(""), DefaultUSBLibraryName());
    SetEnvironment("KVX_USB_LIBRARY", nullptr);
}

} // namespace
} // namespace kvx
