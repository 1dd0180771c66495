#include "config/analogue_input.h"

#include <cmath>

#include "config/text_fields.h"

namespace kvx {

namespace {

struct TBreachFields {
    TKVXLabel TKVXConfig::*Message;
    TWordMSBFirst TKVXConfig::*Voltage;
    TWordMSBFirst TKVXConfig::*Current;
    TWordMSBFirst TKVXConfig::*Delay;
};

constexpr TBreachFields HighFields{&TKVXConfig::ADHighThresholdMessage, &TKVXConfig::ADVHighThreshold,
                                   &TKVXConfig::ADIHighThreshold, &TKVXConfig::ADHighThresholdDelay};
constexpr TBreachFields LowFields{&TKVXConfig::ADLowThresholdMessage, &TKVXConfig::ADVLowThreshold,
                                  &TKVXConfig::ADILowThreshold, &TKVXConfig::ADLowThresholdDelay};

TAnalogueBreach DecodeBreach(const TKVXConfig& Config, const TBreachFields& Fields)
{
    TAnalogueBreach breach;
    breach.Message = ReadText(Config.*Fields.Message);
    breach.Enabled = !breach.Message.empty();
    breach.VoltageHundredths = (Config.*Fields.Voltage).Value();
    breach.CurrentHundredths = (Config.*Fields.Current).Value();
    breach.ResponseSeconds = (Config.*Fields.Delay).Value() / AnalogueDelayUnitsPerSecond;
    return breach;
}

void EncodeBreach(TKVXConfig& Config, const TBreachFields& Fields, const TAnalogueBreach& Breach)
{
    if (!Breach.Enabled) return;
    if (!Breach.Message.empty()) WriteText(Config.*Fields.Message, Breach.Message, PadSpace);
    (Config.*Fields.Voltage).SetValue(Breach.VoltageHundredths);
    (Config.*Fields.Current).SetValue(Breach.CurrentHundredths);
    (Config.*Fields.Delay).SetValue(static_cast<uint16_t>(Breach.ResponseSeconds * AnalogueDelayUnitsPerSecond));
}

} // namespace

std::optional<TAnalogueInput> DecodeAnalogueInput(const TKVXConfig& Config)
{
    if (Config.ADType == static_cast<uint8_t>(TAnalogueType::None)) return std::nullopt;
    TAnalogueInput input;
    input.VoltageInput = Config.ADType == static_cast<uint8_t>(TAnalogueType::Voltage);
    input.High = DecodeBreach(Config, HighFields);
    input.Low = DecodeBreach(Config, LowFields);
    return input;
}

void EncodeAnalogueInput(TKVXConfig& Config, const TAnalogueInput& Input)
{
    EncodeBreach(Config, HighFields, Input.High);
    EncodeBreach(Config, LowFields, Input.Low);
    TAnalogueType type = TAnalogueType::None;
    if (Input.High.Enabled || Input.Low.Enabled)
        type = Input.VoltageInput ? TAnalogueType::Voltage : TAnalogueType::Current;
    Config.ADType = static_cast<uint8_t>(type);
}

uint16_t TruncatedHundredths(double Value)
{
    // The nudge before truncating: 4.10 is 4.0999... in binary, so a threshold read as 410,
    // shown as "4.10" and stored back unchanged would otherwise go to the unit as 409.
    const double product = std::trunc(Value * 100.0 + 1e-7);
    if (!(product >= 0.0)) return 0;
    return static_cast<uint16_t>(static_cast<uint32_t>(std::fmin(product, 65535.0)));
}

} // namespace kvx
