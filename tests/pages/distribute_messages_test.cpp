// The distribution grid: stored masks byte for byte, the All box rules, disabled boxes,
// the recipients page opening and closing columns, and the rows other pages switch.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "image/utils.h"
#include "tests/pages/messaging_fixture.h"
#include "ui/pages/page_roles.h"

namespace kvx::ui::test {
namespace {

using Event = TDistributionEvent;
using Bytes = std::vector<uint8_t>;

class DistributionTest : public MessagingPagesTest {
protected:
    void ClearRow(Event Row) { Distribution->CheckGroup(Distribution->RowPanel(Row), false); }
};

TKVXConfig ImageWithRecipients(std::initializer_list<size_t> Slots)
{
    TKVXConfig image = ErasedConfig();
    for (const size_t slot : Slots)
        TUtils::ASCIIString2BufferPad(u"+4477009001" + std::u16string(1, static_cast<char16_t>(u'0' + slot)),
                                      &image.ReportingNumbers[16 * slot], 16, 0);
    return image;
}

TEST_F(DistributionTest, MasksAreStoredLeastSignificantByteFirst)
{
    for (int n = 0; n < 10; ++n) EnterRecipient(n, QString("4477009001%1").arg(n));
    ClearRow(Event::MainsFail);
    Box(Event::MainsFail, 1)->Press();
    Box(Event::MainsFail, 3)->Press();
    ClearRow(Event::TestButton);
    Box(Event::TestButton, 10)->Press();
    Distribution->CheckGroup(Distribution->RowPanel(Event::SIMChange), true);

    const TKVXConfig image = Store();
    EXPECT_EQ(Mask(image, Event::MainsFail), Bytes({0x05, 0x00}));
    EXPECT_EQ(Mask(image, Event::TestButton), Bytes({0x00, 0x02}));
    EXPECT_EQ(Mask(image, Event::SIMChange), Bytes({0xFF, 0x03}));
    EXPECT_EQ(Mask(image, Event::PowerUp), Bytes({0xFF, 0x03}));  // a new recipient gets what is switched on
}

TEST_F(DistributionTest, HighBitsOfAStoredMaskAreIgnoredAndTheHiddenRowStillStores)
{
    TKVXConfig image = ImageWithRecipients({0, 2});
    const size_t bundle = offsetof(TKVXConfig, DistributeMessages) + 2 * static_cast<size_t>(Event::BundleThreshold);
    image.Bytes()[bundle] = 0x05;
    image.Bytes()[bundle + 1] = 0xFC;
    Load(image);
    EXPECT_TRUE(Distribution->RowPanel(Event::BundleThreshold)->isHidden());
    EXPECT_TRUE(Box(Event::BundleThreshold, 1)->Checked());
    EXPECT_TRUE(Box(Event::BundleThreshold, 3)->Checked());
    EXPECT_FALSE(Box(Event::BundleThreshold, 2)->Checked());
    EXPECT_EQ(Mask(Store(), Event::BundleThreshold), Bytes({0x05, 0x00}));
}

TEST_F(DistributionTest, AllBoxNeedsTwoRecipientsAndTwoTicks)
{
    EnterRecipient(0, "447700900100");
    for (size_t row = 0; row < DistributeMessageCount; ++row) {
        EXPECT_FALSE(Box(static_cast<Event>(row), 0)->Enabled()) << row;
        EXPECT_FALSE(Box(static_cast<Event>(row), 0)->Checked()) << row;
    }

    EnterRecipient(1, "447700900101");
    EnterRecipient(2, "447700900102");
    Box(Event::MainsFail, 3)->Press();  // three entered, two of them ticked
    EXPECT_TRUE(Box(Event::MainsFail, 0)->Enabled());
    EXPECT_TRUE(Box(Event::MainsFail, 0)->Checked());
    Box(Event::MainsFail, 0)->Press();
    for (int n = 1; n <= 3; ++n) EXPECT_FALSE(Box(Event::MainsFail, n)->Checked()) << n;
    EXPECT_EQ(Mask(Store(), Event::MainsFail), Bytes({0x00, 0x00}));

    Box(Event::MainsFail, 0)->Press();  // checked again: ticks the enabled recipients only
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(Box(Event::MainsFail, n)->Checked()) << n;
    EXPECT_FALSE(Box(Event::MainsFail, 4)->Checked());
}

TEST_F(DistributionTest, PressOnADisabledBoxStoresNothingAndShowsOnceItsRecipientReturns)
{
    EnterRecipient(0, "447700900100");
    const int changes = Host.Changes;
    Box(Event::SIMChange, 5)->Press();
    EXPECT_TRUE(Box(Event::SIMChange, 5)->Checked());
    EXPECT_EQ(Host.Changes, changes);
    EXPECT_EQ(Mask(Store(), Event::SIMChange), Bytes({0x00, 0x00}));

    EnterRecipient(4, "447700900104");
    EXPECT_TRUE(Box(Event::SIMChange, 5)->Enabled());
    EXPECT_TRUE(Box(Event::SIMChange, 5)->Checked());
    EXPECT_EQ(Mask(Store(), Event::SIMChange), Bytes({0x10, 0x00}));
}

TEST_F(DistributionTest, DeletingANumberDropsItsBitsButKeepsItsTicks)
{
    EnterRecipient(0, "447700900100");
    EnterRecipient(3, "447700900103");
    EXPECT_EQ(Mask(Store(), Event::PowerUp), Bytes({0x09, 0x00}));
    EnterRecipient(3, "");
    EXPECT_FALSE(Box(Event::PowerUp, 4)->Enabled());
    EXPECT_TRUE(Box(Event::PowerUp, 4)->Checked());
    EXPECT_FALSE(Recipients->btnRecipientClear[3]->isEnabled());
    EXPECT_EQ(Mask(Store(), Event::PowerUp), Bytes({0x01, 0x00}));
}

TEST_F(DistributionTest, StoredMasksWinOverANewRecipientsDefaults)
{
    const TKVXConfig image = ImageWithRecipients({0});  // every mask erased to all ones
    TKVXConfig cleared = image;
    EncodeDistributionMask(cleared, Event::MainsFail, 0);

    Recipients->ConfigToForm(cleared);
    EXPECT_TRUE(Box(Event::MainsFail, 1)->Checked());  // what UpdateDistributions gave
    Distribution->ConfigToForm(cleared);
    EXPECT_FALSE(Box(Event::MainsFail, 1)->Checked());
    EXPECT_EQ(Mask(Store(), Event::MainsFail), Bytes({0x00, 0x00}));
    EXPECT_EQ(Mask(Store(), Event::PowerUp), Bytes({0x01, 0x00}));
}

// Stand-ins for the pages that switch rows, holding only the controls the grid asks about.
class TSwitchPage : public TKVXPage {
public:
    using TKVXPage::TKVXPage;
    void ConfigToForm(const TKVXConfig&) override {}
    bool FormToConfig(TKVXConfig&, bool) override { return true; }
};

class TTimersPage : public TSwitchPage, public ITimerCount {
public:
    using TSwitchPage::TSwitchPage;
    int GetTimersCount() const override { return Count; }
    int Count = 0;
};

TEST_F(DistributionTest, ANewRecipientGetsExactlyTheEventsSwitchedOnNow)
{
    TSwitchPage general;
    auto* selfTest = new QCheckBox(&general);
    selfTest->setObjectName("cbSelfTest");
    auto* tamper = new QLineEdit("255", &general);
    tamper->setObjectName("edTamper");
    auto* expander = new QRadioButton(&general);
    expander->setObjectName("rbIOExpander");
    expander->setChecked(true);
    TSwitchPage inputs;
    auto* input4Low = new QCheckBox(&inputs);
    input4Low->setObjectName("cbIP4L");
    input4Low->setChecked(true);
    auto* analogueHigh = new QCheckBox(&inputs);
    analogueHigh->setObjectName("cbIPAH");
    TTimersPage timers;
    Host.Register(3, &general);
    Host.Register(5, &inputs);
    Host.Register(11, &timers);

    EnterRecipient(1, "447700900101");
    EXPECT_TRUE(Box(Event::IP4L, 2)->Checked());
    EXPECT_FALSE(Box(Event::IP4H, 2)->Checked());
    EXPECT_FALSE(Box(Event::ADH, 2)->Checked());
    EXPECT_FALSE(Box(Event::AutoTest, 2)->Checked());
    EXPECT_FALSE(Box(Event::Tamper, 2)->Checked());
    EXPECT_TRUE(Box(Event::CommsFailure, 2)->Checked());
    EXPECT_FALSE(Box(Event::TimerEvents, 2)->Checked());
    EXPECT_FALSE(Box(Event::SIMChange, 2)->Checked());
    EXPECT_TRUE(Box(Event::IllegalAccess, 2)->Checked());

    selfTest->setChecked(true);
    tamper->setText("180");
    timers.Count = 1;
    EnterRecipient(2, "447700900102");
    EXPECT_TRUE(Box(Event::AutoTest, 3)->Checked());
    EXPECT_TRUE(Box(Event::Tamper, 3)->Checked());
    EXPECT_TRUE(Box(Event::TimerEvents, 3)->Checked());
    EXPECT_FALSE(Box(Event::AutoTest, 2)->Checked());  // other recipients are left alone
}

} // namespace
} // namespace kvx::ui::test
