// The request/reply exchange, the configuration-mode handshakes, dongle recognition,
// unsolicited data and the clock, against a scripted unit on virtual time.
#include <gtest/gtest.h>

#include <vector>

#include "link/kvx.h"
#include "tests/support/kvx_fixture.h"

namespace kvx::test {
namespace {

using Bytes = std::vector<uint8_t>;

class Exchange : public KVXTest {
protected:
    // The unit serves pages only in configuration mode, entered with the line raised.
    bool ReadPasswordPage(uint8_t* into)
    {
        Link->SetFlowControl(0, 1, 0, 0, 0, 0);  // RTS active
        return KVX->EnterConfig() && KVX->ReadPage(into, PasswordPageAddress);
    }
};

TEST_F(Exchange, ReplyAfterStrayBytesIsTakenFromWhereItWasFound)
{
    ConnectDongle();
    for (size_t i = 0; i < PageSize; ++i) Link->Unit.Memory[PasswordPageAddress + i] = static_cast<uint8_t>(i);
    Link->SetUnitFaults("stray@read");
    uint8_t page[PageSize] = {};
    ASSERT_TRUE(ReadPasswordPage(page));
    EXPECT_EQ(KVX->LastCommsError, TCommsError::OK);
    EXPECT_EQ(Bytes(page, page + PageSize), Bytes(Link->Unit.Memory.begin() + PasswordPageAddress,
                                                  Link->Unit.Memory.begin() + PasswordPageAddress + PageSize));
}

TEST_F(Exchange, WrongAcknowledgementFailsAtOnce)
{
    ConnectDongle();
    Link->SetUnitFaults("wrong-ack@read");
    uint8_t page[PageSize];
    EXPECT_FALSE(ReadPasswordPage(page));
    EXPECT_EQ(KVX->LastCommsError, TCommsError::BadReply);
    EXPECT_EQ(Pump.Now, 0u) << "no waiting for the time-out";
}

TEST_F(Exchange, SilenceTimesOutAfterOneSecondOfClockTime)
{
    ConnectDongle();
    Link->Silent = true;
    EXPECT_FALSE(KVX->BeginTransfer());
    EXPECT_EQ(KVX->LastCommsError, TCommsError::Timeout);
    EXPECT_EQ(Pump.Now, TKVX::ReplyWaitMs);
}

TEST_F(Exchange, UnwrittenRequestIsReported)
{
    ConnectDongle();
    Link->WriteFails = true;
    EXPECT_FALSE(KVX->BeginTransfer());
    EXPECT_EQ(KVX->LastCommsError, TCommsError::WriteFailed);
}

TEST_F(Exchange, ReceiveDeliveryIsOffDuringTheExchangeOnly)
{
    ConnectDongle();
    std::vector<bool> during;
    Link->AfterRequest = [&](TKVXCommand) { during.push_back(Link->RxEnabled); };
    Link->Silent = true;
    KVX->BeginTransfer();
    EXPECT_EQ(during, std::vector<bool>{false});
    EXPECT_TRUE(Link->RxEnabled);
}

TEST_F(Exchange, NeverReadsMoreThanTheReceiveBufferHolds)
{
    ConnectDongle();
    Link->Silent = true;
    Link->Receive(Bytes(3000, 0x00));
    Link->AfterRequest = [&](TKVXCommand) { Link->Receive(Bytes(3000, 0x00)); };
    EXPECT_FALSE(KVX->BeginTransfer());  // the flush dropped the first lot; the second is junk
    EXPECT_EQ(KVX->LastCommsError, TCommsError::BadReply);
    EXPECT_EQ(Link->RxQueue.size(), 3000u - TKVX::BufferSize);
}

TEST_F(Exchange, EnterConfigGivesUpAfterThreeSecondsAndExitAfterSix)
{
    ConnectDongle();
    Link->Silent = true;
    EXPECT_FALSE(KVX->EnterConfig());
    EXPECT_EQ(Link->CountOf(TKVXCommand::EnterConfig), 3u);
    EXPECT_NEAR(static_cast<double>(Pump.Now), 3000.0, 50.0);

    Pump.Now = 0;
    EXPECT_FALSE(KVX->ExitConfig());
    EXPECT_EQ(Link->CountOf(TKVXCommand::ExitConfig), 3u);
    EXPECT_NEAR(static_cast<double>(Pump.Now), 6000.0, 50.0);
}

TEST_F(Exchange, EnterConfigStopsOnTerminateButExitConfigDoesNot)
{
    ConnectDongle();
    KVX->Terminate();
    EXPECT_FALSE(KVX->EnterConfig());
    EXPECT_EQ(Link->CountOf(TKVXCommand::EnterConfig), 0u);
    EXPECT_TRUE(KVX->ExitConfig());
}

class Recognition : public KVXTest {};

TEST_F(Recognition, OpensOnlyTheDongleAndReportsBothWays)
{
    int connects = 0;
    int disconnects = 0;
    KVX->OnDeviceConnect = [&] { ++connects; };
    KVX->OnDeviceDisconnect = [&] { ++disconnects; };

    TDeviceInfo other = DongleInfo(1);
    other.Description = "Other USB Device";
    Link->OnDeviceConnect(other);
    EXPECT_FALSE(Link->OpenedDevice);
    EXPECT_EQ(KVX->USBInfo().Description, "Other USB Device");

    TDeviceInfo wrongCase = DongleInfo(2);
    wrongCase.PID = "8A4C";
    Link->OnDeviceConnect(wrongCase);
    EXPECT_FALSE(Link->OpenedDevice);

    Link->OnDeviceConnect(DongleInfo(3));
    EXPECT_EQ(Link->OpenedDevice, 3u);
    EXPECT_TRUE(KVX->DeviceConnected());
    EXPECT_EQ(connects, 1);

    Link->OnDeviceDisconnect(other);
    EXPECT_TRUE(KVX->DeviceConnected());
    Link->OnDeviceDisconnect(DongleInfo(3));
    EXPECT_FALSE(KVX->DeviceConnected());
    EXPECT_FALSE(Link->Connected);
    EXPECT_EQ(disconnects, 1);
}

TEST_F(Recognition, ASecondDongleThatFailsToOpenLeavesTheFirstConnected)
{
    int connects = 0;
    KVX->OnDeviceConnect = [&] { ++connects; };
    ConnectDongle();
    TKVXConfig config = ErasedConfig();
    ASSERT_EQ(KVX->ReadConfig(&config), TKVXResult::OK);
    Link->OpenFails = true;
    Link->OnDeviceConnect(DongleInfo(1));
    EXPECT_TRUE(KVX->DeviceConnected());
    EXPECT_EQ(Link->OpenedDevice, 0u);
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(KVX->UnitMemoryKnown()) << "still the same unit";
}

TEST_F(Recognition, LinkErrorsReachTheOwnerAndAThrowingHandlerIsContained)
{
    std::vector<uint8_t> errors;
    KVX->OnError = [&](uint8_t code) {
        errors.push_back(code);
        throw std::runtime_error("handler failed");
    };
    EXPECT_NO_THROW(Link->OnError(0x04));
    EXPECT_EQ(errors, std::vector<uint8_t>{0x04});
}

class Unsolicited : public KVXTest {};

TEST_F(Unsolicited, DeliversWhatArrivedThenDropsTheRest)
{
    ConnectDongle();
    Bytes delivered;
    bool busyDuring = false;
    KVX->OnRxData = [&](uint32_t count) {
        delivered.assign(KVX->RXBuffer.begin(), KVX->RXBuffer.begin() + count);
        busyDuring = KVX->Busy;
    };
    Link->Receive({1, 2, 3, 4, 5});
    Link->OnRxData(3);
    EXPECT_EQ(delivered, (Bytes{1, 2, 3}));
    EXPECT_TRUE(busyDuring);
    EXPECT_FALSE(KVX->Busy);
    EXPECT_TRUE(Link->RxQueue.empty());
}

TEST_F(Unsolicited, AnOversizedReportIsClampedToTheBuffer)
{
    ConnectDongle();
    uint32_t deliveredCount = 0;
    KVX->OnRxData = [&](uint32_t count) { deliveredCount = count; };
    Link->Receive(Bytes(5000, 0x01));
    Link->OnRxData(5000);
    EXPECT_EQ(deliveredCount, TKVX::BufferSize);
    EXPECT_TRUE(Link->RxQueue.empty());
}

TEST_F(Unsolicited, AShortReadDeliversNothing)
{
    ConnectDongle();
    bool delivered = false;
    KVX->OnRxData = [&](uint32_t) { delivered = true; };
    Link->Receive({1, 2});
    Link->OnRxData(10);
    EXPECT_FALSE(delivered);
}

TEST_F(Unsolicited, ADeliveryInsideATransferLeavesItBusy)
{
    ConnectDongle();
    bool busyAfterDelivery = false;
    Pump.OnProcess = [&] {
        if (Link->RxEnabled && !Link->Requests.empty() && !busyAfterDelivery) {
            Link->OnRxData(0);
            busyAfterDelivery = KVX->Busy;
        }
    };
    std::u16string password;
    (void)KVX->ReadPassword(password);
    EXPECT_TRUE(busyAfterDelivery);
    EXPECT_FALSE(KVX->Busy);
}

class PcClock : public KVXTest {};

TEST_F(PcClock, SendsTheLocalTimeAsPackedBcdWithoutWaiting)
{
    ConnectDongle();
    KVX->SetTime();
    ASSERT_EQ(Link->Requests.size(), 1u);
    const Bytes& frame = Link->Requests[0];
    ASSERT_EQ(frame.size(), SetTimeRequestSize);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 3), (Bytes{0x02, 0x05, 0x08}));
    EXPECT_EQ(Bytes(frame.begin() + 3, frame.begin() + 11), (Bytes{0x14, 0x05, 0x09, 0x23, 0x03, 0x26, 0xAA, 0x55}));
    EXPECT_EQ(Pump.Now, 0u);
}

TEST_F(PcClock, YearsOfAnotherCenturyKeepTwoDigits)
{
    ConnectDongle();
    KVXTest::Clock = {2100, 12, 31, 23, 59, 58};
    KVX->SetTime();
    const Bytes& frame = Link->Requests.at(0);
    EXPECT_EQ(Bytes(frame.begin() + 3, frame.begin() + 9), (Bytes{0x23, 0x59, 0x58, 0x31, 0x12, 0x00}));
}

} // namespace
} // namespace kvx::test
