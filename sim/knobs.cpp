#include "sim/knobs.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "sim/default_memory.h"

namespace kvx::sim {

namespace {

using THandler = int (*)(TSimulator&, std::string_view, std::string&);

struct TKnob {
    std::string_view Key;
    THandler Run;
};

std::optional<uint64_t> ParseNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> ParseSwitch(std::string_view text)
{
    for (const auto on : {"1", "true", "yes", "on"})
        if (text == on) return true;
    for (const auto off : {"", "0", "false", "no", "off"})
        if (text == off) return false;
    return std::nullopt;
}

std::optional<uint32_t> ParseMilliseconds(std::string_view text)
{
    const auto value = ParseNumber(text);
    if (!value || *value > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

std::optional<size_t> ParseAddress(std::string_view text)
{
    const auto value = ParseNumber(text);
    if (!value || *value >= UnitMemorySize) return std::nullopt;
    return static_cast<size_t>(*value);
}

int Refuse(std::string& error, std::string_view why, std::string_view value)
{
    error = std::string(why) + ": \"" + std::string(value) + "\"";
    return ControlRefused;
}

// "70,85,100": the levels the next state frames report; empty: back to the drifting level.
int SetSignalWalk(TSimulator& sim, std::string_view value, std::string& error)
{
    std::vector<uint8_t> levels;
    for (std::string_view rest = value; !rest.empty();) {
        const auto comma = rest.find(',');
        const auto level = ParseNumber(rest.substr(0, comma));
        if (!level || *level > UINT8_MAX) return Refuse(error, "expected levels 0..255 (-dBm), comma-separated", value);
        levels.push_back(static_cast<uint8_t>(*level));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (comma != std::string_view::npos && rest.empty()) return Refuse(error, "a level missing after the last comma", value);
    }
    sim.Unit.SetSignalWalk(std::move(levels));
    return 0;
}

constexpr std::pair<std::string_view, TKVXCommand> CommandNames[] = {
    {"write-page", TKVXCommand::WritePage},         {"read-page", TKVXCommand::ReadPage},
    {"enter-config", TKVXCommand::EnterConfig},     {"exit-config", TKVXCommand::ExitConfig},
    {"begin-transfer", TKVXCommand::BeginTransfer}, {"set-time", TKVXCommand::SetTime},
};

int Poke(TSimulator& sim, std::string_view value, std::string& error)
{
    const auto eq = value.find('=');
    const auto address = ParseAddress(value.substr(0, eq));
    if (eq == std::string_view::npos || !address) return Refuse(error, "expected ADDRESS=HEXBYTES", value);
    const auto hex = value.substr(eq + 1);
    if (hex.empty() || hex.size() % 2 || *address + hex.size() / 2 > UnitMemorySize)
        return Refuse(error, "bytes missing or beyond the memory", value);
    std::vector<uint8_t> bytes(hex.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto [end, ec] = std::from_chars(hex.data() + 2 * i, hex.data() + 2 * i + 2, bytes[i], 16);
        if (ec != std::errc() || end != hex.data() + 2 * i + 2) return Refuse(error, "not hexadecimal", value);
    }
    std::copy(bytes.begin(), bytes.end(), sim.Unit.Memory.begin() + static_cast<std::ptrdiff_t>(*address));
    return 0;
}

int ClockReading(TSimulator& sim, bool date)
{
    const auto time = sim.Unit.ClockAt(sim.Clock.NowMs());
    if (!time) return ControlRefused;
    return date ? (time->Year % 100) * 10000 + time->Month * 100 + time->Day
                : time->Hour * 10000 + time->Minute * 100 + time->Second;
}

constexpr TKnob Knobs[] = {
    // Settings, also read from KVXSIM_* at load.
    {"memory",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         return sim.UseMemoryFile(std::string(value), error) ? 0 : ControlRefused;
     }},
    {"password",
     [](TSimulator& sim, std::string_view value, std::string&) {
         StorePassword(sim.Unit.Memory, std::string(value));
         return 0;
     }},
    {"unplugged",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto unplugged = ParseSwitch(value);
         if (!unplugged) return Refuse(error, "expected 1 or 0", value);
         *unplugged ? sim.Dongle.Unplug() : sim.Dongle.Plug();
         return 0;
     }},
    {"unplug-after-ms",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto ms = ParseMilliseconds(value);
         if (!ms) return Refuse(error, "expected milliseconds", value);
         sim.Dongle.SetUnplugAfter(*ms);
         return 0;
     }},
    {"fault",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto faults = ParseFaults(value);
         if (!faults) return Refuse(error, "unknown fault", value);
         sim.SetFaults(*faults);
         return 0;
     }},
    {"baud",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto baud = ParseMilliseconds(value);
         if (!baud) return Refuse(error, "expected a baud rate", value);
         sim.SetBaudRate(*baud);
         return 0;
     }},
    {"page-write-ms",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto ms = ParseMilliseconds(value);
         if (!ms) return Refuse(error, "expected milliseconds", value);
         sim.SetPageWriteMs(*ms);
         return 0;
     }},
    {"signal", SetSignalWalk},
    // Controls.
    {"reset",
     [](TSimulator& sim, std::string_view, std::string&) {
         sim.Reset();
         return 0;
     }},
    {"plug",
     [](TSimulator& sim, std::string_view, std::string&) {
         sim.Dongle.Plug();
         return 0;
     }},
    {"unplug",
     [](TSimulator& sim, std::string_view, std::string&) {
         sim.Dongle.Unplug();
         return 0;
     }},
    {"swap-unit",
     [](TSimulator& sim, std::string_view, std::string&) {
         sim.SwapUnit();
         return 0;
     }},
    {"clock",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         if (value != "manual" && value != "real") return Refuse(error, "expected manual or real", value);
         sim.Clock.SetManual(value == "manual");
         return 0;
     }},
    {"advance",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto ms = ParseMilliseconds(value);
         if (!ms) return Refuse(error, "expected milliseconds", value);
         sim.Clock.Advance(*ms);
         sim.Update();
         return 0;
     }},
    {"poke", Poke},
    // Queries.
    {"peek",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         const auto address = ParseAddress(value);
         if (!address) return Refuse(error, "expected an address below 65536", value);
         return static_cast<int>(sim.Unit.Memory[*address]);
     }},
    {"count",
     [](TSimulator& sim, std::string_view value, std::string& error) {
         for (const auto& [name, command] : CommandNames)
             if (name == value) return static_cast<int>(sim.Unit.CommandCount(command));
         return Refuse(error, "unknown command", value);
     }},
    {"config-mode", [](TSimulator& sim, std::string_view, std::string&) { return int{sim.Unit.InConfigMode()}; }},
    {"rts", [](TSimulator& sim, std::string_view, std::string&) { return int{sim.Dongle.RtsActive()}; }},
    {"plugged", [](TSimulator& sim, std::string_view, std::string&) { return int{sim.Dongle.Plugged()}; }},
    {"open", [](TSimulator& sim, std::string_view, std::string&) { return int{sim.Dongle.IsOpen()}; }},
    {"queued",
     [](TSimulator& sim, std::string_view, std::string&) { return static_cast<int>(sim.Dongle.QueuedBytes()); }},
    {"unit-time", [](TSimulator& sim, std::string_view, std::string&) { return ClockReading(sim, false); }},
    {"unit-date", [](TSimulator& sim, std::string_view, std::string&) { return ClockReading(sim, true); }},
};

// Environment variables in the order they are applied: the memory file before the password.
constexpr std::pair<const char*, std::string_view> EnvironmentKnobs[] = {
    {"KVXSIM_MEMORY", "memory"},
    {"KVXSIM_PASSWORD", "password"},
    {"KVXSIM_UNPLUGGED", "unplugged"},
    {"KVXSIM_UNPLUG_AFTER_MS", "unplug-after-ms"},
    {"KVXSIM_FAULT", "fault"},
    {"KVXSIM_BAUD", "baud"},
    {"KVXSIM_PAGE_WRITE_MS", "page-write-ms"},
    {"KVXSIM_SIGNAL", "signal"},
};

} // namespace

int ApplyControl(TSimulator& Simulator, std::string_view Key, std::string_view Value, std::string* Error)
{
    std::string error;
    const auto knob =
        std::find_if(std::begin(Knobs), std::end(Knobs), [&](const TKnob& k) { return k.Key == Key; });
    const int result = knob == std::end(Knobs) ? Refuse(error, "unknown key", Key) : knob->Run(Simulator, Value, error);
    if (Error) *Error = error;
    return result;
}

void ApplyEnvironment(TSimulator& Simulator, const TGetEnv& GetEnv,
                      const std::function<void(const std::string&)>& Report)
{
    for (const auto& [name, key] : EnvironmentKnobs) {
        const char* value = GetEnv(name);
        if (!value) continue;
        std::string error;
        if (ApplyControl(Simulator, key, value, &error) < 0 && Report)
            Report(std::string(name) + " ignored, " + error);
    }
}

} // namespace kvx::sim
