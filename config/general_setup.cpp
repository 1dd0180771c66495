#include "config/general_setup.h"

#include "config/text_fields.h"
#include "image/utils.h"

namespace kvx {

namespace {

constexpr uint8_t NotSet = 0xFF;
constexpr uint8_t StoredWeekDays = 0x7F;
constexpr uint32_t SecondsPerMinute = 60;

} // namespace

std::u16string DecodeUnitID(const TKVXConfig& Config) { return ReadText(Config.UnitID); }

void EncodeUnitID(TKVXConfig& Config, const std::u16string& UnitID) { WriteText(Config.UnitID, UnitID, PadSpace); }

std::optional<TSelfTest> DecodeSelfTest(const TKVXConfig& Config)
{
    if (Config.AutoTestTimeHours == NotSet || Config.AutoTestTimeMinutes == NotSet) return std::nullopt;
    TSelfTest selfTest;
    selfTest.Hours = static_cast<uint8_t>(TUtils::BCD2BIN(&Config.AutoTestTimeHours, 1));
    selfTest.Minutes = static_cast<uint8_t>(TUtils::BCD2BIN(&Config.AutoTestTimeMinutes, 1));
    selfTest.WeekDays = Config.DayOfWeek;
    return selfTest;
}

void EncodeSelfTest(TKVXConfig& Config, const std::optional<TSelfTest>& SelfTest)
{
    if (!SelfTest) return;
    TUtils::BIN2BCD(SelfTest->Hours, &Config.AutoTestTimeHours);
    TUtils::BIN2BCD(SelfTest->Minutes, &Config.AutoTestTimeMinutes);
    Config.DayOfWeek = SelfTest->WeekDays & StoredWeekDays;
}

uint32_t DecodeDelayMinutes(const TWordMSBFirst& Field) { return Field.Value() / SecondsPerMinute; }

void EncodeDelayMinutes(TWordMSBFirst& Field, uint32_t Minutes)
{
    Field.SetValue(static_cast<uint16_t>(Minutes * SecondsPerMinute));
}

TSerialInterface DecodeSerialInterface(const TKVXConfig& Config)
{
    switch (Config.SerialInterface) {
    case 0: return TSerialInterface::IOExpander;
    case 1: return TSerialInterface::DSC;
    default: return TSerialInterface::Disabled;
    }
}

void EncodeSerialInterface(TKVXConfig& Config, TSerialInterface Interface)
{
    Config.SerialInterface = static_cast<uint8_t>(Interface);
}

} // namespace kvx
