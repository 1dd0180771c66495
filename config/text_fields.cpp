#include "config/text_fields.h"

#include <cstring>

#include "image/utils.h"

namespace kvx {

bool IsBlank(const std::u16string& Text)
{
    return TUtils::Trim(Text).empty();
}

std::u16string ReadText(const uint8_t* Field, size_t Width)
{
    return TUtils::Trim(TUtils::Buffer2ASCIIStringUntilNil(Field, static_cast<uint16_t>(Width)));
}

void WriteText(uint8_t* Field, size_t Width, const std::u16string& Text, uint8_t Pad)
{
    TUtils::ASCIIString2BufferPad(Text, Field, static_cast<uint8_t>(Width), Pad);
}

void EraseField(uint8_t* Field, size_t Width) { std::memset(Field, 0xFF, Width); }

std::u16string ReadPhoneNumber(const uint8_t* Field, size_t Width)
{
    const std::u16string text = ReadText(Field, Width);
    return text.empty() ? text : text.substr(1);
}

void WritePhoneNumber(uint8_t* Field, size_t Width, const std::u16string& Digits)
{
    if (Digits.empty()) return;
    WriteText(Field, Width, u"+" + Digits, PadZero);
}

} // namespace kvx
