// The simulated dongle as the vendor library presents it: enumeration, handles, the
// receive queue and its overrun, the RTS line, pulling it out, and the timing model.
#include <gtest/gtest.h>

#include <cstring>

#include "sim/dongle_model.h"
#include "tests/sim/requests.h"

namespace kvx::sim {
namespace {

using test::Request;
using test::WritePageRequest;

class DongleModelTest : public ::testing::Test {
protected:
    THandleValue OpenDongle()
    {
        THandleValue handle = 0;
        EXPECT_EQ(Dongle.Open(0, &handle), SI_SUCCESS);
        EXPECT_NE(handle, 0u);
        return handle;
    }

    void WriteAll(THandleValue Handle, const std::vector<uint8_t>& Bytes)
    {
        uint32_t written = 0;
        ASSERT_EQ(Dongle.Write(Handle, Bytes.data(), static_cast<uint32_t>(Bytes.size()), &written), SI_SUCCESS);
        ASSERT_EQ(written, Bytes.size());
    }

    void RaiseRts(THandleValue Handle)
    {
        ASSERT_EQ(Dongle.SetFlowControl(Handle, SI_STATUS_INPUT, SI_HELD_ACTIVE, SI_HELD_INACTIVE, SI_STATUS_INPUT,
                                        SI_STATUS_INPUT, 0),
                  SI_SUCCESS);
    }

    uint32_t Waiting(THandleValue Handle, uint32_t& QueueStatus)
    {
        uint32_t count = 0;
        EXPECT_EQ(Dongle.CheckRXQueue(Handle, &count, &QueueStatus), SI_SUCCESS);
        return count;
    }

    TUnitModel Unit;
    TDongleModel Dongle{Unit};
};

TEST_F(DongleModelTest, EnumeratesOneDongleWithItsFiveStrings)
{
    uint32_t count = 99;
    EXPECT_EQ(Dongle.GetNumDevices(&count), SI_SUCCESS);
    EXPECT_EQ(count, 1u);
    const char* expected[] = {"0001", "KVX USB Dongle", nullptr, "10c4", "8a4c"};
    for (uint32_t option = 0; option < 5; ++option) {
        char text[SI_MAX_DEVICE_STRLEN];
        std::memset(text, 'x', sizeof text);
        ASSERT_EQ(Dongle.GetProductString(0, text, option), SI_SUCCESS);
        ASSERT_LT(std::strlen(text), sizeof text);
        if (expected[option]) {
            EXPECT_STREQ(text, expected[option]);
        }
    }
    char text[SI_MAX_DEVICE_STRLEN];
    EXPECT_EQ(Dongle.GetProductString(0, text, 5), SI_INVALID_PARAMETER);
    EXPECT_EQ(Dongle.GetProductString(1, text, 0), SI_DEVICE_NOT_FOUND);

    Dongle.Unplug();
    EXPECT_EQ(Dongle.GetNumDevices(&count), SI_DEVICE_NOT_FOUND);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(Dongle.GetProductString(0, text, 0), SI_DEVICE_NOT_FOUND);
}

TEST_F(DongleModelTest, HandlesAreCheckedAndOnlyOneOpenAtATime)
{
    const auto handle = OpenDongle();
    THandleValue second = 0;
    EXPECT_EQ(Dongle.Open(0, &second), SI_DEVICE_NOT_FOUND);
    EXPECT_EQ(Dongle.CancelIo(handle), SI_NOTHING_TO_CANCEL);
    EXPECT_EQ(Dongle.CancelIo(handle + 1), SI_INVALID_HANDLE);

    EXPECT_EQ(Dongle.Close(handle), SI_SUCCESS);
    uint32_t count = 0;
    uint32_t status = 0;
    EXPECT_EQ(Dongle.CheckRXQueue(handle, &count, &status), SI_INVALID_HANDLE);
    EXPECT_EQ(Dongle.Close(handle), SI_INVALID_HANDLE);
    EXPECT_NE(OpenDongle(), handle); // a stale handle never comes back to life
}

TEST_F(DongleModelTest, ReplyWaitsInTheQueueUntilRead)
{
    const auto handle = OpenDongle();
    RaiseRts(handle);
    WriteAll(handle, Request(TKVXCommand::EnterConfig));
    uint32_t status = 0;
    EXPECT_EQ(Waiting(handle, status), ShortReplySize);
    EXPECT_EQ(status, SI_RX_READY);

    uint8_t buffer[16];
    uint32_t got = 0;
    EXPECT_EQ(Dongle.Read(handle, buffer, 2, &got), SI_SUCCESS);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(Dongle.Read(handle, buffer, 16, &got), SI_READ_TIMED_OUT); // only two were left
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(Waiting(handle, status), 0u);
    EXPECT_EQ(status, SI_RX_EMPTY);

    uint32_t written = 0;
    EXPECT_EQ(Dongle.Write(handle, buffer, 0, &written), SI_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(Dongle.Write(handle, buffer, TDongleModel::MaxWriteSize + 1, &written), SI_INVALID_REQUEST_LENGTH);
}

TEST_F(DongleModelTest, PullingTheDongleFailsTheOpenHandleAndEndsConfigurationMode)
{
    const auto handle = OpenDongle();
    RaiseRts(handle);
    WriteAll(handle, Request(TKVXCommand::EnterConfig));
    ASSERT_TRUE(Unit.InConfigMode());

    Dongle.Unplug();
    EXPECT_FALSE(Unit.InConfigMode());
    uint32_t written = 0;
    const auto request = Request(TKVXCommand::ExitConfig);
    EXPECT_EQ(Dongle.Write(handle, request.data(), 4, &written), SI_DEVICE_IO_FAILED);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(Dongle.CancelIo(handle), SI_DEVICE_IO_FAILED);
    EXPECT_EQ(Dongle.Close(handle), SI_SUCCESS);

    Dongle.Plug();
    OpenDongle();
}

TEST_F(DongleModelTest, StatusFramesReachTheQueueOnlyWhileOpen)
{
    Dongle.Tick(5000);
    const auto handle = OpenDongle();
    EXPECT_EQ(Dongle.QueuedBytes(), 0u);
    Dongle.Tick(6000);
    EXPECT_GE(Dongle.QueuedBytes(), 4u * 32);
    EXPECT_EQ(Dongle.QueuedBytes() % 32, 0u);
    EXPECT_EQ(Dongle.FlushBuffers(handle, 0, 1), SI_SUCCESS);
    EXPECT_EQ(Dongle.QueuedBytes(), 0u);
}

TEST_F(DongleModelTest, UnreadQueueOverrunsUntilFlushed)
{
    const auto handle = OpenDongle();
    Dongle.Tick(60'000); // a minute of status frames nobody read
    uint32_t count = 0;
    uint32_t status = 0;
    EXPECT_EQ(Dongle.CheckRXQueue(handle, &count, &status), SI_RX_QUEUE_NOT_READY);
    EXPECT_EQ(status, SI_RX_OVERRUN);
    EXPECT_EQ(count, TDongleModel::QueueCapacity);

    EXPECT_EQ(Dongle.FlushBuffers(handle, 0, 1), SI_SUCCESS);
    EXPECT_EQ(Waiting(handle, status), 0u);
    EXPECT_EQ(status, SI_RX_EMPTY);
}

TEST_F(DongleModelTest, ArmedOverrunWaitsForTheNextOpenAndHappensOnce)
{
    Dongle.ArmOverrun(true);
    const auto handle = OpenDongle();
    uint32_t count = 0;
    uint32_t status = 0;
    EXPECT_EQ(Dongle.CheckRXQueue(handle, &count, &status), SI_RX_QUEUE_NOT_READY);
    Dongle.FlushBuffers(handle, 1, 1);
    Dongle.Close(handle);
    const auto again = OpenDongle();
    EXPECT_EQ(Dongle.CheckRXQueue(again, &count, &status), SI_SUCCESS);
}

TEST_F(DongleModelTest, TimingModelHoldsRepliesForLineAndPageWriteTime)
{
    Dongle.SetTiming(9600, 20);
    const auto handle = OpenDongle();
    RaiseRts(handle);
    WriteAll(handle, Request(TKVXCommand::EnterConfig));
    Dongle.Tick(9); // 4 bytes each way at 9600 baud: 5 ms each, rounded up
    EXPECT_EQ(Dongle.QueuedBytes(), 0u);
    Dongle.Tick(10);
    EXPECT_EQ(Dongle.QueuedBytes(), ShortReplySize);
    Dongle.FlushBuffers(handle, 0, 1);

    // 134 bytes out (140 ms), 20 ms to store, 4 bytes back (5 ms).
    WriteAll(handle, WritePageRequest(0, 0x00));
    Dongle.Tick(10 + 164);
    EXPECT_EQ(Dongle.QueuedBytes(), 0u);
    Dongle.Tick(10 + 165);
    EXPECT_EQ(Dongle.QueuedBytes(), ShortReplySize);
}

TEST_F(DongleModelTest, TimedUnplugCountsFromOpening)
{
    Dongle.SetUnplugAfter(500);
    Dongle.Tick(10'000);
    EXPECT_TRUE(Dongle.Plugged());
    OpenDongle();
    Dongle.Tick(10'499);
    EXPECT_TRUE(Dongle.Plugged());
    Dongle.Tick(10'500);
    EXPECT_FALSE(Dongle.Plugged());
    EXPECT_FALSE(Dongle.IsOpen());
}

} // namespace
} // namespace kvx::sim
