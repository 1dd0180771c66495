#include "installer/launcher/internet_shortcut.h"

namespace kvx::launcher {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void AppendUtf8(std::string& Out, char32_t Code)
{
    const auto byte = [&Out](char32_t Value) { Out += static_cast<char>(static_cast<unsigned char>(Value)); };
    if (Code < 0x80) {
        byte(Code);
    } else if (Code < 0x800) {
        byte(0xC0 | (Code >> 6));
        byte(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        byte(0xE0 | (Code >> 12));
        byte(0x80 | ((Code >> 6) & 0x3F));
        byte(0x80 | (Code & 0x3F));
    } else {
        byte(0xF0 | (Code >> 18));
        byte(0x80 | ((Code >> 12) & 0x3F));
        byte(0x80 | ((Code >> 6) & 0x3F));
        byte(0x80 | (Code & 0x3F));
    }
}

bool IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

bool KeptAsIs(unsigned char Byte)
{
    constexpr std::string_view marks = "-_.~!*'();:@&=+$,/?#[]";
    return (Byte >= 'A' && Byte <= 'Z') || (Byte >= 'a' && Byte <= 'z') || (Byte >= '0' && Byte <= '9') ||
           marks.find(static_cast<char>(Byte)) != std::string_view::npos;
}

} // namespace

std::string Utf8FromUtf16(std::u16string_view Text)
{
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char16_t unit = Text[i];
        if (IsHighSurrogate(unit) && i + 1 < Text.size() && IsLowSurrogate(Text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (Text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string PercentEncode(std::string_view Utf8)
{
    constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : Utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if (KeptAsIs(byte)) {
            out += ch;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
    }
    return out;
}

std::optional<std::string> InternetShortcutContent(std::u16string_view Target)
{
    std::string content = "[InternetShortcut]\r\nURL=" + PercentEncode(Utf8FromUtf16(Target)) + "\r\n";
    if (content.size() > MaxShortcutBytes) return std::nullopt;
    return content;
}

} // namespace kvx::launcher
