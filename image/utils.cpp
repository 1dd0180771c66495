#include "image/utils.h"

#include <algorithm>
#include <cstring>

namespace kvx {

namespace {

uint8_t LowByte(char16_t c) { return static_cast<uint8_t>(c & 0xFF); }

int HexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

bool IsTextByte(uint8_t b) { return b >= 0x20 && b <= 0xA0; }

} // namespace

void TUtils::ASCIIString2BufferPad(const std::u16string& ASCIIString, uint8_t* Buffer, uint8_t Max,
                                   uint8_t PadCharacter)
{
    const size_t n = std::min<size_t>(ASCIIString.size(), Max);
    for (size_t i = 0; i < n; ++i) Buffer[i] = LowByte(ASCIIString[i]);
    std::memset(Buffer + n, PadCharacter, Max - n);
}

std::u16string TUtils::Buffer2ASCIIStringUntilNil(const uint8_t* Buffer, uint16_t MaxLength)
{
    std::u16string text;
    for (uint16_t i = 0; i < MaxLength && IsTextByte(Buffer[i]); ++i) text.push_back(Buffer[i]);
    return text;
}

uint16_t TUtils::CWord2DWord(uint16_t CWord)
{
    return static_cast<uint16_t>((CWord >> 8) | (CWord << 8));
}

void TUtils::BIN2BCD(uint32_t BIN, uint8_t* BCD)
{
    *BCD = static_cast<uint8_t>(((BIN / 10) % 10) * 16 + BIN % 10);
}

uint32_t TUtils::BCD2BIN(const uint8_t* BCD, uint8_t Length)
{
    uint32_t value = 0;
    uint32_t weight = 1;
    for (uint8_t i = 0; i < Length; ++i, weight *= 100)
        value += (BCD[i] & 0x0F) * weight + (BCD[i] >> 4) * 10 * weight;
    return value;
}

uint8_t TUtils::Str2BCD(const std::u16string& InStr)
{
    auto digit = [&](size_t i) { return i < InStr.size() ? static_cast<unsigned>(InStr[i]) - 0x30u : 0u; };
    return static_cast<uint8_t>((digit(0) * 16 + digit(1)) % 256);
}

uint8_t TUtils::HEXtoASCII(uint8_t Data)
{
    return static_cast<uint8_t>(Data < 10 ? 0x30 + Data : 0x41 + Data - 10);
}

uint32_t TUtils::CDWord2DDWord(uint32_t CDWord)
{
    return (CDWord >> 24) | ((CDWord >> 8) & 0xFF00u) | ((CDWord << 8) & 0xFF0000u) | (CDWord << 24);
}

float TUtils::DWord2Single(const uint8_t* Data)
{
    const uint32_t bits = Data[0] | (uint32_t(Data[1]) << 8) | (uint32_t(Data[2]) << 16) | (uint32_t(Data[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string TUtils::Buffer2HEXString(const uint8_t* Buffer, uint16_t Length)
{
    std::u16string text;
    text.reserve(Length * 2u);
    for (uint16_t i = 0; i < Length; ++i) {
        text.push_back(HEXtoASCII(Buffer[i] >> 4));
        text.push_back(HEXtoASCII(Buffer[i] & 0x0F));
    }
    return text;
}

bool TUtils::HEXString2Buffer(const std::u16string& HEXString, uint8_t* Buffer)
{
    const size_t count = HEXString.size() / 2;
    for (size_t i = 0; i < count * 2; ++i)
        if (HexDigitValue(HEXString[i]) < 0) return false;
    for (size_t i = 0; i < count; ++i)
        Buffer[i] = static_cast<uint8_t>(HexDigitValue(HEXString[2 * i]) * 16 + HexDigitValue(HEXString[2 * i + 1]));
    return true;
}

std::u16string TUtils::Buffer2ASCIIString(const uint8_t* Buffer, uint16_t Length)
{
    return std::u16string(Buffer, Buffer + Length);
}

std::u16string TUtils::RegistryBuffer2String(const uint8_t* Buffer, uint16_t Length)
{
    std::u16string text;
    for (uint16_t i = 0; i < Length; ++i) {
        text.push_back(Buffer[2 * i]);
        // Never look at a unit past the Length the caller vouched for.
        if (i + 1 < Length && Buffer[2 * (i + 1)] == 0) break;
    }
    return text;
}

uint16_t TUtils::ASCIIString2Buffer(const std::u16string& ASCIIString, uint8_t* Buffer)
{
    for (size_t i = 0; i < ASCIIString.size(); ++i) Buffer[i] = LowByte(ASCIIString[i]);
    Buffer[ASCIIString.size()] = 0;
    return static_cast<uint16_t>(ASCIIString.size());
}

void TUtils::ASCIIString2BufferMax(const std::u16string& ASCIIString, uint8_t* Buffer, uint8_t Max)
{
    const size_t n = std::min<size_t>(ASCIIString.size(), Max);
    for (size_t i = 0; i < n; ++i) Buffer[i] = LowByte(ASCIIString[i]);
    if (n < Max) Buffer[n] = 0;
}

std::u16string TUtils::Trim(const std::u16string& Text)
{
    size_t first = 0;
    size_t last = Text.size();
    while (first < last && Text[first] <= u' ') ++first;
    while (last > first && Text[last - 1] <= u' ') --last;
    return Text.substr(first, last - first);
}

std::u16string TUtils::FromLatin1(const std::string& Text)
{
    std::u16string out;
    out.reserve(Text.size());
    for (unsigned char c : Text) out.push_back(c);
    return out;
}

std::string TUtils::ToLatin1(const std::u16string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (char16_t c : Text) out.push_back(static_cast<char>(LowByte(c)));
    return out;
}

} // namespace kvx
