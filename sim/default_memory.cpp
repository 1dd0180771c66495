#include "sim/default_memory.h"

#include <algorithm>
#include <string_view>

#include "link/kvx_frames.h"

namespace kvx::sim {

namespace {

// The unit's own layout, at the offsets it has always used; text padded as the program stores it.
struct TTextField {
    size_t Offset;
    size_t Width;
    std::string_view Text;
    uint8_t Pad;
};

constexpr size_t PasswordOffset = 1792;
constexpr size_t FlagsOffset = 2046;
constexpr size_t RelayPulseOffset = 256;
constexpr uint16_t RelayPulseSeconds[] = {5, 5, 10, 10, 30, 30, 60, 120};

constexpr TTextField TextFields[] = {
    {64, 16, "+447785016005", 0x00},    // SIM 1 message centre
    {160, 4, "1234", 0x00},             // PIN
    {176, 16, "KVX Demo Site", 0x00},   // reporting name
    {28672, 16, "+447700900101", 0x00}, // recipients, 16-byte slots
    {28688, 16, "+447700900102", 0x00},
    {28704, 16, "+447700900103", 0x00},
};

void StoreText(std::vector<uint8_t>& memory, size_t offset, size_t width, std::string_view text, uint8_t pad)
{
    const size_t n = std::min(width, text.size());
    std::copy_n(text.begin(), n, memory.begin() + static_cast<std::ptrdiff_t>(offset));
    std::fill_n(memory.begin() + static_cast<std::ptrdiff_t>(offset + n), width - n, pad);
}

} // namespace

std::vector<uint8_t> DefaultUnitMemory()
{
    std::vector<uint8_t> memory(UnitMemorySize, 0xFF);
    for (const auto& field : TextFields) StoreText(memory, field.Offset, field.Width, field.Text, field.Pad);
    size_t at = RelayPulseOffset;
    for (const uint16_t seconds : RelayPulseSeconds) {
        memory[at++] = static_cast<uint8_t>(seconds >> 8);
        memory[at++] = static_cast<uint8_t>(seconds);
    }
    memory[FlagsOffset] = 0xAA;
    memory[FlagsOffset + 1] = 0x55;
    return memory;
}

void StorePassword(std::vector<uint8_t>& Memory, const std::string& Password)
{
    StoreText(Memory, PasswordOffset, PasswordLength, Password, 0x20);
}

} // namespace kvx::sim
