#pragma once
// The memory of the simulated unit when no memory file is given: a believable configured
// unit, so a first read shows real content.
#include <cstdint>
#include <string>
#include <vector>

namespace kvx::sim {

// 65536 bytes: erased (0xFF) but for a handful of fields.
std::vector<uint8_t> DefaultUnitMemory();

// The unit at the other end of a moved cable: the same configuration under the reporting
// name "KVX Second Unit", and a pattern of its own above the image.
std::vector<uint8_t> SecondUnitMemory();

// The two units' modem IMEIs, as their status frames give them.
inline constexpr const char* DefaultIMEI = "356938035643809";
inline constexpr const char* SecondIMEI = "356938035643817";

// Stores Password in the password field (32 bytes at 1792), cut to 32, padded with spaces.
void StorePassword(std::vector<uint8_t>& Memory, const std::string& Password);

} // namespace kvx::sim
