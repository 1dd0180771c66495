#pragma once
// DistributeMessages: one recipient mask per reported event, least significant byte first.
// The event order is also the order of the M2M event-number slots.
#include <cstddef>
#include <cstdint>

#include "image/kvx_config.h"
#include "config/recipient_masks.h"

namespace kvx {

// name, caption: in the unit's order.
#define KVX_DISTRIBUTION_EVENTS(X)                                                                  \
    X(PowerUp, "Power Up")                                                                         \
    X(IP1H, "Input 1 high") X(IP1L, "Input 1 low") X(IP2H, "Input 2 high") X(IP2L, "Input 2 low")  \
    X(IP3H, "Input 3 high") X(IP3L, "Input 3 low") X(IP4H, "Input 4 high") X(IP4L, "Input 4 low")  \
    X(IP5H, "Input 5 high") X(IP5L, "Input 5 low") X(IP6H, "Input 6 high") X(IP6L, "Input 6 low")  \
    X(IP7H, "Input 7 high") X(IP7L, "Input 7 low") X(IP8H, "Input 8 high") X(IP8L, "Input 8 low")  \
    X(IP9H, "Input 9 high") X(IP9L, "Input 9 low")                                                 \
    X(MainsFail, "Mains fail")                                                                     \
    X(MaindRest, "Mains restore")                                                                  \
    X(BattLow, "Battery low")                                                                      \
    X(BatteryCrit, "Battery critical")                                                             \
    X(BatteryRest, "Battery restore")                                                              \
    X(AutoTest, "Self test")                                                                       \
    X(Tamper, "Vibration tamper")                                                                  \
    X(IllegalAccess, "Illegal access")                                                             \
    X(TimerEvents, "Timer events")                                                                 \
    X(TestButton, "Test button")                                                                   \
    X(BundleThreshold, "Bundle threshold")                                                         \
    X(ADL, "I/O A/D low limit")                                                                    \
    X(ADH, "I/O A/D high limit")                                                                   \
    X(CommsFailure, "I/O comms fail")                                                              \
    X(SIMChange, "SIM change report")

enum class TDistributionEvent : uint8_t {
#define KVX_EVENT_ENUM(name, caption) name,
    KVX_DISTRIBUTION_EVENTS(KVX_EVENT_ENUM)
#undef KVX_EVENT_ENUM
};

static_assert(static_cast<size_t>(TDistributionEvent::SIMChange) + 1 == DistributeMessageCount);

// The event's field name ("MainsFail") and its caption on the pages ("Mains fail").
const char* DistributionEventName(TDistributionEvent Event);
const char* DistributionEventCaption(TDistributionEvent Event);

// The stored mask with bits 10..15 dropped.
uint16_t DecodeDistributionMask(const TKVXConfig& Config, TDistributionEvent Event);
// Stores the mask least significant byte first with bits 10..15 cleared.
void EncodeDistributionMask(TKVXConfig& Config, TDistributionEvent Event, uint16_t Mask);

} // namespace kvx
