#pragma once
// How the description of a configuration is put together, page by page (not for use beyond
// the description's own files).
#include <string>
#include <utility>

#include "config/config_words.h"

namespace kvx {

class TWordsBuilder {
public:
    TWordsBuilder(const TKVXConfig& Config, TConfigWords& Words) : FConfig(Config), FWords(Words) {}

    // The page the fields added from now on are on (0: none).
    void Page(int No) { FPage = No; }

    TWordedField& Add(std::string Caption, std::string Value, std::string Path, TByteRange Bytes)
    {
        return AddAt(std::move(Caption), std::move(Value), {{}, -1, std::move(Path)}, Bytes);
    }
    TWordedField& AddAt(std::string Caption, std::string Value, TControlRef Control, TByteRange Bytes)
    {
        FWords.Fields.push_back({FPage, std::move(Caption), std::move(Value), std::move(Control), Bytes, FLocation, false});
        return FWords.Fields.back();
    }

    // The fields added until EndLocation make up one location of a list.
    void BeginLocation(std::string Caption, std::string Summary, bool Defined)
    {
        FLocation = static_cast<int>(FWords.Locations.size());
        FWords.Locations.push_back({std::move(Caption), std::move(Summary), Defined, FWords.Fields.size(), 0});
    }
    void EndLocation()
    {
        TWordedLocation& location = FWords.Locations.back();
        location.FieldCount = FWords.Fields.size() - location.FirstField;
        FLocation = -1;
    }

    // Size bytes from From within a field of the image.
    template <typename TField>
    TByteRange Range(const TField& Field, size_t From = 0, size_t Size = sizeof(TField)) const
    {
        return Range(reinterpret_cast<const uint8_t*>(&Field) + From, Size);
    }
    TByteRange Range(const uint8_t* At, size_t Size) const
    {
        return {static_cast<uint16_t>(At - FConfig.Bytes()), static_cast<uint16_t>(Size)};
    }

    const TConfigWords& Words() const { return FWords; }

private:
    const TKVXConfig& FConfig;
    TConfigWords& FWords;
    int FPage = 0;
    int FLocation = -1;
};

// A row's caption and one of its columns' ("Timer 01 Pump on, Operation time").
inline std::string RowAndColumn(const std::string& Row, const char* Column) { return Row + ", " + Column; }

// Pulse time setup, SMS command shortcuts, Missed call switching, Switching by timer, KVX to
// base stations and If-this-then-that, in menu order.
void DescribeSwitchingPages(TWordsBuilder& Builder, const TKVXConfig& Config);

} // namespace kvx
