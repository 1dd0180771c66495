#include "config/recipients.h"

#include "config/text_fields.h"

namespace kvx {

namespace {

constexpr size_t SlotSize = 16;
static_assert(RecipientCount * SlotSize == decltype(TKVXConfig::ReportingNumbers)::Size);

} // namespace

std::u16string DecodeRecipient(const TKVXConfig& Config, size_t Index)
{
    if (Index >= RecipientCount) return {};
    return ReadPhoneNumber(&Config.ReportingNumbers[Index * SlotSize], SlotSize);
}

void EncodeRecipient(TKVXConfig& Config, size_t Index, const std::u16string& Digits)
{
    if (Index >= RecipientCount) return;
    WritePhoneNumber(&Config.ReportingNumbers[Index * SlotSize], SlotSize, Digits);
}

void EraseRecipient(TKVXConfig& Config, size_t Index)
{
    if (Index < RecipientCount) EraseField(&Config.ReportingNumbers[Index * SlotSize], SlotSize);
}

} // namespace kvx
