// The simulated unit on its own: commands, checksums, configuration mode, clock, status
// frames and the faults it can be told to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "link/crc8.h"
#include "sim/unit_model.h"
#include "tests/sim/requests.h"

namespace kvx::sim {
namespace {

using test::ReadPageRequest;
using test::Request;
using test::WritePageRequest;

class UnitModelTest : public ::testing::Test {
protected:
    // Everything the unit answers to Bytes, replies one after the other.
    std::vector<uint8_t> Send(const std::vector<uint8_t>& Bytes, bool Rts = true)
    {
        std::vector<uint8_t> out;
        for (const auto& reply : Unit.Receive(Bytes.data(), Bytes.size(), Rts, Now))
            out.insert(out.end(), reply.Bytes.begin(), reply.Bytes.end());
        return out;
    }

    void Enter() { ASSERT_EQ(Send(Request(TKVXCommand::EnterConfig)).size(), ShortReplySize); }

    static bool IsAck(const std::vector<uint8_t>& Reply, size_t Size)
    {
        return Reply.size() == Size && FindReply(Reply.data(), Reply.size(), Size, Acknowledge) == size_t{0};
    }

    TUnitModel Unit;
    uint64_t Now = 0;
};

TEST_F(UnitModelTest, EntersConfigurationModeOnlyWithRtsRaised)
{
    EXPECT_TRUE(Send(Request(TKVXCommand::EnterConfig), false).empty());
    EXPECT_FALSE(Unit.InConfigMode());

    EXPECT_EQ(Send(Request(TKVXCommand::EnterConfig)), (std::vector<uint8_t>{0x02, 0xAA, 0x00, 0x09}));
    EXPECT_TRUE(Unit.InConfigMode());

    // Leaving works with the line already lowered, as the program does it.
    EXPECT_TRUE(IsAck(Send(Request(TKVXCommand::ExitConfig), false), ShortReplySize));
    EXPECT_FALSE(Unit.InConfigMode());
    EXPECT_EQ(Unit.CommandCount(TKVXCommand::EnterConfig), 2u);
    EXPECT_EQ(Unit.CommandCount(TKVXCommand::ExitConfig), 1u);
}

TEST_F(UnitModelTest, PageCommandsOutsideConfigurationModeAreIgnored)
{
    const auto before = Unit.Memory;
    EXPECT_TRUE(Send(ReadPageRequest(0x0700)).empty());
    EXPECT_TRUE(Send(WritePageRequest(0x0700, 0x41)).empty());
    EXPECT_TRUE(Send(Request(TKVXCommand::BeginTransfer)).empty());
    EXPECT_EQ(Unit.Memory, before);
}

TEST_F(UnitModelTest, WrittenPageReadsBackAndLeavesItsNeighboursAlone)
{
    Enter();
    EXPECT_TRUE(IsAck(Send(Request(TKVXCommand::BeginTransfer)), ShortReplySize));
    Unit.Memory[0x0FFF] = 0x11;
    Unit.Memory[0x1080] = 0x22;
    EXPECT_TRUE(IsAck(Send(WritePageRequest(0x1000, 0x5A)), ShortReplySize));
    EXPECT_EQ(Unit.Memory[0x0FFF], 0x11);
    EXPECT_EQ(Unit.Memory[0x1080], 0x22);

    const auto reply = Send(ReadPageRequest(0x1000));
    ASSERT_TRUE(IsAck(reply, PageReplySize));
    EXPECT_TRUE(std::all_of(reply.begin() + 3, reply.end() - 1, [](uint8_t b) { return b == 0x5A; }));

    // The last page is served; one that would run past the end is not.
    EXPECT_TRUE(IsAck(Send(ReadPageRequest(0xFF80)), PageReplySize));
    EXPECT_TRUE(Send(ReadPageRequest(0xFFC0)).empty());
    EXPECT_TRUE(Send(WritePageRequest(0xFFC0, 0x00)).empty());
    EXPECT_EQ(Unit.Memory[0xFFFF], 0xFF);
}

TEST_F(UnitModelTest, RequestWithBadChecksumIsRefusedSilentlyAndTheNextOneServed)
{
    Enter();
    auto damaged = WritePageRequest(0x0700, 0x41);
    damaged.back() ^= 0x01;
    const auto before = Unit.Memory;
    auto bytes = damaged;
    const auto good = ReadPageRequest(0x0700);
    bytes.insert(bytes.end(), good.begin(), good.end());

    const auto reply = Send(bytes);
    EXPECT_EQ(Unit.Memory, before);
    EXPECT_TRUE(IsAck(reply, PageReplySize));
    EXPECT_EQ(Unit.CommandCount(TKVXCommand::WritePage), 0u);
}

TEST_F(UnitModelTest, RequestArrivingInPiecesIsAnsweredOnceWhole)
{
    Enter();
    const auto request = ReadPageRequest(0x0000);
    EXPECT_TRUE(Send({request.begin(), request.begin() + 3}).empty());
    EXPECT_TRUE(IsAck(Send({request.begin() + 3, request.end()}), PageReplySize));

    // A piece dropped by a flush does not swallow the next request.
    EXPECT_TRUE(Send({request.begin(), request.begin() + 4}).empty());
    Unit.DropPartialRequest();
    EXPECT_TRUE(IsAck(Send(request), PageReplySize));
}

TEST_F(UnitModelTest, CompletedWriteIsReportedOnceWhenConfigurationModeEnds)
{
    Enter();
    Send(ReadPageRequest(0));
    Send(Request(TKVXCommand::ExitConfig));
    EXPECT_FALSE(Unit.TakeCompletedWrite()); // a read changes nothing

    Enter();
    Send(WritePageRequest(0, 0x00));
    EXPECT_FALSE(Unit.TakeCompletedWrite()); // not before the session ends
    Unit.Disconnect();
    EXPECT_FALSE(Unit.InConfigMode());
    EXPECT_TRUE(Unit.TakeCompletedWrite());
    EXPECT_FALSE(Unit.TakeCompletedWrite());
}

TEST_F(UnitModelTest, ClockIsSetFromPackedBCDAndRunsOn)
{
    EXPECT_FALSE(Unit.ClockAt(Now).has_value());
    Now = 5000;
    EXPECT_TRUE(Send(Request(TKVXCommand::SetTime, {0x14, 0x05, 0x09, 0x23, 0x03, 0x26, 0xAA, 0x55})).empty());
    EXPECT_EQ(Unit.ClockAt(5000), (TUnitDateTime{2026, 3, 23, 14, 5, 9}));
    EXPECT_EQ(Unit.ClockAt(5000 + 61'999), (TUnitDateTime{2026, 3, 23, 14, 6, 10}));

    Send(Request(TKVXCommand::SetTime, {0x23, 0x59, 0x59, 0x28, 0x02, 0x24, 0xAA, 0x55}));
    EXPECT_EQ(Unit.ClockAt(6000), (TUnitDateTime{2024, 2, 29, 0, 0, 0})); // leap day
    Send(Request(TKVXCommand::SetTime, {0x23, 0x59, 0x59, 0x31, 0x12, 0x99, 0xAA, 0x55}));
    EXPECT_EQ(Unit.ClockAt(6000), (TUnitDateTime{2000, 1, 1, 0, 0, 0}));
}

TEST_F(UnitModelTest, ClockIgnoresMalformedTimes)
{
    const std::vector<std::vector<uint8_t>> bad = {
        {0x1A, 0x05, 0x09, 0x23, 0x03, 0x26, 0xAA, 0x55}, // not a decimal digit
        {0x24, 0x00, 0x00, 0x01, 0x01, 0x26, 0xAA, 0x55}, // hour 24
        {0x12, 0x00, 0x00, 0x30, 0x02, 0x26, 0xAA, 0x55}, // 30 February
        {0x12, 0x00, 0x00, 0x01, 0x01, 0x26, 0x55, 0xAA}, // tail swapped
    };
    for (const auto& payload : bad) Send(Request(TKVXCommand::SetTime, payload));
    EXPECT_FALSE(Unit.ClockAt(Now).has_value());
    EXPECT_EQ(Unit.CommandCount(TKVXCommand::SetTime), bad.size());
}

// Splits status bytes into frames, checking each one's type and checksum.
std::vector<std::vector<uint8_t>> CheckedFrames(const std::vector<uint8_t>& bytes)
{
    EXPECT_EQ(bytes.size() % 32, 0u);
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; at + 32 <= bytes.size(); at += 32) {
        std::vector<uint8_t> frame(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(at + 32));
        EXPECT_GE(frame[0], 1);
        EXPECT_LE(frame[0], 6);
        EXPECT_EQ(Crc8Maxim(frame.data() + 1, 30), frame[31]) << "type " << int{frame[0]};
        frames.push_back(frame);
    }
    return frames;
}

TEST_F(UnitModelTest, StatusFramesComeEverySecondWithBelievableValues)
{
    EXPECT_TRUE(Unit.StatusDue(999).empty());
    std::set<uint8_t> types;
    for (uint64_t second = 1; second <= 10; ++second) {
        const auto frames = CheckedFrames(Unit.StatusDue(second * 1000));
        ASSERT_GE(frames.size(), 4u);
        for (const auto& frame : frames) {
            types.insert(frame[0]);
            if (frame[0] == 1) {
                EXPECT_EQ(frame[1], 1);
                EXPECT_EQ(frame[2], 2);
                EXPECT_LE(frame[3], 5);
                EXPECT_GE(frame[4], 60);
                EXPECT_LE(frame[4], 90);
                const int supply = frame[11] << 8 | frame[12];
                EXPECT_NEAR(supply, 138, 1);
                EXPECT_EQ(frame[14], 1);
            }
        }
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(frames[1].data() + 1)), "Vodafone");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(frames[2].data() + 1)).size(), 15u);
    }
    EXPECT_EQ(types, (std::set<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST_F(UnitModelTest, ConfigurationModeSilencesStatusFrames)
{
    Enter();
    EXPECT_TRUE(Unit.StatusDue(5000).empty());
    Send(Request(TKVXCommand::ExitConfig));
    EXPECT_EQ(CheckedFrames(Unit.StatusDue(6000)).front()[0], 1);
}

TEST_F(UnitModelTest, LongSilenceDoesNotPileUpEndlessFrames)
{
    const auto bytes = Unit.StatusDue(10'000'000);
    EXPECT_GT(bytes.size(), 4096u); // enough to overrun the dongle's queue
    EXPECT_LT(bytes.size(), 100u * 6 * 32);
    EXPECT_TRUE(Unit.StatusDue(10'000'999).empty());
}

TEST_F(UnitModelTest, ReplyFaultsHitPageCommandsOnly)
{
    struct TCase {
        const char* Fault;
        bool Answered;
        bool Written;
    };
    const TCase cases[] = {{"drop-reply", false, true}, {"bad-crc", true, true}, {"wrong-ack", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fault);
        Unit = TUnitModel();
        Unit.SetFaults(*ParseFaults(c.Fault));
        Enter(); // not a page command: served as usual
        const auto reply = Send(WritePageRequest(0x0700, 0x41));
        EXPECT_EQ(!reply.empty(), c.Answered);
        EXPECT_FALSE(IsAck(reply, ShortReplySize));
        EXPECT_EQ(Unit.Memory[0x0700] == 0x41, c.Written);
        EXPECT_TRUE(IsAck(Send(Request(TKVXCommand::ExitConfig)), ShortReplySize));
    }
}

TEST_F(UnitModelTest, WrongAckCarriesNakAndStrayBytesPrecedeAValidReply)
{
    Unit.SetFaults(*ParseFaults("wrong-ack@begin,stray"));
    Enter();
    const auto refused = Send(Request(TKVXCommand::BeginTransfer));
    ASSERT_EQ(refused.size(), ShortReplySize);
    EXPECT_EQ(refused[1], NotAcknowledge);

    const auto reply = Send(ReadPageRequest(0));
    ASSERT_GT(reply.size(), PageReplySize);
    EXPECT_NE(reply[0], FrameStart);
    EXPECT_EQ(FindReply(reply.data(), reply.size(), PageReplySize, Acknowledge), reply.size() - PageReplySize);
}

TEST_F(UnitModelTest, FaultScopedToEnterKeepsTheUnitOutOfConfigurationMode)
{
    Unit.SetFaults(*ParseFaults("wrong-ack@enter"));
    Send(Request(TKVXCommand::EnterConfig));
    EXPECT_FALSE(Unit.InConfigMode());
    Unit.SetFaults(*ParseFaults("drop-reply@enter"));
    EXPECT_TRUE(Send(Request(TKVXCommand::EnterConfig)).empty());
    EXPECT_TRUE(Unit.InConfigMode()); // carried out, only the reply was lost
}

TEST_F(UnitModelTest, StopAfterPageFallsSilentAndWritesNothingMore)
{
    Unit.SetFaults(*ParseFaults("stop-after-page=2"));
    Enter();
    EXPECT_TRUE(IsAck(Send(WritePageRequest(0x0000, 0x01)), ShortReplySize));
    EXPECT_TRUE(IsAck(Send(ReadPageRequest(0x0000)), PageReplySize));
    EXPECT_TRUE(Send(WritePageRequest(0x0080, 0x02)).empty());
    EXPECT_EQ(Unit.Memory[0x0080], 0xFF);
    EXPECT_TRUE(IsAck(Send(Request(TKVXCommand::ExitConfig)), ShortReplySize));

    Unit.SetFaults({}); // clearing starts the count afresh
    Enter();
    EXPECT_TRUE(IsAck(Send(WritePageRequest(0x0080, 0x02)), ShortReplySize));
}

TEST_F(UnitModelTest, CorruptByteIsStoredChangedAfterAnAcknowledgedWriteOfItsPageOnly)
{
    Unit.SetFaults(*ParseFaults("corrupt-byte=0x712"));
    Enter();
    EXPECT_TRUE(IsAck(Send(WritePageRequest(0x0700, 0x41)), ShortReplySize));
    EXPECT_EQ(Unit.Memory[0x0712], 0x40);
    EXPECT_EQ(std::count(Unit.Memory.begin() + 0x0700, Unit.Memory.begin() + 0x0780, 0x41), 127);
    EXPECT_TRUE(IsAck(Send(WritePageRequest(0x0780, 0x41)), ShortReplySize));
    EXPECT_EQ(std::count(Unit.Memory.begin() + 0x0780, Unit.Memory.begin() + 0x0800, 0x41), 128);
}

} // namespace
} // namespace kvx::sim
