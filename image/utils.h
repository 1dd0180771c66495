#pragma once
// Conversions between the program's text and numbers and the byte fields of the
// configuration image and wire frames. Text is 16-bit character codes; bytes and
// characters convert one to one with no code page.
#include <cstdint>
#include <string>

namespace kvx {

class TUtils {
public:
    // Writes exactly Max bytes: the first min(length, Max) characters, then PadCharacter.
    static void ASCIIString2BufferPad(const std::u16string& ASCIIString, uint8_t* Buffer, uint8_t Max,
                                      uint8_t PadCharacter);
    // Reads at most MaxLength bytes, stopping before the first byte below 0x20 or above 0xA0.
    static std::u16string Buffer2ASCIIStringUntilNil(const uint8_t* Buffer, uint16_t MaxLength);
    // Swaps the two bytes; its own inverse.
    static uint16_t CWord2DWord(uint16_t CWord);
    // Stores the last two decimal digits of BIN as one packed-BCD byte.
    static void BIN2BCD(uint32_t BIN, uint8_t* BCD);
    // Least significant digit pair first; nibbles are taken as they are (0xFF gives 165).
    static uint32_t BCD2BIN(const uint8_t* BCD, uint8_t Length);
    // Packed-BCD byte of the first two characters; a missing character counts as '0'.
    static uint8_t Str2BCD(const std::u16string& InStr);

    static uint8_t HEXtoASCII(uint8_t Data);
    static uint32_t CDWord2DDWord(uint32_t CDWord);
    static float DWord2Single(const uint8_t* Data);
    static std::u16string Buffer2HEXString(const uint8_t* Buffer, uint16_t Length);
    // Fills length div 2 bytes; returns false and writes nothing when a pair is not hexadecimal.
    static bool HEXString2Buffer(const std::u16string& HEXString, uint8_t* Buffer);
    static std::u16string Buffer2ASCIIString(const uint8_t* Buffer, uint16_t Length);
    // Buffer holds Length 16-bit units; only their low bytes are taken.
    static std::u16string RegistryBuffer2String(const uint8_t* Buffer, uint16_t Length);
    // All characters then a 0 byte; returns the number of characters.
    static uint16_t ASCIIString2Buffer(const std::u16string& ASCIIString, uint8_t* Buffer);
    // At most Max bytes; the 0 byte follows only when the text is shorter than Max.
    static void ASCIIString2BufferMax(const std::u16string& ASCIIString, uint8_t* Buffer, uint8_t Max);

    // Removes leading and trailing blanks and control characters (codes up to 0x20).
    static std::u16string Trim(const std::u16string& Text);
    // Plain conversions between 16-bit text and the 8-bit text of the terminal and files.
    static std::u16string FromLatin1(const std::string& Text);
    static std::string ToLatin1(const std::u16string& Text);
};

} // namespace kvx
