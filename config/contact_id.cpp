#include "config/contact_id.h"

#include <optional>

#include "config/text_fields.h"
#include "image/list_records.h"

namespace kvx {

namespace {

constexpr size_t LabelSize = 16;

static_assert(CIDPartitionCount * LabelSize == decltype(TKVXConfig::CIDPartitionLabels)::Size);
static_assert(CIDZoneCount * LabelSize == decltype(TKVXConfig::CIDZoneLabels)::Size);
static_assert(CIDUserCount * LabelSize == decltype(TKVXConfig::CIDUserLabels)::Size);
static_assert(CIDReportingCapacity * sizeof(TRecipientMaskRecord) == decltype(TKVXConfig::ContactIDReporting)::Size);

// Where label Index of a kind lies in the image; empty past its block.
std::optional<size_t> LabelOffset(TCIDLabelKind Kind, size_t Index)
{
    if (Index >= CIDLabelCount(Kind)) return std::nullopt;
    switch (Kind) {
    case TCIDLabelKind::Partition: return offsetof(TKVXConfig, CIDPartitionLabels) + Index * LabelSize;
    case TCIDLabelKind::Zone: return offsetof(TKVXConfig, CIDZoneLabels) + Index * LabelSize;
    case TCIDLabelKind::User: return offsetof(TKVXConfig, CIDUserLabels) + Index * LabelSize;
    }
    return std::nullopt;
}

} // namespace

size_t CIDLabelCount(TCIDLabelKind Kind)
{
    switch (Kind) {
    case TCIDLabelKind::Partition: return CIDPartitionCount;
    case TCIDLabelKind::Zone: return CIDZoneCount;
    case TCIDLabelKind::User: return CIDUserCount;
    }
    return 0;
}

std::u16string DecodeCIDLabel(const TKVXConfig& Config, TCIDLabelKind Kind, size_t Index)
{
    const auto offset = LabelOffset(Kind, Index);
    return offset ? ReadText(Config.Bytes() + *offset, LabelSize) : std::u16string();
}

void EncodeCIDLabel(TKVXConfig& Config, TCIDLabelKind Kind, size_t Index, const std::u16string& Label)
{
    const auto offset = LabelOffset(Kind, Index);
    if (!offset || Label.empty()) return;
    WriteText(Config.Bytes() + *offset, LabelSize, Label, PadSpace);
}

void EraseCIDLabel(TKVXConfig& Config, TCIDLabelKind Kind, size_t Index)
{
    if (const auto offset = LabelOffset(Kind, Index)) EraseField(Config.Bytes() + *offset, LabelSize);
}

uint16_t DecodeCIDReportingMask(const TKVXConfig& Config, size_t Entry)
{
    if (Entry >= CIDReportingCapacity) return 0;
    const auto mask = LoadRecord<TRecipientMaskRecord>(Config.ContactIDReporting, Entry);
    return static_cast<uint16_t>((mask.Low | mask.High << 8) & RecipientMaskBits);
}

bool EncodeCIDReportingMask(TKVXConfig& Config, size_t Entry, uint16_t Mask)
{
    if (Entry >= CIDReportingCapacity) return false;
    const auto stored = static_cast<uint16_t>(Mask & RecipientMaskBits);
    StoreRecord(Config.ContactIDReporting, Entry, TRecipientMaskRecord{static_cast<uint8_t>(stored), static_cast<uint8_t>(stored >> 8)});
    return true;
}

bool DecodeDialTone(const TKVXConfig& Config) { return Config.DialTone != 0; }

void EncodeDialTone(TKVXConfig& Config, bool On) { Config.DialTone = On ? 0xFF : 0x00; }

} // namespace kvx
