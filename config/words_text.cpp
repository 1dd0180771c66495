#include "config/words_text.h"

#include <algorithm>

#include "config/value_words.h"

namespace kvx {

namespace {

// Adds the page's heading line when the page changes.
void Heading(std::string& Text, int& Shown, int PageNo)
{
    if (PageNo == Shown) return;
    Text += PageHeading(PageNo) + "\n";
    Shown = PageNo;
}

bool Erased(const TKVXConfig& Config, TByteRange Bytes)
{
    const uint8_t* at = Config.Bytes() + Bytes.Offset;
    return std::all_of(at, at + Bytes.Size, [](uint8_t b) { return b == 0xFF; });
}

} // namespace

std::string ConfigWordsText(const TKVXConfig& Config, std::span<const TCIDEvent> CIDEvents)
{
    const TConfigWords words = DescribeConfig(Config, CIDEvents);
    std::string text;
    int shown = -1;
    for (size_t i = 0; i < words.Fields.size(); ++i) {
        const TWordedField& field = words.Fields[i];
        if (field.Location >= 0) {
            const TWordedLocation& location = words.Locations[static_cast<size_t>(field.Location)];
            if (location.FirstField != i || !location.Defined) continue;
            Heading(text, shown, field.PageNo);
            text += "  " + location.Caption + ": " + location.Summary + "\n";
            continue;
        }
        if (field.PageNo == 0 && Erased(Config, field.Bytes)) continue;
        // The entries of a list (the Contact ID labels) only while they hold something.
        if (!field.Control.List.empty() && field.Value == EmptyWord) continue;
        Heading(text, shown, field.PageNo);
        text += "  " + field.Caption + ": " + field.Value + "\n";
    }
    return text;
}

std::string DifferencesText(const std::vector<TWordedDifference>& Differences)
{
    std::string text;
    int shown = -1;
    for (const TWordedDifference& d : Differences) {
        Heading(text, shown, d.PageNo);
        text += "  " + d.Caption + ": " + d.First + " -> " + d.Second + "\n";
    }
    return text;
}

} // namespace kvx
