#pragma once
// ShortCuts: ten pairs of a shortcut and the instruction it stands for, 32 bytes each,
// zero-padded.
#include <cstddef>
#include <string>

#include "image/kvx_config.h"

namespace kvx {

inline constexpr size_t ShortcutCount = 10;
inline constexpr size_t ShortcutTextSize = 32;

struct TShortcut {
    std::u16string Shortcut;
    std::u16string Instruction;  // the remote command without "$", PIN and the first "*"

    bool operator==(const TShortcut&) const = default;
};

// Pair Index 0..9 (shown as 1..10).
TShortcut DecodeShortcut(const TKVXConfig& Config, size_t Index);
// Writes each non-empty text; an empty one leaves its field.
void EncodeShortcut(TKVXConfig& Config, size_t Index, const TShortcut& Shortcut);

} // namespace kvx
