// Describing a full configuration in its pages' words (500 missed calls, 64 timers, every
// label and list filled, the shipped Contact ID events), and comparing two such images as the
// difference lists and kvxctl diff do. Budget: describing one under 20 ms.
#include <benchmark/benchmark.h>

#include "config/cid_list.h"
#include "config/contact_id.h"
#include "config/config_words.h"
#include "config/design_config.h"
#include "config/missed_calls.h"
#include "config/recipients.h"
#include "config/remote_control.h"
#include "config/timers.h"
#include "config/week_days.h"
#include "config/words_compare.h"

namespace {

using namespace kvx;

std::u16string Text(const std::string& Value) { return {Value.begin(), Value.end()}; }

TKVXConfig FullImage()
{
    TKVXConfig image = DesignConfig();
    for (size_t i = 0; i < RecipientCount; ++i) EncodeRecipient(image, i, Text("4477009001" + std::to_string(10 + i)));
    for (size_t i = 0; i < TimerCount; ++i)
        EncodeTimer(image, i, {Text("Timer " + std::to_string(i)), static_cast<uint8_t>(i % 24), static_cast<uint8_t>(i % 60),
                               EveryWeekDay, static_cast<uint8_t>(i % 8), static_cast<uint8_t>(i % 4 + 1), 0xFF});
    for (size_t i = 0; i < MissedCallCount; ++i) {
        TMissedCallLocation call;
        call.Number = Text("44770090" + std::to_string(1000 + i));
        call.TimeWindow = i % 2 == 0;
        call.StartHour = 7;
        call.StopHour = 19;
        call.WeekDays = Monday | Tuesday | Friday;
        call.Relay = static_cast<uint8_t>(i % 8);
        call.Action = static_cast<uint8_t>(3 | ConfirmationBit);
        call.Count = static_cast<uint8_t>(i % 10);
        EncodeMissedCall(image, i, call);
    }
    for (const TCIDLabelKind kind : {TCIDLabelKind::Partition, TCIDLabelKind::Zone, TCIDLabelKind::User})
        for (size_t i = 0; i < CIDLabelCount(kind); ++i) EncodeCIDLabel(image, kind, i, Text("Label " + std::to_string(i)));
    for (size_t entry = 0; entry < CIDReportingCapacity; ++entry) EncodeCIDReportingMask(image, entry, 0x0005);
    return image;
}

std::vector<TCIDEvent> ShippedEvents()
{
    return LoadCIDList(KVX_CIDLIST_FILE, CIDReportingCapacity).Events;
}

void DescribeAFullImage(benchmark::State& State)
{
    const TKVXConfig image = FullImage();
    const std::vector<TCIDEvent> events = ShippedEvents();
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
    const std::vector<TCIDEvent> events = ShippedEvents();
    for (auto _ : State) benchmark::DoNotOptimize(CompareConfigWords(first, second, events));
}
BENCHMARK(CompareTwoFullImages)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
