#pragma once
// The recipients, distribution and Contact ID pages wired to one test host, as the main
// window wires them, with a Contact ID event list of the test's choosing.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "tests/pages/page_test_host.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/pages/contact_id_page.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/message_recipients_page.h"

namespace kvx::ui::test {

class MessagingPagesTest : public ::testing::Test {
protected:
    // Two Contact ID events unless the test builds its own list.
    void SetUp() override { Build("110 Fire\r\n130 Burglary\r\n"); }
    void Build(const std::string& CIDListText);
    QString CIDListPath() const { return Folder.filePath("CIDList.txt"); }

    // Types a number into recipient N (0..9) and lets the debounce run out.
    void EnterRecipient(int N, const QString& Digits);
    // Lets HandOverTimer run until it stops, as the event loop would; returns the ticks taken.
    int RunTimer();
    // ConfigToForm in the main window's walk order.
    void Load(TKVXConfig Image);
    // FormToConfig of all three into an erased image, without checks.
    TKVXConfig Store();

    TImageCheckBox* Box(TDistributionEvent Event, int Recipient) const;  // 0: the All box
    static std::vector<uint8_t> Mask(const TKVXConfig& Image, TDistributionEvent Event);
    static std::vector<uint8_t> CIDMask(const TKVXConfig& Image, size_t Entry);

    QTemporaryDir Folder;
    TScriptedDialogs Dialogs;
    TPageTestHost Host;
    std::unique_ptr<TMessageRecipientsPage> Recipients;
    std::unique_ptr<TDistributeMessagesPage> Distribution;
    std::unique_ptr<TContactIDPage> ContactID;
};

} // namespace kvx::ui::test
