#include "config/m2m.h"

#include "config/text_fields.h"

namespace kvx {

namespace {

static_assert(M2MTelemetryCount * M2MTelemetryWidth == decltype(TKVXConfig::M2MTelemetries)::Size);

constexpr TKVXLabel TKVXConfig::*StationNumbers[M2MStationCount] = {
    &TKVXConfig::M2MReportingNumber1, &TKVXConfig::M2MReportingNumber2,
    &TKVXConfig::M2MReportingNumber3, &TKVXConfig::M2MReportingNumber4};

// In event order; 0 marks the slots the pages leave alone.
constexpr uint16_t StandardNumbers[M2MTelemetryCount] = {
    823,                                                                     // PowerUp
    800, 801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 811, 812, 813, 814, 815, 816, 817,  // inputs
    824, 825, 826, 827, 828,                                                 // mains, battery
    820, 821, 822, 829, 819,                                                 // self test .. test button
    0,                                                                       // BundleThreshold
    830, 831, 832,                                                           // A/D low, high, comms
    0};                                                                      // SIMChange

size_t Slot(TDistributionEvent Event) { return static_cast<size_t>(Event); }

} // namespace

std::u16string DecodeM2MNumber(const TKVXConfig& Config, size_t Index)
{
    return Index < M2MStationCount ? ReadPhoneNumber(Config.*StationNumbers[Index]) : std::u16string();
}

void EncodeM2MNumber(TKVXConfig& Config, size_t Index, const std::u16string& Digits)
{
    if (Index < M2MStationCount) WritePhoneNumber(Config.*StationNumbers[Index], Digits);
}

std::u16string DecodeM2MID(const TKVXConfig& Config) { return ReadText(Config.M2MID); }

void EncodeM2MID(TKVXConfig& Config, const std::u16string& ID)
{
    if (!ID.empty()) WriteText(Config.M2MID, ID, PadZero);
}

bool M2MTelemetryEdited(TDistributionEvent Event) { return StandardNumbers[Slot(Event)] != 0; }

std::u16string M2MStandardEventNumber(TDistributionEvent Event)
{
    const uint16_t number = StandardNumbers[Slot(Event)];
    if (number == 0) return {};
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string DecodeM2MTelemetry(const TKVXConfig& Config, TDistributionEvent Event)
{
    return ReadText(&Config.M2MTelemetries[Slot(Event) * M2MTelemetryWidth], M2MTelemetryWidth);
}

void EncodeM2MTelemetry(TKVXConfig& Config, TDistributionEvent Event, const std::u16string& Number)
{
    if (!M2MTelemetryEdited(Event)) return;
    WriteText(&Config.M2MTelemetries[Slot(Event) * M2MTelemetryWidth], M2MTelemetryWidth, Number, PadSpace);
}

} // namespace kvx
