#include "config/config_compare.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/input_messages.h"
#include "config/missed_calls.h"
#include "config/recipient_masks.h"
#include "config/remote_control.h"
#include "config/shortcuts.h"
#include "config/timers.h"

namespace kvx {

namespace {

using TShown = TElementForm;
using TElement = TImageElement;

// How the elements of an inner block are numbered.
enum class TNumbering : uint8_t { FromOne, FromZero, ByEvent, ByInputEvent };

struct TPart {
    const char* Name;  // null: the whole element
    size_t Offset;
    size_t Size;
    TShown Shown;
};

struct TBlock {
    std::string_view Field;
    size_t Count;  // 0: as many as the field holds
    TNumbering Numbering;
    std::vector<TPart> Parts;  // within one element; the element's size is the last part's end
};

const std::vector<TBlock>& Blocks()
{
    static const std::vector<TBlock> blocks = {
        {"TimerEvents", TimerCount, TNumbering::FromOne, {{nullptr, 0, 8, TShown::Hex}}},
        {"TimerLabels", TimerCount, TNumbering::FromOne, {{nullptr, 0, 16, TShown::Text}}},
        {"CIDPartitionLabels", CIDPartitionCount, TNumbering::FromZero, {{nullptr, 0, 16, TShown::Text}}},
        {"CIDZoneLabels", CIDZoneCount, TNumbering::FromZero, {{nullptr, 0, 16, TShown::Text}}},
        {"CIDUserLabels", CIDUserCount, TNumbering::FromZero, {{nullptr, 0, 16, TShown::Text}}},
        {"M2MTelemetries", DistributeMessageCount, TNumbering::ByEvent, {{nullptr, 0, 3, TShown::Text}}},
        {"MissedCallNumbers", MissedCallCount, TNumbering::FromOne, {{nullptr, 0, 16, TShown::Text}}},
        {"MissedCallAccessRules", MissedCallCount, TNumbering::FromOne, {{nullptr, 0, 8, TShown::Hex}}},
        {"InputMessages", InputMessageCount, TNumbering::ByInputEvent, {{nullptr, 0, 16, TShown::Text}}},
        {"ReportingNumbers", RecipientCount, TNumbering::FromOne, {{nullptr, 0, 16, TShown::Text}}},
        {"DistributeMessages", DistributeMessageCount, TNumbering::ByEvent, {{nullptr, 0, 2, TShown::WordLSBFirst}}},
        {"ContactIDReporting", CIDReportingCapacity, TNumbering::FromOne, {{nullptr, 0, 2, TShown::WordLSBFirst}}},
        {"RemoteReporting", 0, TNumbering::FromOne, {{nullptr, 0, 1, TShown::Number}}},
        {"RemoteControl", RemoteCommandCount, TNumbering::FromOne,
         {{"Number", 0, 16, TShown::Text}, {"Command", 16, RemoteCommandTextSize, TShown::Text}}},
        {"ShortCuts", ShortcutCount, TNumbering::FromOne,
         {{"Shortcut", 0, ShortcutTextSize, TShown::Text}, {"Instruction", ShortcutTextSize, ShortcutTextSize, TShown::Text}}},
    };
    return blocks;
}

// Single bytes inside reserved regions that have a name of their own.
struct TNamedByte {
    size_t Offset;
    const char* Name;
};
constexpr TNamedByte NamedBytes[] = {{HiddenSettingOffset, "HiddenSetting"}};

constexpr size_t RowSize = 16;

std::string ElementNumber(TNumbering Numbering, size_t Index)
{
    switch (Numbering) {
    case TNumbering::FromOne: return std::to_string(Index + 1);
    case TNumbering::FromZero: return std::to_string(Index);
    case TNumbering::ByEvent: return DistributionEventName(static_cast<TDistributionEvent>(Index));
    case TNumbering::ByInputEvent: return DistributionEventName(static_cast<TDistributionEvent>(Index + 1));
    }
    return std::to_string(Index);
}

void AddBlock(const TFieldInfo& Field, const TBlock& Block, std::vector<TElement>& Elements)
{
    const size_t stride = Block.Parts.back().Offset + Block.Parts.back().Size;
    const size_t count = Block.Count ? Block.Count : Field.Size / stride;
    for (size_t i = 0; i < count && (i + 1) * stride <= Field.Size; ++i) {
        const std::string element = std::string(Field.Name) + "[" + ElementNumber(Block.Numbering, i) + "]";
        for (const TPart& part : Block.Parts)
            Elements.push_back({part.Name ? element + "." + part.Name : element, Field.Offset + i * stride + part.Offset,
                                part.Size, part.Shown});
    }
}

// A reserved region in rows of at most 16 bytes, with its named bytes apart.
void AddRows(const TFieldInfo& Field, std::vector<TElement>& Elements)
{
    const size_t end = Field.Offset + Field.Size;
    for (size_t at = Field.Offset; at < end;) {
        const auto named = std::find_if(std::begin(NamedBytes), std::end(NamedBytes),
                                        [at](const TNamedByte& b) { return b.Offset == at; });
        if (named != std::end(NamedBytes)) {
            Elements.push_back({named->Name, at, 1, TShown::Number});
            ++at;
            continue;
        }
        size_t rowEnd = std::min(end, Field.Offset + ((at - Field.Offset) / RowSize + 1) * RowSize);
        for (const TNamedByte& b : NamedBytes)
            if (b.Offset > at && b.Offset < rowEnd) rowEnd = b.Offset;
        const std::string name = Field.Size > RowSize ? std::string(Field.Name) + "[+" + std::to_string(at - Field.Offset) + "]"
                                                      : std::string(Field.Name);
        Elements.push_back({name, at, rowEnd - at, TShown::Hex});
        at = rowEnd;
    }
}

// Times of day are packed BCD: in hex they read as the time ("12" for 12 o'clock).
bool IsBCD(std::string_view Name) { return Name == "AutoTestTimeHours" || Name == "AutoTestTimeMinutes"; }

constexpr std::string_view PasswordField = "LockArray";

TShown ShownByKind(TFieldKind Kind)
{
    switch (Kind) {
    case TFieldKind::Byte:
    case TFieldKind::Word: return TShown::Number;
    case TFieldKind::Label:
    case TFieldKind::Bytes: return TShown::Text;
    case TFieldKind::DistributeMessages: break;
    }
    return TShown::Hex;
}

// The image's fields and the elements of its inner blocks, in image order.
const std::vector<TElement>& Elements()
{
    static const std::vector<TElement> elements = [] {
        std::vector<TElement> all;
        for (const TFieldInfo& field : ConfigFields()) {
            const auto block = std::find_if(Blocks().begin(), Blocks().end(),
                                            [&](const TBlock& b) { return b.Field == field.Name; });
            if (block != Blocks().end()) AddBlock(field, *block, all);
            else if (IsReservedField(field.Name)) AddRows(field, all);
            else if (field.Name == PasswordField) all.push_back({field.Name, field.Offset, field.Size, TShown::Secret});
            else all.push_back({field.Name, field.Offset, field.Size, IsBCD(field.Name) ? TShown::Hex : ShownByKind(field.Kind)});
        }
        return all;
    }();
    return elements;
}

std::string HexText(const uint8_t* Bytes, size_t Size)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < Size; ++i) {
        if (i) text += ' ';
        text += Digits[Bytes[i] >> 4];
        text += Digits[Bytes[i] & 0x0F];
    }
    return text;
}

bool IsPadding(uint8_t Byte) { return Byte == 0x00 || Byte == 0x20 || Byte == 0xFF; }

// Printable characters followed by nothing but padding read as text; anything else is hex.
std::string TextOrHex(const uint8_t* Bytes, size_t Size)
{
    size_t end = 0;
    while (end < Size && Bytes[end] >= 0x20 && Bytes[end] <= 0x7E) ++end;
    if (!std::all_of(Bytes + end, Bytes + Size, IsPadding)) return HexText(Bytes, Size);
    while (end > 0 && Bytes[end - 1] == ' ') --end;
    return "\"" + std::string(reinterpret_cast<const char*>(Bytes), end) + "\"";
}

std::string ValueText(const uint8_t* Bytes, const TElement& Element)
{
    switch (Element.Form) {
    case TShown::Number: {
        unsigned value = 0;
        for (size_t i = 0; i < Element.Size; ++i) value = value << 8 | Bytes[i];
        return std::to_string(value);
    }
    case TShown::WordLSBFirst: return std::to_string(Bytes[1] << 8 | Bytes[0]);
    case TShown::Text: return TextOrHex(Bytes, Element.Size);
    case TShown::Secret: return std::string(DiffersWord);
    case TShown::Hex: break;
    }
    return HexText(Bytes, Element.Size);
}

// The unit reads a password of nothing but blanks, or one never set, as none.
bool HoldsNoPassword(const TKVXConfig& Config)
{
    return std::all_of(std::begin(Config.LockArray.Data), std::end(Config.LockArray.Data),
                       [](uint8_t b) { return b == 0xFF || b == ' '; });
}

} // namespace

bool SameAccessPassword(const TKVXConfig& First, const TKVXConfig& Second)
{
    if (HoldsNoPassword(First) && HoldsNoPassword(Second)) return true;
    return std::memcmp(First.LockArray.Data, Second.LockArray.Data, decltype(TKVXConfig::LockArray)::Size) == 0;
}

std::span<const TImageElement> ImageElements()
{
    return Elements();
}

std::string ImageElementText(const TKVXConfig& Config, const TImageElement& Element)
{
    return ValueText(Config.Bytes() + Element.Offset, Element);
}

bool SameImageElement(const TKVXConfig& First, const TKVXConfig& Second, const TImageElement& Element)
{
    if (Element.Form == TShown::Secret) return SameAccessPassword(First, Second);
    return std::memcmp(First.Bytes() + Element.Offset, Second.Bytes() + Element.Offset, Element.Size) == 0;
}

TFieldDifference ImageElementDifference(const TKVXConfig& First, const TKVXConfig& Second, const TImageElement& Element)
{
    const uint8_t* a = First.Bytes() + Element.Offset;
    const uint8_t* b = Second.Bytes() + Element.Offset;
    TFieldDifference difference{Element.Name, Element.Offset, Element.Size, ValueText(a, Element), ValueText(b, Element)};
    // Texts that differ only in their padding would look alike: show their bytes.
    if (difference.First == difference.Second && Element.Form != TShown::Secret) {
        difference.First = HexText(a, Element.Size);
        difference.Second = HexText(b, Element.Size);
    }
    return difference;
}

std::vector<TFieldDifference> CompareConfigs(const TKVXConfig& First, const TKVXConfig& Second)
{
    std::vector<TFieldDifference> differences;
    for (const TElement& element : Elements())
        if (!SameImageElement(First, Second, element)) differences.push_back(ImageElementDifference(First, Second, element));
    return differences;
}

} // namespace kvx
