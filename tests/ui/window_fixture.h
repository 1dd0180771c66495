#pragma once
// The main window over a scripted unit on virtual time, with stand-in pages that each keep
// one byte of the image, and scripted dialogs.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/main_window.h"

namespace kvx::ui::test {

// A page holding one byte of the image at a fixed offset; page 3 also holds the hidden edit.
class TBytePage : public TKVXPage {
public:
    TBytePage(IPageHost& Host, int No, QWidget* Parent);

    void ConfigToForm(const TKVXConfig& KVXConfig) override;
    bool FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant) override;
    // An edit on the page, as a change handler reports it.
    void Edit(uint8_t NewValue);

    // Inside SIM1BalanceRequest, which no real page shows: difference lists name it as the image does.
    static size_t OffsetOf(int No) { return 288 + static_cast<size_t>(No); }

    int No;
    uint8_t Value = 0;
    bool RefuseChecks = false;  // the write path's check fails
    bool RefuseEveryStore = false;  // an edit holds no number: writes and saves alike refuse
    int StoreCount = 0;

private:
    IPageHost& FHost;
};

using kvx::test::DongleInfo;
// A status frame of the given type with a correct checksum.
std::vector<uint8_t> StatusFrame(uint8_t Type, const std::vector<uint8_t>& Data);

class WindowTest : public ::testing::Test {
protected:
    // Builds the window with stand-in pages of these numbers (all thirteen by default).
    void CreateWindow(std::vector<int> PageNumbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    void ConnectDongle();
    TBytePage* BytePage(int No) const;
    // The unit's password, as the password page holds it (space padded).
    void SetUnitPassword(const std::string& Password);

    TScriptedDialogs Dialogs;
    QTemporaryDir Backups;
    QString BackupFolder = Backups.path();  // the window's, when it is created
    kvx::test::TFakePump Pump;
    kvx::test::TFakeUnitLink* Link = nullptr;  // owned by the window's device object
    std::unique_ptr<TMainWindow> Window;
    std::vector<TBytePage*> Pages;
};

} // namespace kvx::ui::test
