#include "installer/holdoff/hold_off.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace kvx::holdoff {

namespace {

std::string Warning(std::string_view Text)
{
    return "HoldOff: " + std::string(Text);
}

struct TConverted {
    int Value = 0;
    int Error = 0;  // errno of the conversion, 0 when none
};

// atoi's result, with out-of-range text flagged on every platform (atoi itself only
// sometimes sets errno, and long is 32 bits on Windows but 64 on Linux).
TConverted ConvertLikeAtoi(const std::string& Text)
{
    errno = 0;
    const long long wide = std::strtoll(Text.c_str(), nullptr, 10);
    TConverted result{0, errno};
    if (wide > INT_MAX) {
        result.Value = INT_MAX;
        result.Error = ERANGE;
    } else if (wide < INT_MIN) {
        result.Value = INT_MIN;
        result.Error = ERANGE;
    } else {
        result.Value = static_cast<int>(wide);
    }
    return result;
}

} // namespace

std::optional<std::string> ReadCustomActionData(const TPropertyRead& Read)
{
    try {
        std::string buffer(1, '\0');
        uint32_t count = 0;
        uint32_t answer = Read(buffer.data(), &count);
        if (answer == ErrorMoreData) {
            buffer.assign(static_cast<size_t>(count) + 1, '\0');
            count = static_cast<uint32_t>(buffer.size());
            answer = Read(buffer.data(), &count);
        }
        if (answer != ErrorSuccess) return std::nullopt;
        // The terminator, not the reported count, ends the value: a count that does not
        // match the buffer can never make us read past it.
        return std::string(buffer.c_str());
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

THoldOffPlan PlanHoldOff(std::string_view CustomActionData)
{
    THoldOffPlan plan;
    const std::string text(CustomActionData);
    if (!text.empty() && text.front() == '0') plan.Warnings.push_back(Warning("The parameter should not start with '0'"));

    const TConverted converted = ConvertLikeAtoi(text);
    if (converted.Error != 0) plan.Warnings.push_back(Warning(std::strerror(converted.Error)));
    if (converted.Value == 0) plan.Warnings.push_back(Warning("There was a problem converting the parameter"));

    // A negative count would reach Sleep as a huge unsigned number and stall the installation.
    if (converted.Value < 0) {
        plan.Warnings.push_back(Warning("The parameter should not be negative"));
        return plan;
    }
    plan.SleepMs = static_cast<uint32_t>(converted.Value);
    return plan;
}

uint32_t RunHoldOff(const THoldOffHost& Host)
{
    const std::optional<std::string> value = ReadCustomActionData(Host.ReadProperty);
    if (!value) return ErrorInstallFailure;
    const THoldOffPlan plan = PlanHoldOff(*value);
    for (const std::string& warning : plan.Warnings) Host.Warn(warning);
    Host.Sleep(plan.SleepMs);
    return ErrorSuccess;
}

} // namespace kvx::holdoff
