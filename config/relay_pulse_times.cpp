#include "config/relay_pulse_times.h"

namespace kvx {

namespace {

constexpr TWordMSBFirst TKVXConfig::*PulseTimes[RelayCount] = {
    &TKVXConfig::Relay1PulseTime, &TKVXConfig::Relay2PulseTime, &TKVXConfig::Relay3PulseTime,
    &TKVXConfig::Relay4PulseTime, &TKVXConfig::Relay5PulseTime, &TKVXConfig::Relay6PulseTime,
    &TKVXConfig::Relay7PulseTime, &TKVXConfig::Relay8PulseTime};

} // namespace

uint16_t DecodeRelayPulseTime(const TKVXConfig& Config, size_t Index)
{
    return Index < RelayCount ? (Config.*PulseTimes[Index]).Value() : 0;
}

void EncodeRelayPulseTime(TKVXConfig& Config, size_t Index, uint32_t Seconds)
{
    if (Index < RelayCount) (Config.*PulseTimes[Index]).SetValue(static_cast<uint16_t>(Seconds));
}

} // namespace kvx
