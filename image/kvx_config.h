#pragma once
// The unit's configuration image: 31872 bytes at fixed offsets, declared once here.
// Built only from byte-sized members, so the struct has no padding and its bytes are the image.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kvx {

template <size_t N>
struct TBytes {
    uint8_t Data[N];
    static constexpr size_t Size = N;
    uint8_t& operator[](size_t i) { return Data[i]; }
    const uint8_t& operator[](size_t i) const { return Data[i]; }
};

// A 16-byte text field (a type of its own so the field table can tell it from plain bytes).
struct TKVXLabel : TBytes<16> {};

// A word stored most significant byte first (the image's ordinary words).
struct TWordMSBFirst {
    uint8_t Bytes[2];
    uint16_t Value() const { return static_cast<uint16_t>(Bytes[0] << 8 | Bytes[1]); }
    void SetValue(uint16_t v) { Bytes[0] = static_cast<uint8_t>(v >> 8); Bytes[1] = static_cast<uint8_t>(v); }
};

// A word stored least significant byte first (the recipient masks).
struct TWordLSBFirst {
    uint8_t Bytes[2];
    uint16_t Value() const { return static_cast<uint16_t>(Bytes[1] << 8 | Bytes[0]); }
    void SetValue(uint16_t v) { Bytes[0] = static_cast<uint8_t>(v); Bytes[1] = static_cast<uint8_t>(v >> 8); }
};

inline constexpr size_t DistributeMessageCount = 34;

struct TDistributeMessages {
    TWordLSBFirst Masks[DistributeMessageCount];
};

// name, type, offset: the unit's layout; these offsets never move.
#define KVX_CONFIG_FIELDS(X)                                    \
    X(Unknown1, TBytes<64>, 0)                                  \
    X(SIM1ServiceCentreNumber, TKVXLabel, 64)                   \
    X(AutoTestTimeHours, uint8_t, 80)                           \
    X(AutoTestTimeMinutes, uint8_t, 81)                         \
    X(TremmorCount, uint8_t, 82)                                \
    X(LogPointer, TWordMSBFirst, 83)                            \
    X(VerifySender, uint8_t, 85)                                \
    X(Unknown2, uint8_t, 86)                                    \
    X(SerialInterface, uint8_t, 87)                             \
    X(DialTone, uint8_t, 88)                                    \
    X(ReportTimerEvents, uint8_t, 89)                           \
    X(ACFailTimeout, TWordMSBFirst, 90)                         \
    X(ACRestoreTimeout, TWordMSBFirst, 92)                      \
    X(Unknown3, TBytes<4>, 94)                                  \
    X(DayOfWeek, uint8_t, 98)                                   \
    X(EnableMissedCall, uint8_t, 99)                            \
    X(Unknown4, TBytes<60>, 100)                                \
    X(PIN, TBytes<4>, 160)                                      \
    X(Unknown5, TBytes<12>, 164)                                \
    X(UnitID, TKVXLabel, 176)                                   \
    X(Unknown6, TBytes<64>, 192)                                \
    X(Relay1PulseTime, TWordMSBFirst, 256)                      \
    X(Relay2PulseTime, TWordMSBFirst, 258)                      \
    X(Relay3PulseTime, TWordMSBFirst, 260)                      \
    X(Relay4PulseTime, TWordMSBFirst, 262)                      \
    X(Relay5PulseTime, TWordMSBFirst, 264)                      \
    X(Relay6PulseTime, TWordMSBFirst, 266)                      \
    X(Relay7PulseTime, TWordMSBFirst, 268)                      \
    X(Relay8PulseTime, TWordMSBFirst, 270)                      \
    X(Unknown7, TBytes<16>, 272)                                \
    X(SIM1BalanceRequest, TKVXLabel, 288)                       \
    X(SIM2BalanceRequest, TKVXLabel, 304)                       \
    X(SIM1PIN, TBytes<4>, 320)                                  \
    X(Unknown8, TBytes<4>, 324)                                 \
    X(SIM2PIN, TBytes<4>, 328)                                  \
    X(Unknown9, TBytes<4>, 332)                                 \
    X(Input1HighDelay, TWordMSBFirst, 336)                      \
    X(Input1LowDelay, TWordMSBFirst, 338)                       \
    X(Input2HighDelay, TWordMSBFirst, 340)                      \
    X(Input2LowDelay, TWordMSBFirst, 342)                       \
    X(Input3HighDelay, TWordMSBFirst, 344)                      \
    X(Input3LowDelay, TWordMSBFirst, 346)                       \
    X(Input4HighDelay, TWordMSBFirst, 348)                      \
    X(Input4LowDelay, TWordMSBFirst, 350)                       \
    X(Input5HighDelay, TWordMSBFirst, 352)                      \
    X(Input5LowDelay, TWordMSBFirst, 354)                       \
    X(Input6HighDelay, TWordMSBFirst, 356)                      \
    X(Input6LowDelay, TWordMSBFirst, 358)                       \
    X(Input7HighDelay, TWordMSBFirst, 360)                      \
    X(Input7LowDelay, TWordMSBFirst, 362)                       \
    X(Unknown10, TBytes<148>, 364)                              \
    X(ADType, uint8_t, 512)                                     \
    X(ADVLowThreshold, TWordMSBFirst, 513)                      \
    X(ADVHighThreshold, TWordMSBFirst, 515)                     \
    X(ADILowThreshold, TWordMSBFirst, 517)                      \
    X(ADIHighThreshold, TWordMSBFirst, 519)                     \
    X(ADLowThresholdDelay, TWordMSBFirst, 521)                  \
    X(ADHighThresholdDelay, TWordMSBFirst, 523)                 \
    X(Unknown26, TBytes<3>, 525)                                \
    X(ADLowThresholdMessage, TKVXLabel, 528)                    \
    X(ADHighThresholdMessage, TKVXLabel, 544)                   \
    X(Unknown11, TBytes<464>, 560)                              \
    X(SIM2ServiceCentreNumber, TKVXLabel, 1024)                 \
    X(Unknown12, TBytes<3>, 1040)                               \
    X(SIM2Enable, uint8_t, 1043)                                \
    X(DailySMSLimit, TWordMSBFirst, 1044)                       \
    X(MonhtlySMSLimit, TWordMSBFirst, 1046)                     \
    X(SMSLowThreshold, TWordMSBFirst, 1048)                     \
    X(MonthlySMSReload, TWordMSBFirst, 1050)                    \
    X(OverwriteOrAppendSMSReload, uint8_t, 1052)                \
    X(Unknown13, TBytes<739>, 1053)                             \
    X(LockArray, TBytes<32>, 1792)                              \
    X(Unknown14, TBytes<192>, 1824)                             \
    X(RoamingPartnerName, TKVXLabel, 2016)                      \
    X(Unknown15, TBytes<12>, 2032)                              \
    X(FirmwareVersion, TWordMSBFirst, 2044)                     \
    X(EEPROMFlags, TWordMSBFirst, 2046)                         \
    X(TimerEvents, TBytes<512>, 2048)                           \
    X(TimerLabels, TBytes<1024>, 2560)                          \
    X(Unknown16, TBytes<512>, 3584)                             \
    X(CIDPartitionLabels, TBytes<528>, 4096)                    \
    X(CIDZoneLabels, TBytes<2064>, 4624)                        \
    X(CIDUserLabels, TBytes<1040>, 6688)                        \
    X(Unknown17, TBytes<208>, 7728)                             \
    X(M2MReportingNumber1, TKVXLabel, 7936)                     \
    X(M2MID, TBytes<5>, 7952)                                   \
    X(Unknown27, TBytes<11>, 7957)                              \
    X(M2MTelemetries, TBytes<102>, 7968)                        \
    X(Unknown28, TBytes<10>, 8070)                              \
    X(M2MReportingNumber2, TKVXLabel, 8080)                     \
    X(M2MReportingNumber3, TKVXLabel, 8096)                     \
    X(M2MReportingNumber4, TKVXLabel, 8112)                     \
    X(Unknown18, TBytes<64>, 8128)                              \
    X(NotAllocated, TBytes<512>, 8192)                          \
    X(MissedCallNumbers, TBytes<8000>, 8704)                    \
    X(MissedCallAccessRules, TBytes<4000>, 16704)               \
    X(Unknown19, TBytes<3872>, 20704)                           \
    X(InputMessages, TBytes<288>, 24576)                        \
    X(Unknown20, TBytes<3808>, 24864)                           \
    X(ReportingNumbers, TBytes<160>, 28672)                     \
    X(Unknown21, TBytes<96>, 28832)                             \
    X(DistributeMessages, TDistributeMessages, 28928)           \
    X(Unknown22, TBytes<188>, 28996)                            \
    X(ContactIDReporting, TBytes<450>, 29184)                   \
    X(Unknown23, TBytes<62>, 29634)                             \
    X(RemoteReporting, TBytes<596>, 29696)                      \
    X(Unknown24, TBytes<172>, 30292)                            \
    X(RemoteControl, TBytes<640>, 30464)                        \
    X(Unknown25, TBytes<128>, 31104)                            \
    X(ShortCuts, TBytes<640>, 31232)

struct TKVXConfig {
#define KVX_DECLARE_FIELD(name, type, offset) type name;
    KVX_CONFIG_FIELDS(KVX_DECLARE_FIELD)
#undef KVX_DECLARE_FIELD

    static constexpr size_t Size = 31872;

    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    std::span<uint8_t, Size> Image() { return std::span<uint8_t, Size>(Bytes(), Size); }
    std::span<const uint8_t, Size> Image() const { return std::span<const uint8_t, Size>(Bytes(), Size); }
};

static_assert(sizeof(TKVXConfig) == TKVXConfig::Size, "the image is 31872 bytes, no padding");
static_assert(alignof(TKVXConfig) == 1);
#define KVX_CHECK_OFFSET(name, type, offset) \
    static_assert(offsetof(TKVXConfig, name) == (offset), "offset of " #name);
KVX_CONFIG_FIELDS(KVX_CHECK_OFFSET)
#undef KVX_CHECK_OFFSET

// Byte 8213: the hidden setting carried from read to write.
inline constexpr size_t HiddenSettingOffset = 8213;

// A freshly built image: every byte 0xFF, as the pages expect before they store.
TKVXConfig ErasedConfig();

enum class TFieldKind { Byte, Word, Label, Bytes, DistributeMessages };

struct TFieldInfo {
    const char* Name;
    size_t Offset;
    size_t Size;
    TFieldKind Kind;
};

// Every field of the image in offset order.
std::span<const TFieldInfo> ConfigFields();
// Fields by name whose bytes no page gives a meaning to ("Unknown..", "NotAllocated").
bool IsReservedField(std::string_view Name);
// The input delays ("Input1HighDelay" ..), words the pages show in seconds.
bool IsInputDelayField(std::string_view Name);

} // namespace kvx
