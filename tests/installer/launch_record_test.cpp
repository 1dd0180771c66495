#include "installer/launcher/launch_record.h"

#include <gtest/gtest.h>

namespace kvx::launcher {
namespace {

struct TSplitCase {
    std::u16string_view Command;
    TLaunchRecord Expected;
};

// Every command split from a medium at D:\ as its case says.
template <size_t N>
void ExpectSplits(const TSplitCase (&Cases)[N])
{
    for (const TSplitCase& c : Cases) {
        const auto record = SplitCommand(c.Command, u"D:\\");
        ASSERT_TRUE(record);
        EXPECT_EQ(*record, c.Expected) << std::string(c.Command.begin(), c.Command.end());
    }
}

TEST(SplitCommand, RelativeCommandsComeFromTheMediumRoot)
{
    const TSplitCase cases[] = {
        {u"setup.exe", {u"D:\\setup.exe", u"", u"D:\\"}},
        {u"\"setup.exe\" /x", {u"D:\\setup.exe", u"/x", u"D:\\"}},
        // Unquoted: the path ends at the first space and still gets its closing quote.
        {u"setup.exe /s /v", {u"D:\\setup.exe", u"/s /v", u"D:\\"}},
        {u"\"sub dir\\setup.exe\" /x", {u"D:\\sub dir\\setup.exe", u"/x", u"D:\\sub dir\\"}},
        {u"\"setup.exe", {u"D:\\setup.exe", u"", u"D:\\"}},
    };
    ExpectSplits(cases);
}

TEST(SplitCommand, CommandsWithADriveAreTakenAsTheyAre)
{
    const TSplitCase cases[] = {
        {u"\"C:\\Program Files\\KVX\\kvxconf.exe\" -a  b", {u"C:\\Program Files\\KVX\\kvxconf.exe", u"-a  b", u"C:\\Program Files\\KVX\\"}},
        {u"C:\\tools\\run.exe a", {u"C:\\tools\\run.exe", u"a", u"C:\\tools\\"}},
        {u"C:run.exe", {u"C:run.exe", u"", u""}},
        {u"\"C:\\a.exe\"/x", {u"C:\\a.exe", u"/x", u"C:\\"}},
    };
    ExpectSplits(cases);
}

TEST(SplitCommand, RefusesAFilePathLongerThanThePathLimit)
{
    const std::u16string longest = u"C:\\" + std::u16string(MaxPathChars - 3, u'a');
    ASSERT_TRUE(SplitCommand(longest, u"D:\\"));
    EXPECT_FALSE(SplitCommand(longest + u"a", u"D:\\"));
    EXPECT_FALSE(SplitCommand(std::u16string(MaxPathChars - 2, u'a') + u" /x", u"D:\\"));
    // Long parameters are not a path.
    EXPECT_TRUE(SplitCommand(u"setup.exe " + std::u16string(2000, u'p'), u"D:\\"));
}

} // namespace
} // namespace kvx::launcher
