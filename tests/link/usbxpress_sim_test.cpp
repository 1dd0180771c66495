// The link over the simulated dongle, loaded through the same binding as the vendor library.
#include <gtest/gtest.h>

#include <memory>

#include "link/kvx_frames.h"
#include "link/siusbxp_library.h"
#include "link/usbxpress.h"
#include "sim/kvxsim_control.h"

namespace kvx {
namespace {

class USBXpressSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        Library = TSiUSBXpLibrary::Load(KVX_SIM_LIBRARY, error);
        ASSERT_NE(Library, nullptr) << error;
        Control = reinterpret_cast<KVXSIM_Control_t>(Library->FindFunction(KVXSIM_CONTROL_NAME));
        ASSERT_NE(Control, nullptr);
        // Simulated time stands still unless a test advances it: no status frames by surprise.
        ASSERT_EQ(Control("reset", ""), 0);
        ASSERT_EQ(Control("clock", "manual"), 0);

        Link = std::make_unique<TUSBXpress>(Library->Api());
        Link->OnDeviceConnect = [this](const TDeviceInfo& info) { Connected.push_back(info); };
        Link->OnDeviceDisconnect = [this](const TDeviceInfo& info) { Disconnected.push_back(info); };
        Link->OnError = [this](uint8_t code) { Errors.push_back(code); };
        Link->OnRxData = [this](uint32_t count) { RxCounts.push_back(count); };
    }

    void TearDown() override
    {
        Link.reset();
        if (Control) Control("reset", "");
    }

    // Sends one request and returns what came back, as the device object would read it.
    std::vector<uint8_t> Exchange(TKVXCommand Command, const std::vector<uint8_t>& Payload)
    {
        uint8_t frame[WritePageRequestSize];
        const auto size = static_cast<uint32_t>(
            AssembleRequest(frame, Command, Payload.data(), static_cast<uint8_t>(Payload.size())));
        EXPECT_EQ(Link->Write(frame, size), size);
        RxCounts.clear();
        Link->PollRX();
        if (RxCounts.empty()) return {};
        std::vector<uint8_t> reply(RxCounts.back());
        reply.resize(Link->Read(reply.data(), RxCounts.back()));
        return reply;
    }

    std::unique_ptr<TSiUSBXpLibrary> Library;
    KVXSIM_Control_t Control = nullptr;
    std::unique_ptr<TUSBXpress> Link;
    std::vector<TDeviceInfo> Connected;
    std::vector<TDeviceInfo> Disconnected;
    std::vector<uint8_t> Errors;
    std::vector<uint32_t> RxCounts;
};

TEST_F(USBXpressSimTest, DongleComesTalksAndGoes)
{
    Link->PollDevices();
    ASSERT_EQ(Connected.size(), 1u);
    const TDeviceInfo& dongle = Connected[0];
    EXPECT_EQ(dongle.DeviceNumber, 0u);
    EXPECT_EQ(dongle.Serial, "0001");
    EXPECT_EQ(dongle.Description, "KVX USB Dongle");
    EXPECT_EQ(dongle.VID, "10c4");
    EXPECT_EQ(dongle.PID, "8a4c");
    EXPECT_FALSE(dongle.LinkName.empty());
    EXPECT_EQ(Link->DeviceList().at(0).Name, "Device00");

    Link->Open(0);
    ASSERT_TRUE(Link->DeviceConnected());
    EXPECT_EQ(Control("open", ""), 1);
    EXPECT_TRUE(Link->SetFlowControl(SI_STATUS_INPUT, SI_HELD_ACTIVE, SI_HELD_INACTIVE, SI_STATUS_INPUT,
                                     SI_STATUS_INPUT, 0));
    EXPECT_EQ(Control("rts", ""), 1);

    const auto entered = Exchange(TKVXCommand::EnterConfig, {});
    EXPECT_TRUE(FindReply(entered.data(), entered.size(), ShortReplySize, Acknowledge).has_value());
    const auto page = Exchange(TKVXCommand::ReadPage, {PasswordPageAddress >> 8, PasswordPageAddress & 0xFF});
    EXPECT_TRUE(FindReply(page.data(), page.size(), PageReplySize, Acknowledge).has_value());
    Exchange(TKVXCommand::ExitConfig, {});
    EXPECT_EQ(Control("config-mode", ""), 0);

    ASSERT_EQ(Control("unplug", ""), 0);
    Link->PollDevices();
    ASSERT_EQ(Disconnected.size(), 1u);
    EXPECT_TRUE(Disconnected[0].SameDevice(dongle));
    EXPECT_TRUE(Link->DeviceList().empty());
    Link->Close();
    EXPECT_FALSE(Link->DeviceConnected());
    EXPECT_EQ(Control("open", ""), 0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(USBXpressSimTest, StatusFramesArriveUnaskedAndOverrunIsDropped)
{
    Link->PollDevices();
    Link->Open(0);
    ASSERT_TRUE(Link->DeviceConnected());
    ASSERT_EQ(Control("advance", "3000"), 0);
    Link->PollRX();
    ASSERT_EQ(RxCounts.size(), 1u);
    EXPECT_GE(RxCounts[0], 32u);

    ASSERT_EQ(Control("fault", "overrun"), 0);
    RxCounts.clear();
    Link->PollRX();
    EXPECT_TRUE(RxCounts.empty());
    EXPECT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Control("queued", ""), 0);
}

} // namespace
} // namespace kvx
