#pragma once
// Contact ID: partition, zone and user labels (16 bytes, space-padded), one recipient mask
// per line of CIDList.txt (ContactIDReporting, least significant byte first) and DialTone.
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/kvx_config.h"
#include "config/recipient_masks.h"

namespace kvx {

enum class TCIDLabelKind : uint8_t { Partition, Zone, User };

inline constexpr size_t CIDPartitionCount = 33;  // 0..32
inline constexpr size_t CIDZoneCount = 129;      // 0..128
inline constexpr size_t CIDUserCount = 65;       // 0..64
inline constexpr size_t CIDReportingCapacity = 225;

size_t CIDLabelCount(TCIDLabelKind Kind);

// Label Index of a kind, trimmed; empty for an unwritten slot or an index past the block.
std::u16string DecodeCIDLabel(const TKVXConfig& Config, TCIDLabelKind Kind, size_t Index);
// Writes a non-empty label, space-padded; an empty one leaves the slot.
void EncodeCIDLabel(TKVXConfig& Config, TCIDLabelKind Kind, size_t Index, const std::u16string& Label);
// Erases the slot; past the block, nothing.
void EraseCIDLabel(TKVXConfig& Config, TCIDLabelKind Kind, size_t Index);

// Mask of event Entry (line Entry of CIDList.txt) with bits 10..15 dropped; 0 past the block.
uint16_t DecodeCIDReportingMask(const TKVXConfig& Config, size_t Entry);
// Stores the mask with bits 10..15 cleared. Entries past the 225 that fit are refused (false).
bool EncodeCIDReportingMask(TKVXConfig& Config, size_t Entry, uint16_t Mask);

// Any non-zero DialTone is on; on is stored as 0xFF, off as 0x00.
bool DecodeDialTone(const TKVXConfig& Config);
void EncodeDialTone(TKVXConfig& Config, bool On);

} // namespace kvx
