#include "config/distribution.h"

namespace kvx {

namespace {

struct TEventText {
    const char* Name;
    const char* Caption;
};

constexpr TEventText EventTexts[] = {
#define KVX_EVENT_TEXT(name, caption) {#name, caption},
    KVX_DISTRIBUTION_EVENTS(KVX_EVENT_TEXT)
#undef KVX_EVENT_TEXT
};

size_t Slot(TDistributionEvent Event) { return static_cast<size_t>(Event); }

} // namespace

const char* DistributionEventName(TDistributionEvent Event) { return EventTexts[Slot(Event)].Name; }
const char* DistributionEventCaption(TDistributionEvent Event) { return EventTexts[Slot(Event)].Caption; }

uint16_t DecodeDistributionMask(const TKVXConfig& Config, TDistributionEvent Event)
{
    return static_cast<uint16_t>(Config.DistributeMessages.Masks[Slot(Event)].Value() & RecipientMaskBits);
}

void EncodeDistributionMask(TKVXConfig& Config, TDistributionEvent Event, uint16_t Mask)
{
    Config.DistributeMessages.Masks[Slot(Event)].SetValue(static_cast<uint16_t>(Mask & RecipientMaskBits));
}

} // namespace kvx
