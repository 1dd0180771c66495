#include "image/utils.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

namespace kvx {
namespace {

using Bytes = std::vector<uint8_t>;

// A field with sentinel bytes on both sides, so a write past either end shows.
struct TGuardedField {
    explicit TGuardedField(size_t width) : Storage(width + 2, 0xEE) {}
    uint8_t* Field() { return Storage.data() + 1; }
    Bytes Contents() const { return Bytes(Storage.begin() + 1, Storage.end() - 1); }
    bool GuardsIntact() const { return Storage.front() == 0xEE && Storage.back() == 0xEE; }
    Bytes Storage;
};

TEST(TextFieldCodec, PadsToTheFieldWidthWithTheChosenByte)
{
    for (uint8_t pad : {uint8_t(0x00), uint8_t(0x20)}) {
        TGuardedField f(16);
        TUtils::ASCIIString2BufferPad(u"ABC", f.Field(), 16, pad);
        Bytes expected{0x41, 0x42, 0x43};
        expected.resize(16, pad);
        EXPECT_EQ(f.Contents(), expected);
        EXPECT_TRUE(f.GuardsIntact());
    }
}

TEST(TextFieldCodec, CutsLongTextAndWritesOnlyPadForEmptyText)
{
    TGuardedField f(16);
    TUtils::ASCIIString2BufferPad(u"ABCDEFGHIJKLMNOPQRST", f.Field(), 16, 0);
    const std::u16string_view first16 = u"ABCDEFGHIJKLMNOP";
    EXPECT_EQ(f.Contents(), Bytes(first16.begin(), first16.end()));
    EXPECT_TRUE(f.GuardsIntact());

    TUtils::ASCIIString2BufferPad(u"", f.Field(), 16, 0x20);
    EXPECT_EQ(f.Contents(), Bytes(16, 0x20));
    EXPECT_TRUE(f.GuardsIntact());
}

TEST(TextFieldCodec, KeepsOnlyTheLowByteOfEachCharacter)
{
    uint8_t field[3];
    TUtils::ASCIIString2BufferPad(u"\u00E9\u20AC", field, 3, 0);
    EXPECT_EQ(Bytes(field, field + 3), (Bytes{0xE9, 0xAC, 0x00}));
}

TEST(TextFieldCodec, ReadStopsAtBytesOutsideTheTextRange)
{
    const Bytes erased(16, 0xFF);
    EXPECT_EQ(TUtils::Buffer2ASCIIStringUntilNil(erased.data(), 16), u"");
    const Bytes nil{'A', 'B', 0x00, 'C', 'D'};
    EXPECT_EQ(TUtils::Buffer2ASCIIStringUntilNil(nil.data(), 5), u"AB");
    const Bytes edge{0x41, 0xA0, 0xA1};
    EXPECT_EQ(TUtils::Buffer2ASCIIStringUntilNil(edge.data(), 3), u"A\u00A0");
    const Bytes full{'1', '2', '3', '4'};
    EXPECT_EQ(TUtils::Buffer2ASCIIStringUntilNil(full.data(), 3), u"123");
    const Bytes spaced{'A', ' ', ' '};
    EXPECT_EQ(TUtils::Buffer2ASCIIStringUntilNil(spaced.data(), 3), u"A  ");
}

TEST(NumberCodecs, WordsSwapAndBcdKeepsTheLastTwoDigits)
{
    EXPECT_EQ(TUtils::CWord2DWord(0x03E8), 0xE803);
    EXPECT_EQ(TUtils::CWord2DWord(TUtils::CWord2DWord(0x1234)), 0x1234);
    EXPECT_EQ(TUtils::CDWord2DDWord(0x11223344u), 0x44332211u);

    uint8_t bcd = 0;
    for (auto [bin, expected] : std::array<std::pair<uint32_t, uint8_t>, 4>{{{7, 0x07}, {8, 0x08}, {59, 0x59}, {123, 0x23}}}) {
        TUtils::BIN2BCD(bin, &bcd);
        EXPECT_EQ(bcd, expected) << bin;
    }
}

TEST(NumberCodecs, BcdReadsNibblesAsTheyAre)
{
    const uint8_t twoBytes[] = {0x78, 0x56};
    EXPECT_EQ(TUtils::BCD2BIN(twoBytes, 2), 5678u);
    const uint8_t odd[] = {0xFF, 0x3A, 0x59};
    EXPECT_EQ(TUtils::BCD2BIN(odd, 1), 165u);
    EXPECT_EQ(TUtils::BCD2BIN(odd + 1, 1), 40u);
    EXPECT_EQ(TUtils::BCD2BIN(odd + 2, 1), 59u);
}

TEST(NumberCodecs, TwoDigitTextToBcd)
{
    EXPECT_EQ(TUtils::Str2BCD(u"14"), 0x14);
    EXPECT_EQ(TUtils::Str2BCD(u"09"), 0x09);
    EXPECT_EQ(TUtils::Str2BCD(u"26x"), 0x26);
    // Too short a text never reads past its end.
    EXPECT_EQ(TUtils::Str2BCD(u"5"), 0x50);
    EXPECT_EQ(TUtils::Str2BCD(u""), 0x00);
}

TEST(HexCodecs, RoundTripAndRefuseNonHexWithoutWriting)
{
    const uint8_t data[] = {0x0A, 0x1B, 0xFF, 0x00};
    EXPECT_EQ(TUtils::Buffer2HEXString(data, 4), u"0A1BFF00");
    EXPECT_EQ(TUtils::HEXtoASCII(9), '9');
    EXPECT_EQ(TUtils::HEXtoASCII(15), 'F');

    uint8_t out[3] = {0xEE, 0xEE, 0xEE};
    EXPECT_TRUE(TUtils::HEXString2Buffer(u"0a1B7", out));  // odd last character ignored
    EXPECT_EQ(Bytes(out, out + 3), (Bytes{0x0A, 0x1B, 0xEE}));

    uint8_t untouched[2] = {0xEE, 0xEE};
    EXPECT_FALSE(TUtils::HEXString2Buffer(u"12G4", untouched));
    EXPECT_EQ(Bytes(untouched, untouched + 2), (Bytes{0xEE, 0xEE}));
}

TEST(OtherTextCodecs, TerminatorsAndLengths)
{
    const uint8_t withZero[] = {'A', 0, 'B'};
    EXPECT_EQ(TUtils::Buffer2ASCIIString(withZero, 3), std::u16string(u"A\0B", 3));

    uint8_t buffer[6];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(TUtils::ASCIIString2Buffer(u"ABC", buffer), 3);
    EXPECT_EQ(Bytes(buffer, buffer + 5), (Bytes{'A', 'B', 'C', 0, 0xEE}));

    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    TUtils::ASCIIString2BufferMax(u"ABCDEF", buffer, 4);
    EXPECT_EQ(Bytes(buffer, buffer + 5), (Bytes{'A', 'B', 'C', 'D', 0xEE}));
    TUtils::ASCIIString2BufferMax(u"AB", buffer, 4);
    EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{'A', 'B', 0}));
}

TEST(OtherTextCodecs, RegistryTextTakesLowBytesUntilANullUnit)
{
    const uint8_t wide[] = {'K', 0, 'V', 0, 'X', 0, 0, 0, 'Z', 0};
    EXPECT_EQ(TUtils::RegistryBuffer2String(wide, 5), u"KVX");
    // The first unit is taken even when it is zero; the length is never overrun.
    const uint8_t first[] = {0, 0, 'A', 0};
    EXPECT_EQ(TUtils::RegistryBuffer2String(first, 2), std::u16string(u"\0A", 2));
    EXPECT_EQ(TUtils::RegistryBuffer2String(wide, 2), u"KV");
}

TEST(OtherTextCodecs, SingleFromLeastSignificantFirstBytes)
{
    const uint8_t one[] = {0x00, 0x00, 0x80, 0x3F};
    EXPECT_FLOAT_EQ(TUtils::DWord2Single(one), 1.0f);
}

TEST(OtherTextCodecs, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(TUtils::Trim(u" \t secret \r\n"), u"secret");
    EXPECT_EQ(TUtils::Trim(std::u16string(32, u' ')), u"");
}

} // namespace
} // namespace kvx
