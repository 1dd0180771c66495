// Describing a full configuration in its pages' words (bench/full_image.h, the shipped
// Contact ID events), and comparing two such images as the difference lists and kvxctl diff
// do. Budget: describing one under 20 ms.
#include <benchmark/benchmark.h>

#include "bench/full_image.h"
#include "config/config_words.h"
#include "config/missed_calls.h"
#include "config/words_compare.h"

namespace {

using namespace kvx;
using namespace kvx::bench;

void DescribeAFullImage(benchmark::State& State)
{
    const TKVXConfig image = FullImage();
    const std::vector<TCIDEvent> events = ShippedEvents(KVX_CIDLIST_FILE);
    size_t fields = 0;
    for (auto _ : State) {
        const TConfigWords words = DescribeConfig(image, events);
        fields = words.Fields.size();
        benchmark::DoNotOptimize(words);
    }
    State.counters["fields"] = static_cast<double>(fields);
    State.counters["CID events"] = static_cast<double>(events.size());
}
BENCHMARK(DescribeAFullImage)->Unit(benchmark::kMillisecond);

void CompareTwoFullImages(benchmark::State& State)
{
    const TKVXConfig first = FullImage();
    TKVXConfig second = first;
    EraseMissedCall(second, 250);
    second.TremmorCount = 200;
    const std::vector<TCIDEvent> events = ShippedEvents(KVX_CIDLIST_FILE);
    for (auto _ : State) benchmark::DoNotOptimize(CompareConfigWords(first, second, events));
}
BENCHMARK(CompareTwoFullImages)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
