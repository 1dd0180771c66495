#pragma once
// The unit's unsolicited 32-byte status frames: type byte, 30 data bytes, CRC-8 over the data.
// Decoding is pure: bytes in (copied by the caller or not), a list of updates out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kvx {

inline constexpr size_t StatusFrameSize = 32;
// Frames are taken only inside the device object's 1024-byte receive buffer.
inline constexpr size_t StatusBufferSize = 1024;
inline constexpr uint16_t LowSupplyDeciVolts = 108;  // below 10.8 V the supply shows red
// The analogue input's modes in a state frame; any other value: no analogue input.
inline constexpr uint8_t AnalogueVoltageMode = 1;
inline constexpr uint8_t AnalogueCurrentMode = 2;

// Type 1: the unit's state.
struct TUnitStatus {
    uint8_t FirmwareMajor = 0;
    uint8_t FirmwareMinor = 0;
    std::optional<uint8_t> State;      // 0..5; empty for other values (the label stays)
    uint8_t SignalLevel = 0;           // -dBm, 51 strongest .. 113 weakest
    int SignalImage = 0;               // 0..15, from SignalImageIndex
    bool SIM2Active = false;
    std::array<bool, 9> InputHigh{};   // inputs 1..9
    bool MainsHigh = false;
    std::array<bool, 8> RelayClosed{}; // relays 1..8
    uint16_t SupplyDeciVolts = 0;      // 0.1 V units
    uint8_t AnalogueMode = 0;          // 1 voltage, 2 current, other none
    uint16_t AnalogueCentiVolts = 0;   // 0.01 V units
    uint16_t AnalogueCentiMilliAmps = 0; // 0.01 mA units
};

struct TOperatorName { std::u16string Text; };  // type 2
struct TModemIMEI { std::u16string Text; };     // type 4
struct TSimIMSI { std::u16string Text; };       // type 5

using TStatusUpdate = std::variant<TUnitStatus, TOperatorName, TModemIMEI, TSimIMSI>;

// Walks the bytes as the unit's receive buffer holds them: a frame starts where the type
// byte is 1..6, 32 bytes remain and the CRC matches; anything else is skipped a byte at a
// time. Types 3 and 6 are recognised and give no update.
std::vector<TStatusUpdate> DecodeStatusFrames(const uint8_t* Data, size_t Count);

// Signal level (-dBm) to the signal-bar picture 0..15.
int SignalImageIndex(uint8_t Level);
// A level the unit can report: 51 (-51 dBm) to 113 (-113 dBm); any other is no reading.
bool SignalLevelKnown(uint8_t Level);
// "-67 dBm", or "no signal" for a level outside 51..113.
std::string SignalText(uint8_t Level);

// Texts of the status view, shared by the program and kvxctl.
std::u16string FirmwareCaption(const TUnitStatus& Status);        // "Firmware version 1.2"
std::optional<std::u16string> StateCaption(std::optional<uint8_t> State);  // "Status - GSM connected"
std::string StateName(std::optional<uint8_t> State);                       // "GSM connected", or "unknown"
std::u16string OperatorCaption(const std::u16string& Operator);   // the name, or "No operator"
std::u16string IMEICaption(const std::u16string& IMEI);           // "IMEI - " + text
std::u16string IMSICaption(const std::u16string& IMSI);           // "IMSI - " + text
std::u16string RelayStateCaption(bool Closed);                         // "Closed" or "Open"
// "13.8V": volts rounded to 3 significant digits, one decimal, the given separator.
std::u16string SupplyText(uint16_t DeciVolts, char16_t DecimalSeparator);
// The same number without the unit: "13.8".
std::u16string SupplyVoltsText(uint16_t DeciVolts, char16_t DecimalSeparator);
bool SupplyIsLow(uint16_t DeciVolts);
// The analogue readings: "10.00" (4 significant digits, two decimals) while their mode is
// active, else "--".
std::u16string AnalogueVoltageText(const TUnitStatus& Status, char16_t DecimalSeparator);
std::u16string AnalogueCurrentText(const TUnitStatus& Status, char16_t DecimalSeparator);

} // namespace kvx
