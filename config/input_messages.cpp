#include "config/input_messages.h"

#include "config/text_fields.h"

namespace kvx {

namespace {

constexpr size_t SlotSize = 16;
static_assert(InputMessageCount * SlotSize == decltype(TKVXConfig::InputMessages)::Size);

constexpr TWordMSBFirst TKVXConfig::*DelayWords[2 * InputsWithDelay] = {
    &TKVXConfig::Input1HighDelay, &TKVXConfig::Input1LowDelay, &TKVXConfig::Input2HighDelay,
    &TKVXConfig::Input2LowDelay,  &TKVXConfig::Input3HighDelay, &TKVXConfig::Input3LowDelay,
    &TKVXConfig::Input4HighDelay, &TKVXConfig::Input4LowDelay, &TKVXConfig::Input5HighDelay,
    &TKVXConfig::Input5LowDelay,  &TKVXConfig::Input6HighDelay, &TKVXConfig::Input6LowDelay,
    &TKVXConfig::Input7HighDelay, &TKVXConfig::Input7LowDelay,
};

} // namespace

TInputMessage DecodeInputMessage(const TKVXConfig& Config, size_t Slot)
{
    TInputMessage message;
    if (Slot >= InputMessageCount) return message;
    message.Text = ReadText(&Config.InputMessages[Slot * SlotSize], SlotSize);
    message.Enabled = !message.Text.empty();
    if (InputMessageHasDelay(Slot)) message.DelaySeconds = (Config.*DelayWords[Slot]).Value() / InputDelayUnitsPerSecond;
    return message;
}

void EncodeInputMessage(TKVXConfig& Config, size_t Slot, const TInputMessage& Message)
{
    if (Slot >= InputMessageCount) return;
    if (Message.Enabled && !Message.Text.empty())
        WriteText(&Config.InputMessages[Slot * SlotSize], SlotSize, Message.Text, PadSpace);
    if (!InputMessageHasDelay(Slot)) return;
    (Config.*DelayWords[Slot]).SetValue(
        Message.Enabled ? static_cast<uint16_t>(Message.DelaySeconds * InputDelayUnitsPerSecond) : 0);
}

} // namespace kvx
