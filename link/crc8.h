#pragma once
#include <cstddef>
#include <cstdint>

namespace kvx {

// Dallas/Maxim 1-Wire CRC-8 (reflected polynomial 0x8C, initial 0, no final inversion),
// computed bit by bit as the unit does; check value over "123456789" is 0xA1.
uint8_t Crc8Maxim(const uint8_t* data, size_t count);

} // namespace kvx
