// The Contact ID event list: codes, descriptions, line endings, where reading stops.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "config/cid_list.h"
#include "config/contact_id.h"

namespace kvx {
namespace {

TEST(CIDList, CodesWithLeadingZerosOrBlanksAndDescriptionsFromTheFifthCharacter)
{
    const TCIDList list = ParseCIDList("110 Fire\r\n130 Burglary\r\n005 Five\r\n  5 Blank five\r\n", 225);
    ASSERT_EQ(list.Events.size(), 4u);
    EXPECT_FALSE(list.StoppedAtInvalidCode);
    EXPECT_EQ(list.Events[0].Code, 110);
    EXPECT_EQ(list.Events[0].Description, u"Fire");
    EXPECT_EQ(list.Events[1].Code, 130);
    EXPECT_EQ(list.Events[1].Description, u"Burglary");
    EXPECT_EQ(list.Events[2].Code, 5);
    EXPECT_EQ(list.Events[3].Code, 5);
    EXPECT_EQ(list.Events[3].Description, u"Blank five");
}

TEST(CIDList, AnyLineEndingAndAShortLastLineWithoutEnding)
{
    const TCIDList list = ParseCIDList("110 Fire\n111 Smoke\r112 Combustion\r\n9", 225);
    ASSERT_EQ(list.Events.size(), 4u);
    EXPECT_EQ(list.Events[1].Description, u"Smoke");
    EXPECT_EQ(list.Events[2].Description, u"Combustion");
    EXPECT_EQ(list.Events[3].Code, 9);
    EXPECT_EQ(list.Events[3].Description, u"");
}

TEST(CIDList, ANonNumericCodeStopsTheReadKeepingEarlierEvents)
{
    for (const char* bad : {"1x0 Broken", "  \r", "-12 Negative", "12  Trailing blank in code"}) {
        SCOPED_TRACE(bad);
        const TCIDList list = ParseCIDList(std::string("110 Fire\r\n") + bad + "\r\n130 Burglary\r\n", 225);
        EXPECT_TRUE(list.StoppedAtInvalidCode);
        ASSERT_EQ(list.Events.size(), 1u);
        EXPECT_EQ(list.Events[0].Code, 110);
    }
}

TEST(CIDList, DescriptionBytesAreLatin1AndNeverCut)
{
    const TCIDList list = ParseCIDList("110 Caf\xE9 \xA0zone 1\r\n", 225);
    ASSERT_EQ(list.Events.size(), 1u);
    EXPECT_EQ(list.Events[0].Description, u"Caf\u00E9 \u00A0zone 1");
}

TEST(CIDList, ReadsNoMoreThanTheMasksThatFit)
{
    std::string text;
    for (int line = 0; line < 300; ++line) text += std::to_string(100 + line) + " Event\r\n";
    const TCIDList list = ParseCIDList(text, CIDReportingCapacity);
    EXPECT_EQ(list.Events.size(), CIDReportingCapacity);
    EXPECT_FALSE(list.StoppedAtInvalidCode);
    EXPECT_EQ(list.Events.back().Code, 100 + static_cast<int>(CIDReportingCapacity) - 1);
}

TEST(CIDList, ShippedFileGivesAllItsEvents)
{
    std::ifstream file(KVX_CIDLIST_FILE, std::ios::binary);
    ASSERT_TRUE(file) << KVX_CIDLIST_FILE;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const TCIDList list = ParseCIDList(text, CIDReportingCapacity);
    EXPECT_FALSE(list.StoppedAtInvalidCode);
    EXPECT_EQ(list.Events.size(), 225u);
    EXPECT_EQ(list.Events.front().Code, 100);
    EXPECT_EQ(list.Events.front().Description, u"Medical");
}

} // namespace
} // namespace kvx
