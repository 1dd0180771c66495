#include "link/kvx_frames.h"

#include <cstring>

#include "link/crc8.h"

namespace kvx {

namespace {

size_t AssembleFrame(uint8_t* Frame, uint8_t Second, const uint8_t* Payload, uint8_t PayloadLength)
{
    Frame[0] = FrameStart;
    Frame[1] = Second;
    Frame[2] = PayloadLength;
    if (PayloadLength) std::memcpy(Frame + 3, Payload, PayloadLength);
    Frame[3 + PayloadLength] = Crc8Maxim(Frame + 1, 2u + PayloadLength);
    return PayloadLength + 4u;
}

} // namespace

size_t AssembleRequest(uint8_t* Frame, TKVXCommand Command, const uint8_t* Payload, uint8_t PayloadLength)
{
    return AssembleFrame(Frame, static_cast<uint8_t>(Command), Payload, PayloadLength);
}

size_t AssembleReply(uint8_t* Frame, uint8_t Acknowledgement, const uint8_t* Payload, uint8_t PayloadLength)
{
    return AssembleFrame(Frame, Acknowledgement, Payload, PayloadLength);
}

std::optional<size_t> FindReply(const uint8_t* Data, size_t Count, size_t ReplySize, int Expected)
{
    if (ReplySize < 2 || Count < ReplySize) return std::nullopt;
    for (size_t p = 0; p + ReplySize <= Count; ++p) {
        if (Data[p] != FrameStart) continue;
        if (Expected != AnyAcknowledge && Data[p + 1] != Expected) continue;
        if (Crc8Maxim(Data + p + 1, ReplySize - 2) == Data[p + ReplySize - 1]) return p;
    }
    return std::nullopt;
}

} // namespace kvx
