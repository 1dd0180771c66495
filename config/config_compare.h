#pragma once
// Two images compared field by field, for verifying a write, `kvxctl diff` and the program's
// compare and change lists. Fields carry the names of the image's field table; inner blocks
// are split into their elements ("TimerLabels[5]", "DistributeMessages[MainsFail]",
// "RemoteControl[2].Command"), reserved regions into rows of at most 16 bytes
// ("Unknown19[+32]"). Numbers count as the pages count (timers and recipients from 1,
// Contact ID labels from 0, byte rows by their offset in the field).
#include <cstddef>
#include <string>
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

// An element as CompareConfigs names it, and where its bytes are.
struct TConfigElement {
    std::string Name;
    size_t Offset = 0;
    size_t Size = 0;
};
// Every element, in image order; together they hold each byte of the image once.
std::vector<TConfigElement> ConfigElements();

} // namespace kvx
