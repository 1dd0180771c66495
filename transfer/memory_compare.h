#pragma once
// The unit's whole memory (64 KiB) compared: which 128-byte pages a write must send, and
// what differs, by field in the image and by rows of 16 bytes above it ("AboveImage[+0]").
#include <cstdint>
#include <vector>

#include "config/config_compare.h"

namespace kvx {

// The pages (0..511) whose bytes differ, in address order.
std::vector<uint16_t> ChangedPages(const uint8_t* Held, const uint8_t* Sent);

// Every field of the image and every row above it whose bytes differ, in address order.
std::vector<TFieldDifference> CompareUnitMemory(const uint8_t* First, const uint8_t* Second);

} // namespace kvx
