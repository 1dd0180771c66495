#include "sim/default_memory.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "image/kvx_config.h"
#include "image/list_records.h"
#include "link/kvx_frames.h"

namespace kvx::sim {

namespace {

// The demo unit holds exactly what the program stores for it (texts padded as its pages pad
// them, switched-off items at their fill), so reading it and writing it back changes nothing.

constexpr size_t PasswordOffset = 1792;
constexpr uint16_t FlagsWritten = 0xAA55;

void Text(uint8_t* Field, size_t Width, std::string_view Value, uint8_t Pad)
{
    const size_t n = std::min(Width, Value.size());
    std::memcpy(Field, Value.data(), n);
    std::memset(Field + n, Pad, Width - n);
}

template <typename TField>
void Text(TField& Field, std::string_view Value, uint8_t Pad)
{
    Text(Field.Data, TField::Size, Value, Pad);
}

uint8_t BCD(unsigned Value) { return static_cast<uint8_t>((Value / 10) << 4 | Value % 10); }

void StoreUnitSetup(TKVXConfig& Unit)
{
    Text(Unit.SIM1ServiceCentreNumber, "+447785016005", 0x00);
    Unit.SIM2Enable = 0;
    Text(Unit.PIN, "1234", 0x00);
    Unit.VerifySender = 0;
    Text(Unit.UnitID, "KVX Demo Site", 0x20);
    Unit.AutoTestTimeHours = BCD(12);  // self test at 12:00, Monday to Friday
    Unit.AutoTestTimeMinutes = BCD(0);
    Unit.DayOfWeek = 0x1F;
    Unit.ACFailTimeout.SetValue(600);
    Unit.ACRestoreTimeout.SetValue(60);
    Unit.TremmorCount = 180;
    Unit.SerialInterface = 0;  // the I/O expander board
    constexpr uint16_t PulseSeconds[] = {5, 5, 10, 10, 30, 30, 60, 120};
    TWordMSBFirst* pulse = &Unit.Relay1PulseTime;
    for (const uint16_t seconds : PulseSeconds) (pulse++)->SetValue(seconds);
}

void StoreMessaging(TKVXConfig& Unit)
{
    constexpr std::string_view Recipients[] = {"+447700900101", "+447700900102", "+447700900103"};
    for (size_t i = 0; i < std::size(Recipients); ++i) Text(&Unit.ReportingNumbers[16 * i], 16, Recipients[i], 0x00);

    // Input slots high, low per input; a delay of 0 where the message is off, as stored.
    struct TInput {
        size_t Slot;
        std::string_view Text;
        uint16_t DelaySeconds;
    };
    constexpr TInput Inputs[] = {{0, "Door open", 2}, {1, "Door closed", 0}, {4, "Water high", 30}, {15, "Gate left open", 0}};
    TWordMSBFirst* delay = &Unit.Input1HighDelay;
    for (size_t slot = 0; slot < 14; ++slot) delay[slot].SetValue(0);
    for (const TInput& input : Inputs) {
        Text(&Unit.InputMessages[16 * input.Slot], 16, input.Text, 0x20);
        if (input.Slot < 14) delay[input.Slot].SetValue(static_cast<uint16_t>(input.DelaySeconds * 20));
    }
    Unit.ADType = 1;  // voltage input, high breach only
    Text(Unit.ADHighThresholdMessage, "Tank full", 0x20);
    Unit.ADVHighThreshold.SetValue(850);
    Unit.ADIHighThreshold.SetValue(2000);
    Unit.ADHighThresholdDelay.SetValue(5 * 50);

    // The three recipients get every event that is switched on; the power-up report goes to
    // the first only.
    for (size_t event = 0; event < DistributeMessageCount; ++event) Unit.DistributeMessages.Masks[event].SetValue(0x0007);
    Unit.DistributeMessages.Masks[0].SetValue(0x0001);

    Text(&Unit.CIDPartitionLabels[16 * 1], 16, "Main house", 0x20);
    Text(&Unit.CIDZoneLabels[16 * 1], 16, "Front door", 0x20);
    Text(&Unit.CIDZoneLabels[16 * 2], 16, "Garage", 0x20);
    Text(&Unit.CIDUserLabels[16 * 1], 16, "Night guard", 0x20);
    std::fill_n(Unit.ContactIDReporting.Data, decltype(TKVXConfig::ContactIDReporting)::Size, uint8_t{0});
    for (size_t entry = 0; entry < 8; ++entry) Unit.ContactIDReporting[2 * entry] = 0x03;
    Unit.DialTone = 0;
}

void StoreSwitching(TKVXConfig& Unit)
{
    struct TTimer {
        std::string_view Label;
        unsigned Hour, Minute;
        uint8_t Relay, Action, WeekDays, Confirmation;
    };
    constexpr TTimer Timers[] = {{"Pump on", 6, 30, 0, 1, 0x1F, 0xFF},
                                 {"Pump off", 7, 15, 0, 2, 0x1F, 0x00},
                                 {"Yard lights", 19, 0, 2, 3, 0x7F, 0x00}};
    for (size_t i = 0; i < std::size(Timers); ++i) {
        const TTimer& timer = Timers[i];
        Text(&Unit.TimerLabels[16 * i], 16, timer.Label, 0x20);
        TTimerEventRecord event = LoadRecord<TTimerEventRecord>(Unit.TimerEvents, i);
        event.Hour = BCD(timer.Hour);
        event.Minute = BCD(timer.Minute);
        event.Relay = timer.Relay;
        event.Action = timer.Action;
        event.WeekDays = timer.WeekDays;
        event.Confirmation = timer.Confirmation;
        StoreRecord(Unit.TimerEvents, i, event);
    }

    struct TMissedCall {
        std::string_view Number;
        TMissedCallRuleRecord Rule;  // 0xFF from the start to the week days: no time window
    };
    constexpr TMissedCall Calls[] = {
        {"+447700900201", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 3, 0}},
        {"+447700900202", {0x08, 0x00, 0x17, 0x30, 0x1F, 0, 0x83, 0}},
        {"+353861234567", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 4, 20}},
    };
    for (size_t i = 0; i < std::size(Calls); ++i) {
        Text(&Unit.MissedCallNumbers[16 * i], 16, Calls[i].Number, 0x00);
        StoreRecord(Unit.MissedCallAccessRules, i, Calls[i].Rule);
    }

    // Remote command 1 switches the dam's pump on when input 1 goes high; command 2 reports
    // the first missed call.
    constexpr std::string_view Commands[][2] = {{"+447700900555", "$8642*rly2*on"}, {"+447700900556", "$8642*out1*pls"}};
    for (size_t i = 0; i < std::size(Commands); ++i) {
        TRemoteCommandRecord command = LoadRecord<TRemoteCommandRecord>(Unit.RemoteControl, i);
        Text(command.Number, sizeof command.Number, Commands[i][0], 0x00);
        Text(command.Command, sizeof command.Command, Commands[i][1], 0x20);
        StoreRecord(Unit.RemoteControl, i, command);
    }
    std::fill_n(Unit.RemoteReporting.Data, decltype(TKVXConfig::RemoteReporting)::Size, uint8_t{0});
    Unit.RemoteReporting[0] = 0x01;
    Unit.RemoteReporting[96] = 0x02;

    Text(Unit.M2MReportingNumber1, "+447700900999", 0x00);
    Text(Unit.M2MID, "00042", 0x00);
    // The standard event numbers, three characters a slot; 0: a slot the program leaves alone.
    constexpr uint16_t EventNumbers[DistributeMessageCount] = {
        823, 800, 801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 811, 812, 813, 814, 815, 816,
        817, 824, 825, 826, 827, 828, 820, 821, 822, 829, 819, 0,   830, 831, 832, 0};
    for (size_t slot = 0; slot < DistributeMessageCount; ++slot)
        if (EventNumbers[slot] != 0) Text(&Unit.M2MTelemetries[3 * slot], 3, std::to_string(EventNumbers[slot]), 0x20);

    Text(&Unit.ShortCuts[0], 32, "open gate", 0x00);
    Text(&Unit.ShortCuts[32], 32, "rly1*pls", 0x00);
}

} // namespace

std::vector<uint8_t> DefaultUnitMemory()
{
    TKVXConfig unit = ErasedConfig();
    StoreUnitSetup(unit);
    StoreMessaging(unit);
    StoreSwitching(unit);
    unit.Bytes()[HiddenSettingOffset] = 50;  // as the program writes it back
    unit.EEPROMFlags.SetValue(FlagsWritten);
    std::vector<uint8_t> memory(UnitMemorySize, 0xFF);
    std::copy(unit.Bytes(), unit.Bytes() + TKVXConfig::Size, memory.begin());
    return memory;
}

std::vector<uint8_t> SecondUnitMemory()
{
    std::vector<uint8_t> memory = DefaultUnitMemory();
    Text(&memory[offsetof(TKVXConfig, UnitID)], decltype(TKVXConfig::UnitID)::Size, "KVX Second Unit", 0x20);
    for (size_t at = TKVXConfig::Size; at < memory.size(); ++at) memory[at] = static_cast<uint8_t>(at * 7 + 3);
    return memory;
}

void StorePassword(std::vector<uint8_t>& Memory, const std::string& Password)
{
    Text(&Memory[PasswordOffset], PasswordLength, Password, 0x20);
}

} // namespace kvx::sim
