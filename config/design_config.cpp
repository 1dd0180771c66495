#include "config/design_config.h"

#include <string>

#include "config/analogue_input.h"
#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/input_messages.h"
#include "config/m2m.h"
#include "config/relay_pulse_times.h"
#include "config/remote_control.h"
#include "config/security_setup.h"
#include "config/sim_setup.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr uint32_t MainsDelayMinutes = 10;
constexpr uint32_t PulseSeconds = 3;

} // namespace

TKVXConfig DesignConfig()
{
    TKVXConfig config = ErasedConfig();
    // SIM setup: no message centre numbers, no second SIM.
    EncodeSecondarySIMEnabled(config, false);
    // Security setup: the standard command PIN, no sender check.
    EncodeCommandPIN(config, u"8642");
    EncodeVerifySender(config, false);
    // General setup.
    EncodeUnitID(config, u"Default");
    EncodeSelfTest(config, TSelfTest{});
    EncodeDelayMinutes(config.ACFailTimeout, MainsDelayMinutes);
    EncodeDelayMinutes(config.ACRestoreTimeout, MainsDelayMinutes);
    config.TremmorCount = TamperDisabled;
    EncodeSerialInterface(config, TSerialInterface::Disabled);
    // SMS input messages: every message off, no analogue breach.
    for (size_t slot = 0; slot < InputMessageCount; ++slot) EncodeInputMessage(config, slot, {});
    EncodeAnalogueInput(config, {});
    // Message distribution and Contact ID: nobody gets anything; the labels say what they are.
    for (size_t e = 0; e < DistributeMessageCount; ++e) EncodeDistributionMask(config, static_cast<TDistributionEvent>(e), 0);
    for (const auto& [kind, caption] : {std::pair{TCIDLabelKind::Partition, u"Partition "}, {TCIDLabelKind::Zone, u"Zone "}, {TCIDLabelKind::User, u"User "}})
        for (size_t i = 0; i < CIDLabelCount(kind); ++i) EncodeCIDLabel(config, kind, i, caption + TUtils::FromLatin1(std::to_string(i)));
    for (size_t entry = 0; entry < CIDReportingCapacity; ++entry) EncodeCIDReportingMask(config, entry, 0);
    EncodeDialTone(config, false);
    // Relays.
    for (size_t relay = 0; relay < RelayCount; ++relay) EncodeRelayPulseTime(config, relay, PulseSeconds);
    // M2M base stations: no numbers, the standard ID and event numbers.
    EncodeM2MID(config, u"00000");
    for (size_t e = 0; e < M2MTelemetryCount; ++e) {
        const auto event = static_cast<TDistributionEvent>(e);
        EncodeM2MTelemetry(config, event, M2MStandardEventNumber(event));
    }
    // Remote control: no command, so no trigger.
    EncodeRemoteCommands(config, {});
    return config;
}

} // namespace kvx
