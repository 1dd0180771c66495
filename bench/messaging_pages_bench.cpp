// The messaging grid: creating the Contact ID page with the shipped event list (225 rows),
// and showing a full image on the recipients, distribution and Contact ID pages.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/bench_host.h"
#include "config/recipients.h"
#include "ui/main/kvx_style.h"
#include "ui/pages/contact_id_page.h"
#include "ui/pages/distribute_messages_page.h"
#include "ui/pages/message_recipients_page.h"

namespace {

using namespace kvx;
using namespace kvx::ui;

using bench::TBenchHost;

void CreateContactIDPage(benchmark::State& State)
{
    TBenchHost host;
    for (auto _ : State) {
        TContactIDPage page(host, nullptr);
        if (page.CIDControlListCount() != 225) State.SkipWithError("CIDList.txt beside the benchmark has not 225 lines");
        benchmark::DoNotOptimize(page.CIDControlListCount());
    }
}
BENCHMARK(CreateContactIDPage)->Unit(benchmark::kMillisecond);

// Creation plus the first showing, which styles and lays out every row.
void CreateAndShowContactIDPage(benchmark::State& State)
{
    TBenchHost host;
    for (auto _ : State) {
        TContactIDPage page(host, nullptr);
        page.resize(769, 552);
        page.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(page.isVisible());
    }
}
BENCHMARK(CreateAndShowContactIDPage)->Unit(benchmark::kMillisecond);

TKVXConfig FullImage()
{
    TKVXConfig image;
    for (size_t i = 0; i < TKVXConfig::Size; ++i) image.Bytes()[i] = static_cast<uint8_t>(i * 7);
    for (size_t n = 0; n < RecipientCount; ++n) EncodeRecipient(image, n, u"4477009001" + std::u16string(2, static_cast<char16_t>(u'0' + n)));
    return image;
}

void ShowFullImageOnMessagingPages(benchmark::State& State)
{
    TBenchHost host;
    TMessageRecipientsPage recipients(host, nullptr);
    TDistributeMessagesPage distribution(host, nullptr);
    TContactIDPage contactID(host, nullptr);
    host.Pages = {{4, &recipients}, {6, &distribution}, {7, &contactID}};
    TKVXConfig image = FullImage();
    const TKVXConfig empty = ErasedConfig();
    for (auto _ : State) {
        State.PauseTiming();
        TKVXConfig erased = empty;  // every column closes, so each load opens all ten again
        recipients.ConfigToForm(erased);
        State.ResumeTiming();
        recipients.ConfigToForm(image);
        distribution.ConfigToForm(image);
        contactID.ConfigToForm(image);
    }
}
BENCHMARK(ShowFullImageOnMessagingPages)->Unit(benchmark::kMillisecond);

} // namespace
