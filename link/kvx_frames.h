#pragma once
// Request and reply frames of the unit's protocol, apart from any transport.
// Request: 02, command, N, payload[N], CRC over command..payload.
// Reply:   02, acknowledgement, length, payload, CRC over acknowledgement..payload.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kvx {

inline constexpr uint8_t FrameStart = 0x02;
inline constexpr uint8_t Acknowledge = 0xAA;
inline constexpr int AnyAcknowledge = -1;
inline constexpr size_t PageSize = 128;
inline constexpr size_t PageCount = 512;
inline constexpr size_t UnitMemorySize = PageSize * PageCount;
inline constexpr uint16_t PasswordPageAddress = 0x0700;
inline constexpr size_t PasswordLength = 32;

enum class TKVXCommand : uint8_t {
    WritePage = 0x00,
    ReadPage = 0x01,
    EnterConfig = 0x02,
    ExitConfig = 0x03,
    BeginTransfer = 0x04,
    SetTime = 0x05,
};

inline constexpr size_t ShortReplySize = 4;
inline constexpr size_t PageReplySize = PageSize + 4;
inline constexpr size_t PageRequestSize = 6;
inline constexpr size_t WritePageRequestSize = PageSize + 6;
inline constexpr size_t SetTimeRequestSize = 12;

// Assembles a request at the start of Frame (room for PayloadLength + 4 bytes); returns its length.
size_t AssembleRequest(uint8_t* Frame, TKVXCommand Command, const uint8_t* Payload, uint8_t PayloadLength);

// Assembles a reply as the unit sends it; returns its length (PayloadLength + 4).
size_t AssembleReply(uint8_t* Frame, uint8_t Acknowledgement, const uint8_t* Payload, uint8_t PayloadLength);

// The first position p in Data where a whole reply of ReplySize bytes lies: 02 at p, the
// expected acknowledgement at p + 1 (any when Expected is AnyAcknowledge) and a good CRC.
std::optional<size_t> FindReply(const uint8_t* Data, size_t Count, size_t ReplySize, int Expected);

} // namespace kvx
