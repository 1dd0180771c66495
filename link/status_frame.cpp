#include "link/status_frame.h"

#include <string>

#include "link/crc8.h"
#include "image/utils.h"

namespace kvx {

namespace {

enum TFrameType : uint8_t { ftUnitStatus = 1, ftOperator = 2, ftIMEI = 4, ftIMSI = 5, ftLast = 6 };

constexpr size_t DataSize = StatusFrameSize - 2;
constexpr uint16_t FrameTextSize = 16;
constexpr uint8_t LastState = 5;
constexpr uint8_t StrongestLevel = 51;  // -dBm
constexpr uint8_t WeakestLevel = 113;

bool FrameStartsAt(const uint8_t* Data, size_t Count, size_t i)
{
    return Data[i] >= 1 && Data[i] <= ftLast && Count - i >= StatusFrameSize &&
           Crc8Maxim(Data + i + 1, DataSize) == Data[i + StatusFrameSize - 1];
}

bool Bit(uint8_t Byte, unsigned n) { return (Byte >> n & 1) != 0; }
uint16_t WordMSBFirst(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

TUnitStatus DecodeUnitStatus(const uint8_t* f)
{
    TUnitStatus s;
    s.FirmwareMajor = f[1];
    s.FirmwareMinor = f[2];
    if (f[3] <= LastState) s.State = f[3];
    s.SignalLevel = f[4];
    s.SignalImage = SignalImageIndex(f[4]);
    s.SIM2Active = f[5] != 0;
    for (unsigned n = 0; n < 7; ++n) s.InputHigh[n] = Bit(f[6], n);
    s.MainsHigh = Bit(f[6], 7);
    s.InputHigh[7] = Bit(f[7], 0);
    s.InputHigh[8] = Bit(f[7], 1);
    s.RelayClosed[0] = Bit(f[8], 0);
    s.RelayClosed[1] = Bit(f[8], 1);
    for (unsigned n = 0; n < 6; ++n) s.RelayClosed[2 + n] = Bit(f[9], n);
    s.SupplyDeciVolts = WordMSBFirst(f + 11);
    s.AnalogueMode = f[14];
    s.AnalogueCentiVolts = WordMSBFirst(f + 15);
    s.AnalogueCentiMilliAmps = WordMSBFirst(f + 17);
    return s;
}

std::u16string FrameText(const uint8_t* f) { return TUtils::Trim(TUtils::Buffer2ASCIIStringUntilNil(f + 1, FrameTextSize)); }

std::u16string Ascii(const std::string& Text) { return std::u16string(Text.begin(), Text.end()); }

// Value / 10^Decimals rounded to Significant digits (half away from zero, as the toolkit's
// fixed format does) and shown with exactly Decimals decimals.
std::u16string FixedText(uint32_t Scaled, unsigned Decimals, unsigned Significant, char16_t Separator)
{
    uint32_t limit = 1;
    for (unsigned i = 0; i < Significant; ++i) limit *= 10;
    uint32_t step = 1;
    while (Scaled / step >= limit) step *= 10;
    const uint32_t rounded = (Scaled + step / 2) / step * step;
    uint32_t unit = 1;
    for (unsigned i = 0; i < Decimals; ++i) unit *= 10;
    std::string fraction = std::to_string(rounded % unit);
    fraction.insert(0, Decimals - fraction.size(), '0');
    return Ascii(std::to_string(rounded / unit)) + Separator + Ascii(fraction);
}

} // namespace

std::vector<TStatusUpdate> DecodeStatusFrames(const uint8_t* Data, size_t Count)
{
    std::vector<TStatusUpdate> updates;
    size_t i = 0;
    while (i < Count) {
        if (i + StatusFrameSize >= StatusBufferSize) break;
        if (!FrameStartsAt(Data, Count, i)) {
            ++i;
            continue;
        }
        const uint8_t* frame = Data + i;
        switch (frame[0]) {
        case ftUnitStatus: updates.emplace_back(DecodeUnitStatus(frame)); break;
        case ftOperator: updates.emplace_back(TOperatorName{FrameText(frame)}); break;
        case ftIMEI: updates.emplace_back(TModemIMEI{FrameText(frame)}); break;
        case ftIMSI: updates.emplace_back(TSimIMSI{FrameText(frame)}); break;
        default: break;  // types 3 and 6 carry nothing the program shows
        }
        i += StatusFrameSize;
    }
    return updates;
}

int SignalImageIndex(uint8_t Level)
{
    // Lower bounds of the levels for pictures 15 down to 1; 110 and weaker show none.
    static constexpr uint8_t Bands[] = {StrongestLevel, 56, 60, 64, 68, 71, 75, 79, 83, 87, 91, 95, 99, 102, 106, 110};
    if (!SignalLevelKnown(Level)) return 0;
    int image = 15;
    for (size_t b = 1; b < std::size(Bands) && Level >= Bands[b]; ++b) --image;
    return image;
}

bool SignalLevelKnown(uint8_t Level) { return Level >= StrongestLevel && Level <= WeakestLevel; }

std::string SignalText(uint8_t Level)
{
    return SignalLevelKnown(Level) ? "-" + std::to_string(Level) + " dBm" : "no signal";
}

std::u16string FirmwareCaption(const TUnitStatus& Status)
{
    return Ascii("Firmware version " + std::to_string(Status.FirmwareMajor) + "." +
                 std::to_string(Status.FirmwareMinor));
}

std::string StateName(std::optional<uint8_t> State)
{
    static constexpr const char* States[] = {"Power up", "Config error", "GSM register", "GSM fail", "GSM connected", "SIM locked"};
    if (!State || *State > LastState) return "unknown";
    return States[*State];
}

std::optional<std::u16string> StateCaption(std::optional<uint8_t> State)
{
    if (!State || *State > LastState) return std::nullopt;
    return u"Status - " + Ascii(StateName(State));
}

std::u16string OperatorCaption(const std::u16string& Operator)
{
    return Operator.empty() ? u"No operator" : Operator;
}

std::u16string IMEICaption(const std::u16string& IMEI) { return u"IMEI - " + IMEI; }
std::u16string IMSICaption(const std::u16string& IMSI) { return u"IMSI - " + IMSI; }
std::u16string RelayStateCaption(bool Closed) { return Closed ? u"Closed" : u"Open"; }

std::u16string SupplyVoltsText(uint16_t DeciVolts, char16_t DecimalSeparator)
{
    return FixedText(DeciVolts, 1, 3, DecimalSeparator);
}

std::u16string SupplyText(uint16_t DeciVolts, char16_t DecimalSeparator)
{
    return SupplyVoltsText(DeciVolts, DecimalSeparator) + u"V";
}

bool SupplyIsLow(uint16_t DeciVolts) { return DeciVolts < LowSupplyDeciVolts; }

std::u16string AnalogueVoltageText(const TUnitStatus& Status, char16_t DecimalSeparator)
{
    if (Status.AnalogueMode != AnalogueVoltageMode) return u"--";
    return FixedText(Status.AnalogueCentiVolts, 2, 4, DecimalSeparator);
}

std::u16string AnalogueCurrentText(const TUnitStatus& Status, char16_t DecimalSeparator)
{
    if (Status.AnalogueMode != AnalogueCurrentMode) return u"--";
    return FixedText(Status.AnalogueCentiMilliAmps, 2, 4, DecimalSeparator);
}

} // namespace kvx
