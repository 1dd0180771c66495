#pragma once
// The ".url" file through which the launcher opens web and mail addresses.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kvx::launcher {

constexpr size_t MaxShortcutBytes = 1000;

// Unpaired surrogates become U+FFFD, as Windows' own conversion does.
std::string Utf8FromUtf16(std::u16string_view Text);

// Keeps letters, digits, -_.~!*'();:@&=+$,/?#[] and writes every other byte as %XX.
std::string PercentEncode(std::string_view Utf8);

// "[InternetShortcut]\r\nURL=<target>\r\n"; nothing when it would exceed MaxShortcutBytes.
std::optional<std::string> InternetShortcutContent(std::u16string_view Target);

} // namespace kvx::launcher
