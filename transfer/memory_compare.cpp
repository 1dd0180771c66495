#include "transfer/memory_compare.h"

#include <algorithm>
#include <cstring>

#include "link/kvx_frames.h"

namespace kvx {

namespace {

constexpr size_t RowSize = 16;

TKVXConfig ImageOf(const uint8_t* Memory)
{
    TKVXConfig image;
    std::memcpy(image.Bytes(), Memory, TKVXConfig::Size);
    return image;
}

std::string Hex(const uint8_t* Bytes, size_t Size)
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

} // namespace

std::vector<uint16_t> ChangedPages(const uint8_t* Held, const uint8_t* Sent)
{
    std::vector<uint16_t> pages;
    for (size_t page = 0; page < PageCount; ++page)
        if (std::memcmp(Held + page * PageSize, Sent + page * PageSize, PageSize) != 0)
            pages.push_back(static_cast<uint16_t>(page));
    return pages;
}

std::vector<TFieldDifference> CompareUnitMemory(const uint8_t* First, const uint8_t* Second)
{
    std::vector<TFieldDifference> differences = CompareConfigs(ImageOf(First), ImageOf(Second));
    for (size_t at = TKVXConfig::Size; at < UnitMemorySize; at += RowSize) {
        const size_t size = std::min(RowSize, UnitMemorySize - at);
        if (std::memcmp(First + at, Second + at, size) == 0) continue;
        differences.push_back({"AboveImage[+" + std::to_string(at - TKVXConfig::Size) + "]", at, size,
                               Hex(First + at, size), Hex(Second + at, size)});
    }
    return differences;
}

} // namespace kvx
