#pragma once
// Just enough of a main window for a few pages to find each other and mark changes.
#include <map>

#include "ui/main/page_contract.h"

namespace kvx::ui::bench {

class TBenchHost : public IPageHost {
public:
    TKVX* Device() override { return nullptr; }
    bool HasBeenRead() const override { return false; }
    void MarkConfigChanged() override {}
    void BringPageForward(int) override {}
    TKVXPage* Page(int No) override { return Pages.count(No) ? Pages[No] : nullptr; }
    void ShowCommandGuide() override {}
    std::string DefaultCountryCode() const override { return {}; }

    std::map<int, TKVXPage*> Pages;
};

} // namespace kvx::ui::bench
