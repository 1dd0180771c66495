#include "config/raw_bytes.h"

#include <cstddef>
#include <cstring>

#include "config/config_compare.h"

namespace kvx {

namespace {

bool Differs(const TKVXConfig& First, const TKVXConfig& Second, size_t Offset, size_t Size)
{
    return std::memcmp(First.Bytes() + Offset, Second.Bytes() + Offset, Size) != 0;
}

} // namespace

std::optional<TByteSpan> ByteSpanNamed(std::string_view Name)
{
    for (const TFieldInfo& field : ConfigFields())
        if (Name == field.Name) return TByteSpan{field.Name, field.Offset, field.Size};
    for (const TImageElement& element : ImageElements())
        if (Name == element.Name) return TByteSpan{element.Name, element.Offset, element.Size};
    return std::nullopt;
}

bool HoldsPassword(const TByteSpan& Span)
{
    constexpr size_t first = offsetof(TKVXConfig, LockArray);
    return Span.Offset < first + sizeof(TKVXConfig::LockArray) && Span.Offset + Span.Size > first;
}

std::vector<TByteSpan> DifferingSpans(const TKVXConfig& First, const TKVXConfig& Second)
{
    std::vector<TByteSpan> spans;
    const std::span<const TImageElement> elements = ImageElements();
    auto element = elements.begin();
    for (const TFieldInfo& field : ConfigFields()) {
        const size_t end = field.Offset + field.Size;
        if (!Differs(First, Second, field.Offset, field.Size)) {
            while (element != elements.end() && element->Offset < end) ++element;
            continue;
        }
        std::vector<TByteSpan> differing;
        size_t count = 0;
        for (; element != elements.end() && element->Offset < end; ++element, ++count)
            if (Differs(First, Second, element->Offset, element->Size)) differing.push_back({element->Name, element->Offset, element->Size});
        if (count > 1 && 2 * differing.size() > count) spans.push_back({field.Name, field.Offset, field.Size});
        else spans.insert(spans.end(), differing.begin(), differing.end());
    }
    return spans;
}

} // namespace kvx
