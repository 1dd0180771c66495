// Arbitrary bytes as the unit's answer: the reply search and a page read over them must
// never read or write outside their buffers.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "link/kvx.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"

using namespace kvx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const size_t replySize = data[0] & 1 ? PageReplySize : ShortReplySize;
    const int expected = data[0] & 2 ? AnyAcknowledge : Acknowledge;
    (void)FindReply(data + 1, size - 1, replySize, expected);

    test::TFakePump pump;
    auto fake = std::make_unique<test::TFakeUnitLink>();
    test::TFakeUnitLink* link = fake.get();
    link->Silent = true;
    const std::vector<uint8_t> answer(data + 1, data + size);
    link->AfterRequest = [&](TKVXCommand) { link->Receive(answer); };
    TKVX kvx(std::move(fake), pump, [] { return TLocalDateTime{}; });
    link->Open(0);

    uint8_t page[PageSize];
    if (data[0] & 4)
        (void)kvx.ReadPage(page, 0x0700);
    else
        (void)kvx.SendAndExpect(4, static_cast<uint8_t>(replySize), 5, expected);
    return 0;
}
