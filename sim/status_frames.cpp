#include "sim/status_frames.h"

#include <algorithm>
#include <string_view>

#include "link/crc8.h"

namespace kvx::sim {

namespace {

using TData = std::array<uint8_t, 30>;

constexpr uint8_t FirmwareMajor = 1;
constexpr uint8_t FirmwareMinor = 2;
constexpr uint8_t StateGSMRegister = 2;
constexpr uint8_t StateGSMConnected = 4;
constexpr uint8_t MainsHigh = 0x80;
constexpr uint8_t VoltageInput = 1;

struct TTextFrame {
    uint8_t Type;
    std::string_view Text;
};

constexpr uint8_t IMEIFrame = 4;

constexpr TTextFrame TextFrames[] = {
    {2, "Vodafone"},
    {IMEIFrame, ""},        // the unit's own
    {5, "234150123456789"}, // IMSI
};

void PutWord(TData& data, size_t frameOffset, uint16_t value)
{
    data[frameOffset - 1] = static_cast<uint8_t>(value >> 8);
    data[frameOffset] = static_cast<uint8_t>(value);
}

TData UnitState(uint32_t second, std::optional<uint8_t> signal)
{
    TData data{};
    // Offsets below are frame offsets; data[0] is frame byte 1.
    data[0] = FirmwareMajor;
    data[1] = FirmwareMinor;
    data[2] = second < 2 ? StateGSMRegister : StateGSMConnected;
    data[3] = signal.value_or(static_cast<uint8_t>(60 + second * 7 % 31)); // -dBm, 60..90
    data[4] = 0;                                           // SIM 1 active
    data[5] = static_cast<uint8_t>(MainsHigh | 0x01 | ((second / 5) % 2 ? 0x04 : 0x00));
    data[7] = 0x01; // relay 1 closed
    PutWord(data, 11, static_cast<uint16_t>(137 + second % 3)); // 13.7..13.9 V
    data[13] = VoltageInput;
    PutWord(data, 15, static_cast<uint16_t>(456 + second % 10)); // 4.56..4.65 V
    return data;
}

TData TextData(std::string_view text)
{
    TData data{};
    for (size_t i = 0; i < text.size() && i < 16; ++i) data[i] = static_cast<uint8_t>(text[i]);
    return data;
}

void Append(std::vector<uint8_t>& bytes, const TStatusFrame& frame)
{
    bytes.insert(bytes.end(), frame.begin(), frame.end());
}

} // namespace

TStatusFrame MakeStatusFrame(uint8_t Type, const std::array<uint8_t, 30>& Data)
{
    TStatusFrame frame{};
    frame[0] = Type;
    std::copy(Data.begin(), Data.end(), frame.begin() + 1);
    frame[31] = Crc8Maxim(frame.data() + 1, Data.size());
    return frame;
}

std::vector<uint8_t> StatusBurst(uint32_t Second, const std::optional<TUnitDateTime>& Clock, std::string_view IMEI,
                                 std::optional<uint8_t> Signal)
{
    std::vector<uint8_t> bytes;
    Append(bytes, MakeStatusFrame(1, UnitState(Second, Signal)));
    for (const auto& text : TextFrames)
        Append(bytes, MakeStatusFrame(text.Type, TextData(text.Type == IMEIFrame ? IMEI : text.Text)));
    if (Second % 5 == 4) {
        TData extra{};
        if (Second % 10 == 4) {
            if (Clock) EncodeBCDTime(*Clock, extra.data());
            Append(bytes, MakeStatusFrame(3, extra));
        } else {
            extra[0] = static_cast<uint8_t>(Second / 5);
            Append(bytes, MakeStatusFrame(6, extra));
        }
    }
    return bytes;
}

} // namespace kvx::sim
