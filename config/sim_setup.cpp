#include "config/sim_setup.h"

#include "config/text_fields.h"

namespace kvx {

namespace {

constexpr uint8_t Enabled = 255;

TKVXLabel TKVXConfig::*NumberField(TSIM SIM)
{
    return SIM == TSIM::Primary ? &TKVXConfig::SIM1ServiceCentreNumber : &TKVXConfig::SIM2ServiceCentreNumber;
}

} // namespace

std::u16string DecodeServiceCentreNumber(const TKVXConfig& Config, TSIM SIM)
{
    return ReadPhoneNumber(Config.*NumberField(SIM));
}

void EncodeServiceCentreNumber(TKVXConfig& Config, TSIM SIM, const std::u16string& Digits)
{
    WritePhoneNumber(Config.*NumberField(SIM), Digits);
}

bool DecodeSecondarySIMEnabled(const TKVXConfig& Config) { return Config.SIM2Enable == Enabled; }

void EncodeSecondarySIMEnabled(TKVXConfig& Config, bool On) { Config.SIM2Enable = On ? Enabled : 0; }

} // namespace kvx
