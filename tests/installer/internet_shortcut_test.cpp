#include "installer/launcher/internet_shortcut.h"

#include <gtest/gtest.h>

namespace kvx::launcher {
namespace {

TEST(PercentEncoding, KeepsUrlCharactersAndEscapesEverythingElse)
{
    const std::string kept = "AZaz09-_.~!*'();:@&=+$,/?#[]";
    EXPECT_EQ(PercentEncode(kept), kept);
    EXPECT_EQ(PercentEncode(" \"%<>\\^`{|}"), "%20%22%25%3C%3E%5C%5E%60%7B%7C%7D");
    EXPECT_EQ(PercentEncode(std::string("\x00\x7F\xFF", 3)), "%00%7F%FF");
}

TEST(PercentEncoding, TextIsEncodedAsUtf8First)
{
    EXPECT_EQ(PercentEncode(Utf8FromUtf16(u"caf\u00E9 \u20AC")), "caf%C3%A9%20%E2%82%AC");
    EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
    // Unpaired halves of a surrogate pair, at the end or followed by a plain character.
    EXPECT_EQ(Utf8FromUtf16(std::u16string{u'a', char16_t(0xD83D)}), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{char16_t(0xDE00), u'b'}), "\xEF\xBF\xBD" "b");
    EXPECT_EQ(Utf8FromUtf16(std::u16string{char16_t(0xD83D), u'c'}), "\xEF\xBF\xBD" "c");
}

TEST(InternetShortcut, ContentLinesAndSizeLimit)
{
    EXPECT_EQ(InternetShortcutContent(u"mailto:kvx@example.com?subject=Hi there"),
              "[InternetShortcut]\r\nURL=mailto:kvx@example.com?subject=Hi%20there\r\n");

    const size_t frame = std::string("[InternetShortcut]\r\nURL=\r\n").size();
    const std::u16string fits(MaxShortcutBytes - frame, u'a');
    ASSERT_TRUE(InternetShortcutContent(fits));
    EXPECT_EQ(InternetShortcutContent(fits)->size(), MaxShortcutBytes);
    EXPECT_FALSE(InternetShortcutContent(fits + u"a"));
    // The limit counts encoded bytes: one space becomes three.
    EXPECT_FALSE(InternetShortcutContent(std::u16string(MaxShortcutBytes - frame - 2, u'a') + u" "));
}

} // namespace
} // namespace kvx::launcher
