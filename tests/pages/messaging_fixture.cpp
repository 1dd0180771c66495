#include "tests/pages/messaging_fixture.h"

#include <QFile>
#include <QLineEdit>

namespace kvx::ui::test {

void MessagingPagesTest::Build(const std::string& CIDListText)
{
    Recipients.reset();
    Distribution.reset();
    ContactID.reset();
    QFile file(CIDListPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(CIDListText.data(), static_cast<qint64>(CIDListText.size()));
    file.close();
    Recipients = std::make_unique<TMessageRecipientsPage>(Host, nullptr);
    ContactID = std::make_unique<TContactIDPage>(Host, nullptr, CIDListPath());
    Distribution = std::make_unique<TDistributeMessagesPage>(Host, nullptr);
    Host.Register(4, Recipients.get());
    Host.Register(6, Distribution.get());
    Host.Register(7, ContactID.get());
}

int MessagingPagesTest::RunTimer()
{
    int ticks = 0;
    for (; Recipients->HandOverTimer.isActive() && ticks < 100; ++ticks) Recipients->HandOverTick();
    return ticks;
}

void MessagingPagesTest::EnterRecipient(int N, const QString& Digits)
{
    Recipients->edRecipient.at(static_cast<size_t>(N))->setText(Digits);
    RunTimer();
}

void MessagingPagesTest::Load(TKVXConfig Image)
{
    Recipients->ConfigToForm(Image);
    Distribution->ConfigToForm(Image);
    ContactID->ConfigToForm(Image);
}

TKVXConfig MessagingPagesTest::Store()
{
    TKVXConfig image = ErasedConfig();
    EXPECT_TRUE(Recipients->FormToConfig(image, false));
    EXPECT_TRUE(Distribution->FormToConfig(image, false));
    EXPECT_TRUE(ContactID->FormToConfig(image, false));
    return image;
}

TImageCheckBox* MessagingPagesTest::Box(TDistributionEvent Event, int Recipient) const
{
    const TRecipientBoxes& boxes = Distribution->RowBoxes(Event);
    return Recipient == 0 ? boxes.All : boxes.Recipient(Recipient - 1);
}

std::vector<uint8_t> MessagingPagesTest::Mask(const TKVXConfig& Image, TDistributionEvent Event)
{
    const size_t at = offsetof(TKVXConfig, DistributeMessages) + 2 * static_cast<size_t>(Event);
    return {Image.Bytes()[at], Image.Bytes()[at + 1]};
}

std::vector<uint8_t> MessagingPagesTest::CIDMask(const TKVXConfig& Image, size_t Entry)
{
    const size_t at = offsetof(TKVXConfig, ContactIDReporting) + 2 * Entry;
    return {Image.Bytes()[at], Image.Bytes()[at + 1]};
}

} // namespace kvx::ui::test
