#include "tests/ui/window_fixture.h"

#include <cstring>

#include "link/crc8.h"
#include "ui/main/dialog_service.h"

namespace kvx::ui::test {

TBytePage::TBytePage(IPageHost& Host, int PageNo, QWidget* Parent) : TKVXPage(Parent), No(PageNo), FHost(Host) {}

void TBytePage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    Edit(KVXConfig.Bytes()[OffsetOf(No)]);
}

bool TBytePage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    if ((ConfigAssistant && RefuseChecks) || RefuseEveryStore) {
        TKVXMessageDlg::ShowMessageEx(QString("Page %1 refuses.").arg(No), TMsgDlgType::mtInformation,
                                      {TMsgDlgBtn::mbOK}, 0);
        FHost.BringPageForward(No);
        return false;
    }
    ++StoreCount;
    KVXConfig.Bytes()[OffsetOf(No)] = Value;
    return true;
}

void TBytePage::Edit(uint8_t NewValue)
{
    Value = NewValue;
    FHost.MarkConfigChanged();
}

std::vector<uint8_t> StatusFrame(uint8_t Type, const std::vector<uint8_t>& Data)
{
    std::vector<uint8_t> frame(32, 0);
    frame[0] = Type;
    std::copy_n(Data.begin(), std::min<size_t>(Data.size(), 30), frame.begin() + 1);
    frame[31] = Crc8Maxim(frame.data() + 1, 30);
    return frame;
}

void WindowTest::CreateWindow(std::vector<int> PageNumbers)
{
    Window.reset();
    Pages.clear();
    auto link = std::make_unique<kvx::test::TFakeUnitLink>();
    Link = link.get();
    TMainWindowSetup setup;
    setup.Link = std::move(link);
    setup.Pump = &Pump;
    setup.Clock = [] { return TLocalDateTime{2026, 3, 23, 14, 5, 9}; };
    setup.BackupFolder = BackupFolder;
    setup.CreatePages = [this, PageNumbers](IPageHost& Host, QWidget* Parent) {
        std::vector<TPageEntry> entries;
        for (int no : PageNumbers) {
            auto* page = new TBytePage(Host, no, Parent);
            Pages.push_back(page);
            entries.push_back({no, page});
        }
        return entries;
    };
    Window = std::make_unique<TMainWindow>(std::move(setup));
    Window->show();
}

void WindowTest::ConnectDongle()
{
    Link->OnDeviceConnect(DongleInfo());
}

TBytePage* WindowTest::BytePage(int No) const
{
    for (TBytePage* page : Pages)
        if (page->No == No) return page;
    return nullptr;
}

void WindowTest::SetUnitPassword(const std::string& Password)
{
    uint8_t* page = Link->Unit.Memory.data() + PasswordPageAddress;
    std::memset(page, ' ', PasswordLength);
    std::memcpy(page, Password.data(), Password.size());
}

} // namespace kvx::ui::test
