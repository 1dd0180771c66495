#pragma once
// A stand-in for the main window: the few things a page asks of its host, recorded, with a
// device object over a scripted unit so password and transfer flows run without hardware.
#include <map>
#include <memory>
#include <vector>

#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"
#include "ui/main/page_contract.h"

namespace kvx::ui::test {

class TPageTestHost : public IPageHost {
public:
    TPageTestHost();
    ~TPageTestHost() override;

    TKVX* Device() override { return KVX.get(); }
    bool HasBeenRead() const override { return Read; }
    void MarkConfigChanged() override { ++Changes; }
    void BringPageForward(int No) override { Forwarded.push_back(No); }
    TKVXPage* Page(int No) override;
    void ShowCommandGuide() override { ++GuidesShown; }
    std::string DefaultCountryCode() const override { return CountryCode; }

    // Lets the page find a sibling by number, as the main window would.
    void Register(int No, TKVXPage* Sibling) { Pages[No] = Sibling; }
    // Reports the dongle as plugged in, so the device object counts as connected.
    void ConnectDongle();

    kvx::test::TFakePump Pump;
    kvx::test::TFakeUnitLink* Link = nullptr;  // owned by KVX
    std::unique_ptr<TKVX> KVX;
    bool Read = false;
    int Changes = 0;
    int GuidesShown = 0;
    std::string CountryCode;
    std::vector<int> Forwarded;
    std::map<int, TKVXPage*> Pages;
};

} // namespace kvx::ui::test
