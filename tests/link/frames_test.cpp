#include "link/kvx_frames.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "link/crc8.h"

namespace kvx {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(Crc8, PublishedCheckValueAndEmptyInput)
{
    constexpr std::string_view digits = "123456789";
    EXPECT_EQ(Crc8Maxim(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0xA1);
    EXPECT_EQ(Crc8Maxim(nullptr, 0), 0x00);
}

Bytes Request(TKVXCommand command, const Bytes& payload = {})
{
    Bytes frame(payload.size() + 4);
    frame.resize(AssembleRequest(frame.data(), command, payload.data(), static_cast<uint8_t>(payload.size())));
    return frame;
}

TEST(Requests, ExampleFramesByteForByte)
{
    EXPECT_EQ(Request(TKVXCommand::EnterConfig), (Bytes{0x02, 0x02, 0x00, 0x91}));
    EXPECT_EQ(Request(TKVXCommand::ExitConfig), (Bytes{0x02, 0x03, 0x00, 0x55}));
    EXPECT_EQ(Request(TKVXCommand::BeginTransfer), (Bytes{0x02, 0x04, 0x00, 0x3B}));
    EXPECT_EQ(Request(TKVXCommand::ReadPage, {0x07, 0x00}), (Bytes{0x02, 0x01, 0x02, 0x07, 0x00, 0xAE}));
}

TEST(Requests, PageWriteCarriesAddressAndDataUnderOneChecksum)
{
    Bytes payload{0xFF, 0x80};
    payload.resize(130, 0x5A);
    const Bytes frame = Request(TKVXCommand::WritePage, payload);
    ASSERT_EQ(frame.size(), WritePageRequestSize);
    EXPECT_EQ(frame[2], 0x82);
    EXPECT_EQ(frame.back(), Crc8Maxim(frame.data() + 1, frame.size() - 2));
}

Bytes Reply(uint8_t ack, const Bytes& payload = {})
{
    Bytes frame(payload.size() + 4);
    AssembleReply(frame.data(), ack, payload.data(), static_cast<uint8_t>(payload.size()));
    return frame;
}

TEST(ReplySearch, FindsAFrameAfterStrayBytesOnlyWhenItLiesWhole)
{
    Bytes data{0x02, 0x99, 0x02};
    const Bytes reply = Reply(Acknowledge);
    data.insert(data.end(), reply.begin(), reply.end());
    EXPECT_EQ(FindReply(data.data(), data.size(), 4, Acknowledge), 3u);
    EXPECT_FALSE(FindReply(data.data(), data.size() - 1, 4, Acknowledge));
    EXPECT_FALSE(FindReply(data.data(), 3, 4, Acknowledge));
}

TEST(ReplySearch, RefusesWrongAcknowledgementAndBadChecksum)
{
    const Bytes nak = Reply(0x55);
    EXPECT_FALSE(FindReply(nak.data(), nak.size(), 4, Acknowledge));
    EXPECT_EQ(FindReply(nak.data(), nak.size(), 4, AnyAcknowledge), 0u);

    Bytes corrupt = Reply(Acknowledge, Bytes(128, 0x11));
    corrupt[60] ^= 0x01;
    EXPECT_FALSE(FindReply(corrupt.data(), corrupt.size(), PageReplySize, Acknowledge));
}

} // namespace
} // namespace kvx
