#include "tests/pages/page_test_host.h"

namespace kvx::ui::test {

TPageTestHost::TPageTestHost()
{
    auto link = std::make_unique<kvx::test::TFakeUnitLink>();
    Link = link.get();
    KVX = std::make_unique<TKVX>(std::move(link), Pump, [] { return TLocalDateTime{}; });
}

TPageTestHost::~TPageTestHost() = default;

TKVXPage* TPageTestHost::Page(int No)
{
    const auto it = Pages.find(No);
    return it == Pages.end() ? nullptr : it->second;
}

void TPageTestHost::ConnectDongle()
{
    Link->OnDeviceConnect(kvx::test::DongleInfo());
}

} // namespace kvx::ui::test
