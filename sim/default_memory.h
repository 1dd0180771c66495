#pragma once
// The memory of the simulated unit when no memory file is given: a believable configured
// unit, so a first read shows real content.
#include <cstdint>
#include <string>
#include <vector>

namespace kvx::sim {

// 65536 bytes: erased (0xFF) but for a handful of fields.
std::vector<uint8_t> DefaultUnitMemory();

// Stores Password in the password field (32 bytes at 1792), cut to 32, padded with spaces.
void StorePassword(std::vector<uint8_t>& Memory, const std::string& Password);

} // namespace kvx::sim
