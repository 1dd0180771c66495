#pragma once
// The inner records of the image's list blocks, byte for byte as the unit keeps them. Only
// bytes, so they have no padding: a codec copies a record out, reads and sets its named
// fields, and copies it back; no codec counts offsets inside a record.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/kvx_config.h"

namespace kvx {

// One of TimerEvents' records.
struct TTimerEventRecord {
    uint8_t Hour;    // BCD
    uint8_t Minute;  // BCD
    uint8_t Relay;
    uint8_t Action;
    uint8_t WeekDays;
    uint8_t Confirmation;
    uint8_t Unused[2];  // never written
};
static_assert(sizeof(TTimerEventRecord) == 8);

// One of MissedCallAccessRules' records. Without a time window the five bytes up to Relay are
// all 0xFF.
struct TMissedCallRuleRecord {
    uint8_t StartHour;    // BCD
    uint8_t StartMinute;  // BCD
    uint8_t StopHour;     // BCD
    uint8_t StopMinute;   // BCD
    uint8_t WeekDays;
    uint8_t Relay;
    uint8_t Action;
    uint8_t Count;
};
static_assert(sizeof(TMissedCallRuleRecord) == 8);

// One of RemoteControl's records: the number a command is taken from and the command's text.
struct TRemoteCommandRecord {
    uint8_t Number[16];
    uint8_t Command[64];
};
static_assert(sizeof(TRemoteCommandRecord) == 80);

// One of ContactIDReporting's recipient masks, least significant byte first.
struct TRecipientMaskRecord {
    uint8_t Low;
    uint8_t High;
};
static_assert(sizeof(TRecipientMaskRecord) == 2);

// Record Index of the list block Block.
template <typename Record, size_t N>
Record LoadRecord(const TBytes<N>& Block, size_t Index)
{
    static_assert(N % sizeof(Record) == 0);
    Record record;
    std::memcpy(&record, &Block[Index * sizeof(Record)], sizeof(Record));
    return record;
}

template <typename Record, size_t N>
void StoreRecord(TBytes<N>& Block, size_t Index, const Record& Stored)
{
    static_assert(N % sizeof(Record) == 0);
    std::memcpy(&Block[Index * sizeof(Record)], &Stored, sizeof(Record));
}

} // namespace kvx
