#include "config/words_compare.h"

#include <algorithm>
#include <cstring>

#include "config/page_names.h"

namespace kvx {

namespace {

// The elements of the image that a range covers and whose bytes differ.
void AddDifferingElements(const TKVXConfig& First, const TKVXConfig& Second, TByteRange Range, std::vector<TFieldDifference>& Fields)
{
    const std::span<const TImageElement> elements = ImageElements();
    auto element = std::upper_bound(elements.begin(), elements.end(), Range.Offset,
                                    [](size_t Offset, const TImageElement& e) { return Offset < e.Offset; });
    if (element != elements.begin()) --element;
    for (; element != elements.end() && element->Offset < size_t{Range.Offset} + Range.Size; ++element)
        if (!SameImageElement(First, Second, *element)) Fields.push_back(ImageElementDifference(First, Second, *element));
}

bool SameBytes(const TKVXConfig& First, const TKVXConfig& Second, TByteRange Range)
{
    return std::memcmp(First.Bytes() + Range.Offset, Second.Bytes() + Range.Offset, Range.Size) == 0;
}

// Page numbers in menu order, the fields no page shows last.
int MenuPlace(int PageNo) { return PageNo == 0 ? SetupPageCount + 1 : PageNo; }

} // namespace

std::vector<TWordedDifference> CompareConfigWords(const TKVXConfig& First, const TKVXConfig& Second, std::span<const TCIDEvent> CIDEvents)
{
    const TConfigWords a = DescribeConfig(First, CIDEvents);
    const TConfigWords b = DescribeConfig(Second, CIDEvents);
    std::vector<TWordedDifference> rows;
    for (size_t i = 0; i < a.Fields.size();) {
        const TWordedField& field = a.Fields[i];
        const TWordedField& other = b.Fields[i];
        if (field.Location >= 0) {
            const TWordedLocation& location = a.Locations[static_cast<size_t>(field.Location)];
            const TWordedLocation& otherLocation = b.Locations[static_cast<size_t>(field.Location)];
            if (location.Defined != otherLocation.Defined) {
                // Made or reset: the whole location in one row, as its list shows it.
                TWordedDifference row{field.PageNo, location.Defined ? location.Caption : otherLocation.Caption, location.Summary,
                                      otherLocation.Summary, field.Control, {}};
                for (size_t part = 0; part < location.FieldCount; ++part) {
                    const TByteRange bytes = a.Fields[i + part].Bytes;
                    if (part == 0 || bytes.Offset != a.Fields[i + part - 1].Bytes.Offset) AddDifferingElements(First, Second, bytes, row.Fields);
                }
                rows.push_back(std::move(row));
                i += location.FieldCount;
                continue;
            }
        }
        const bool differ = field.PageNo == 0 ? !SameBytes(First, Second, field.Bytes)
                            : field.Secret    ? !SameAccessPassword(First, Second)
                                              : field.Value != other.Value;
        if (differ) {
            TWordedDifference row{field.PageNo, field.Caption, field.Value, other.Value, field.Control, {}};
            AddDifferingElements(First, Second, field.Bytes, row.Fields);
            if (field.PageNo == 0 || field.Secret) {
                row.First = row.Fields.front().First;
                row.Second = row.Fields.front().Second;
            }
            rows.push_back(std::move(row));
        }
        ++i;
    }
    return rows;
}

std::vector<TWordedDifference> WordedFieldDifferences(const std::vector<TFieldDifference>& Differences)
{
    std::vector<TWordedDifference> rows;
    rows.reserve(Differences.size());
    for (const TFieldDifference& d : Differences) {
        TWordedDifference& row = rows.emplace_back();
        row.PageNo = PageShowingByte(d.Offset);
        row.Caption = d.Name;
        row.First = d.First;
        row.Second = d.Second;
        row.Fields = {d};
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TWordedDifference& x, const TWordedDifference& y) { return MenuPlace(x.PageNo) < MenuPlace(y.PageNo); });
    return rows;
}

std::string PageHeading(int PageNo)
{
    return PageNo >= 1 && PageNo <= SetupPageCount ? SetupPageCaption(PageNo) : NoPageHeading;
}

} // namespace kvx
