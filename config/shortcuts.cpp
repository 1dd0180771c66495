#include "config/shortcuts.h"

#include "config/text_fields.h"

namespace kvx {

namespace {

constexpr size_t PairSize = 2 * ShortcutTextSize;
static_assert(ShortcutCount * PairSize == decltype(TKVXConfig::ShortCuts)::Size);

void WriteIfGiven(uint8_t* Field, const std::u16string& Text)
{
    if (!Text.empty()) WriteText(Field, ShortcutTextSize, Text, PadZero);
}

} // namespace

TShortcut DecodeShortcut(const TKVXConfig& Config, size_t Index)
{
    if (Index >= ShortcutCount) return {};
    const uint8_t* pair = &Config.ShortCuts[Index * PairSize];
    return {ReadText(pair, ShortcutTextSize), ReadText(pair + ShortcutTextSize, ShortcutTextSize)};
}

void EncodeShortcut(TKVXConfig& Config, size_t Index, const TShortcut& Shortcut)
{
    if (Index >= ShortcutCount) return;
    uint8_t* pair = &Config.ShortCuts[Index * PairSize];
    WriteIfGiven(pair, Shortcut.Shortcut);
    WriteIfGiven(pair + ShortcutTextSize, Shortcut.Instruction);
}

} // namespace kvx
