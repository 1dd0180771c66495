#pragma once
// Two images compared field by field, for verifying a write, `kvxctl diff` and the program's
// compare and change lists. Fields carry the names of the image's field table; inner blocks
// are split into their elements ("TimerLabels[5]", "DistributeMessages[MainsFail]",
// "RemoteControl[2].Command"), reserved regions into rows of at most 16 bytes
// ("Unknown19[+32]"). Numbers count as the pages count (timers and recipients from 1,
// Contact ID labels from 0, byte rows by their offset in the field). The access password
// (LockArray) never shows its bytes: a difference reads "(differs)", and no password on
// either side (every byte 0xFF or a blank) is no difference.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/kvx_config.h"

namespace kvx {

struct TFieldDifference {
    std::string Name;
    size_t Offset = 0;  // in the image
    size_t Size = 0;
    // Readable values: text in quotes, numbers in decimal, anything else as hex bytes.
    std::string First;
    std::string Second;

    bool operator==(const TFieldDifference&) const = default;
};

// Every element whose bytes differ, in image order; empty when the images are equal.
std::vector<TFieldDifference> CompareConfigs(const TKVXConfig& First, const TKVXConfig& Second);

// What stands for the access password's value wherever two of them differ.
inline constexpr std::string_view DiffersWord = "(differs)";
// Both images hold the same access password, or neither holds one.
bool SameAccessPassword(const TKVXConfig& First, const TKVXConfig& Second);

// How an element's bytes read.
enum class TElementForm : uint8_t { Number, WordLSBFirst, Text, Hex, Secret };

// One element that CompareConfigs compares.
struct TImageElement {
    std::string Name;
    size_t Offset = 0;
    size_t Size = 0;
    TElementForm Form = TElementForm::Hex;
};

// Every element, in image order; together they cover each byte of the image exactly once.
std::span<const TImageElement> ImageElements();
// The element's value in Config as CompareConfigs shows it.
std::string ImageElementText(const TKVXConfig& Config, const TImageElement& Element);
// The element's bytes are the same in both images (the password by its own rule).
bool SameImageElement(const TKVXConfig& First, const TKVXConfig& Second, const TImageElement& Element);
// The difference of one element between two images, as CompareConfigs lists it.
TFieldDifference ImageElementDifference(const TKVXConfig& First, const TKVXConfig& Second, const TImageElement& Element);

} // namespace kvx
