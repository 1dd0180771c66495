// CPU cost of the protocol layer for whole-memory transfers (the link answers at once,
// so this is framing, CRC and the reply search alone).
#include <benchmark/benchmark.h>

#include <memory>

#include "link/kvx.h"
#include "tests/support/fake_pump.h"
#include "tests/support/fake_unit_link.h"

namespace {

using namespace kvx;

struct TBench {
    test::TFakePump Pump;
    test::TFakeUnitLink* Link;
    std::unique_ptr<TKVX> KVX;
    TBench()
    {
        auto fake = std::make_unique<test::TFakeUnitLink>();
        Link = fake.get();
        KVX = std::make_unique<TKVX>(std::move(fake), Pump, [] { return TLocalDateTime{}; });
        Link->Open(0);
    }
};

void BM_FullRead(benchmark::State& state)
{
    TBench bench;
    TKVXConfig config = ErasedConfig();
    for (auto _ : state) {
        bench.Link->Requests.clear();
        benchmark::DoNotOptimize(bench.KVX->ReadConfig(&config));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(UnitMemorySize));
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond);

void BM_FullWrite(benchmark::State& state)
{
    TBench bench;
    TKVXConfig config = ErasedConfig();
    bench.KVX->ReadConfig(&config);
    for (auto _ : state) {
        bench.Link->Requests.clear();
        benchmark::DoNotOptimize(bench.KVX->WriteConfig(&config));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(UnitMemorySize));
}
BENCHMARK(BM_FullWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
