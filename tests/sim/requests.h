#pragma once
// Requests as the PC sends them, for feeding the simulated unit and dongle.
#include <cstdint>
#include <vector>

#include "link/kvx_frames.h"

namespace kvx::sim::test {

inline std::vector<uint8_t> Request(TKVXCommand Command, const std::vector<uint8_t>& Payload = {})
{
    std::vector<uint8_t> frame(Payload.size() + 4);
    AssembleRequest(frame.data(), Command, Payload.data(), static_cast<uint8_t>(Payload.size()));
    return frame;
}

inline std::vector<uint8_t> ReadPageRequest(uint16_t Address)
{
    return Request(TKVXCommand::ReadPage, {static_cast<uint8_t>(Address >> 8), static_cast<uint8_t>(Address)});
}

inline std::vector<uint8_t> WritePageRequest(uint16_t Address, uint8_t Fill)
{
    std::vector<uint8_t> payload(PageSize + 2, Fill);
    payload[0] = static_cast<uint8_t>(Address >> 8);
    payload[1] = static_cast<uint8_t>(Address);
    return Request(TKVXCommand::WritePage, payload);
}

} // namespace kvx::sim::test
