#include "link/crc8.h"

namespace kvx {

uint8_t Crc8Maxim(const uint8_t* data, size_t count)
{
    uint8_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        uint8_t byte = data[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = ((crc ^ byte) & 1) != 0;
            crc >>= 1;
            byte >>= 1;
            if (mix) crc ^= 0x8C;
        }
    }
    return crc;
}

} // namespace kvx
