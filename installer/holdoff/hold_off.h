#pragma once
// The hold-off custom action without Windows: reading CustomActionData, judging its text,
// and the pause. The DLL entry point supplies the three platform calls.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvx::holdoff {

constexpr uint32_t ErrorSuccess = 0;
constexpr uint32_t ErrorMoreData = 234;
constexpr uint32_t ErrorInstallFailure = 1603;

// One call of the installer's property read: fills Buffer (Count characters of room,
// terminator included), updates Count, answers a Windows error code.
using TPropertyRead = std::function<uint32_t(char* Buffer, uint32_t* Count)>;

// Sizes the value with an empty buffer first, then reads it; nothing when any read fails.
std::optional<std::string> ReadCustomActionData(const TPropertyRead& Read);

struct THoldOffPlan {
    std::vector<std::string> Warnings;  // each shown as its own box, in this order
    uint32_t SleepMs = 0;
};

THoldOffPlan PlanHoldOff(std::string_view CustomActionData);

struct THoldOffHost {
    TPropertyRead ReadProperty;
    std::function<void(const std::string& Text)> Warn;
    std::function<void(uint32_t Milliseconds)> Sleep;
};

// The whole action: 0 after the pause, 1603 when the property cannot be read.
uint32_t RunHoldOff(const THoldOffHost& Host);

} // namespace kvx::holdoff
