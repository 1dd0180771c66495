#pragma once
// Text slots of the image: fixed width, one byte per character, no terminator.
// Reading stops at the first byte outside 0x20..0xA0 and trims; writing cuts and pads.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvx {

inline constexpr uint8_t PadZero = 0x00;
inline constexpr uint8_t PadSpace = 0x20;
// The width of the unit's reporting name, an input message and a timer's label.
inline constexpr size_t LabelWidth = 16;

// True when the text holds nothing but blanks: it would read back from its slot as empty.
bool IsBlank(const std::u16string& Text);

// The text of a slot, without leading or trailing blanks.
std::u16string ReadText(const uint8_t* Field, size_t Width);
// The text cut to Width and padded with Pad; always exactly Width bytes.
void WriteText(uint8_t* Field, size_t Width, const std::u16string& Text, uint8_t Pad);
// Every byte 0xFF, as in an erased image: what a slot holds before the pages store into it.
void EraseField(uint8_t* Field, size_t Width);

// Telephone numbers are stored as "+" and the digits, zero-padded. Reading drops the first
// character whatever it is, as the unit's own tools always have.
std::u16string ReadPhoneNumber(const uint8_t* Field, size_t Width);
// Writes "+" and the digits; an empty number leaves the slot untouched.
void WritePhoneNumber(uint8_t* Field, size_t Width, const std::u16string& Digits);

template <typename TField>
std::u16string ReadText(const TField& Field) { return ReadText(Field.Data, TField::Size); }
template <typename TField>
void WriteText(TField& Field, const std::u16string& Text, uint8_t Pad) { WriteText(Field.Data, TField::Size, Text, Pad); }
template <typename TField>
std::u16string ReadPhoneNumber(const TField& Field) { return ReadPhoneNumber(Field.Data, TField::Size); }
template <typename TField>
void WritePhoneNumber(TField& Field, const std::u16string& Digits) { WritePhoneNumber(Field.Data, TField::Size, Digits); }

} // namespace kvx
