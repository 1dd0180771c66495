#include "config/config_build.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "config/analogue_input.h"
#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/input_messages.h"
#include "config/m2m.h"
#include "config/missed_calls.h"
#include "config/phone_number.h"
#include "config/raw_bytes.h"
#include "config/recipients.h"
#include "config/relay_pulse_times.h"
#include "config/remote_control.h"
#include "config/security_setup.h"
#include "config/shortcuts.h"
#include "config/sim_setup.h"
#include "config/text_fields.h"
#include "config/timers.h"
#include "config/value_words.h"
#include "config/week_days.h"
#include "image/utils.h"

namespace kvx {

namespace {

using json = nlohmann::ordered_json;

constexpr uint8_t Erased = 0xFF;
constexpr uint16_t ErasedWord = 0xFFFF;
constexpr uint8_t TimerConfirmed = 0xFF;
constexpr uint32_t SecondsPerMinute = 60;
constexpr const char* PasswordRefused = "the password never goes into a template (kvxctl password set puts it into the KVX)";

class TProblems {
public:
    explicit TProblems(std::string_view CountryCode) : DefaultCountryCode(CountryCode) {}
    void Add(const std::string& Path, std::string Reason) { List.push_back({Path, std::move(Reason), false}); }
    void WrongKind(const std::string& Path, std::string Expected) { List.push_back({Path, "expected " + std::move(Expected), true}); }
    std::vector<TBuildProblem> List;
    // What a telephone number written as a national one takes in place of its 0; empty: refused.
    std::string DefaultCountryCode;
};

std::string Join(const std::string& Path, const std::string& Key) { return Path.empty() ? Key : Path + "." + Key; }
std::string Range(long Min, long Max) { return std::to_string(Min) + " to " + std::to_string(Max); }

// ---- values ----------------------------------------------------------------------------

// Every whole number here has a minimum of 0 or more.
std::optional<long> Whole(const json& Value, const std::string& Path, long Min, long Max, TProblems& Problems)
{
    if (!Value.is_number_integer()) {
        Problems.WrongKind(Path, "a whole number from " + Range(Min, Max));
        return std::nullopt;
    }
    const bool negative = !Value.is_number_unsigned() && Value.get<int64_t>() < 0;
    if (negative || Value.get<uint64_t>() < static_cast<uint64_t>(Min) || Value.get<uint64_t>() > static_cast<uint64_t>(Max)) {
        Problems.Add(Path, Value.dump() + " is out of range (" + Range(Min, Max) + ")");
        return std::nullopt;
    }
    return static_cast<long>(Value.get<uint64_t>());
}

// A coded byte given as its raw number, as the dump shows a value that has no word: true when
// Value is a whole number (stored into Byte when in range).
bool RawByte(const json& Value, const std::string& Path, uint8_t& Byte, TProblems& Problems)
{
    if (!Value.is_number_integer()) return false;
    if (const auto n = Whole(Value, Path, 0, 255, Problems)) Byte = static_cast<uint8_t>(*n);
    return true;
}

std::optional<bool> Flag(const json& Value, const std::string& Path, TProblems& Problems)
{
    if (Value.is_boolean()) return Value.get<bool>();
    Problems.WrongKind(Path, "true or false");
    return std::nullopt;
}

const std::string* String(const json& Value, const std::string& Path, const std::string& Expected, TProblems& Problems)
{
    if (Value.is_string()) return &Value.get_ref<const std::string&>();
    Problems.WrongKind(Path, Expected);
    return nullptr;
}

// The character at Text[At] as the message names it: a control character, or its UTF-8 bytes.
std::string CharacterAt(const std::string& Text, size_t At)
{
    const auto lead = static_cast<unsigned char>(Text[At]);
    if (lead < 0x20 || lead == 0x7F) return "a control character";
    size_t end = At + 1;
    while (end < Text.size() && (static_cast<unsigned char>(Text[end]) & 0xC0) == 0x80) ++end;
    return Quoted(Text.substr(At, end - At));
}

// Printable ASCII, as the pages' text edits take it: the KVX stores nothing else as it is.
// Outer blanks are dropped, as the text reads back without them.
std::optional<std::u16string> Text(const json& Value, const std::string& Path, size_t MaxLength, TProblems& Problems)
{
    const std::string* given = String(Value, Path, "text", Problems);
    if (!given) return std::nullopt;
    const size_t first = given->find_first_not_of(' ');
    const std::string text = first == std::string::npos ? std::string() : given->substr(first, given->find_last_not_of(' ') - first + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c > 0x7E) {
            Problems.Add(Path, Quoted(text) + " holds " + CharacterAt(text, i) + ", which the KVX cannot store");
            return std::nullopt;
        }
    }
    if (text.size() > MaxLength) {
        Problems.Add(Path, Quoted(text) + " is longer than " + std::to_string(MaxLength) + " characters");
        return std::nullopt;
    }
    return TUtils::FromLatin1(text);
}

bool AllDigits(const std::u16string& Text)
{
    return std::all_of(Text.begin(), Text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::optional<std::u16string> Digits(const json& Value, const std::string& Path, size_t MaxLength, TProblems& Problems)
{
    auto text = Text(Value, Path, MaxLength, Problems);
    if (text && !AllDigits(*text)) {
        Problems.Add(Path, Quoted(Value.get<std::string>()) + " is not digits only");
        return std::nullopt;
    }
    return text;
}

// A telephone number as people write it ("+44 7700 900123"), or "" for none; the digits without
// the "+".
std::optional<std::u16string> Phone(const json& Value, const std::string& Path, TProblems& Problems)
{
    const std::string* text = String(Value, Path, "a telephone number as \"+\" and digits", Problems);
    if (!text) return std::nullopt;
    if (text->empty()) return std::u16string();
    std::string reason;
    const auto digits = NormalisedNumber(*text, Problems.DefaultCountryCode, reason);
    if (!digits) Problems.Add(Path, reason);
    return digits;
}

std::optional<std::pair<uint8_t, uint8_t>> Time(const json& Value, const std::string& Path, TProblems& Problems)
{
    const std::string* text = String(Value, Path, "a time of day as \"HH:MM\"", Problems);
    if (!text) return std::nullopt;
    const auto time = TimeOfDayOfText(*text);
    if (!time) Problems.Add(Path, Quoted(*text) + " is not a time of day (\"HH:MM\", 00:00 to 23:59)");
    return time;
}

std::optional<uint8_t> WeekDays(const json& Value, const std::string& Path, TProblems& Problems)
{
    const std::string expected = "a list of week days (\"Mon\" .. \"Sun\")";
    if (!Value.is_array()) {
        Problems.WrongKind(Path, expected);
        return std::nullopt;
    }
    uint8_t mask = 0;
    for (const json& day : Value) {
        const auto bit = day.is_string() ? WeekDayBitOfWord(day.get<std::string>()) : std::nullopt;
        if (!bit) {
            Problems.Add(Path, day.dump() + " is not a week day (\"Mon\" .. \"Sun\")");
            return std::nullopt;
        }
        mask |= *bit;
    }
    return mask;
}

std::optional<uint16_t> RecipientMask(const json& Value, const std::string& Path, TProblems& Problems)
{
    if (!Value.is_array()) {
        Problems.WrongKind(Path, "a list of recipients (1 to 10)");
        return std::nullopt;
    }
    uint16_t mask = 0;
    for (const json& recipient : Value) {
        const auto n = Whole(recipient, Path, 1, static_cast<long>(RecipientCount), Problems);
        if (!n) return std::nullopt;
        mask |= RecipientBit(static_cast<unsigned>(*n));
    }
    return mask;
}

std::optional<uint8_t> Relay(const json& Value, const std::string& Path, TProblems& Problems)
{
    const auto relay = Whole(Value, Path, 1, 8, Problems);
    return relay ? std::optional<uint8_t>(static_cast<uint8_t>(*relay - 1)) : std::nullopt;
}

std::optional<uint8_t> Action(const json& Value, const std::string& Path, TProblems& Problems)
{
    const std::string* text = String(Value, Path, "\"On\", \"Off\", \"Pulse\" or \"Toggle\"", Problems);
    if (!text) return std::nullopt;
    const auto action = ActionOfWord(*text);
    if (!action) Problems.Add(Path, Quoted(*text) + " is not \"On\", \"Off\", \"Pulse\" or \"Toggle\"");
    return action;
}

// A word of a fixed list, by its position.
std::optional<size_t> Choice(const json& Value, const std::string& Path, const std::vector<std::string_view>& Words,
                             TProblems& Problems)
{
    std::string listed;
    for (const std::string_view word : Words) listed += (listed.empty() ? "" : ", ") + Quoted(word);
    const std::string* text = String(Value, Path, "one of " + listed, Problems);
    if (!text) return std::nullopt;
    const auto found = std::find(Words.begin(), Words.end(), *text);
    if (found != Words.end()) return static_cast<size_t>(found - Words.begin());
    Problems.Add(Path, Quoted(*text) + " is not one of " + listed);
    return std::nullopt;
}

// "4.10" (or 4.1) in hundredths.
std::optional<long> Hundredths(const json& Value, const std::string& Path, long Min, long Max, TProblems& Problems)
{
    const auto text = [](long v) { return std::to_string(v / 100) + "." + (v % 100 < 10 ? "0" : "") + std::to_string(v % 100); };
    const std::string expected = "a number with at most two decimals from " + text(Min) + " to " + text(Max);
    std::optional<long> hundredths;
    if (Value.is_number()) {
        const double scaled = Value.get<double>() * 100.0;
        if (std::abs(scaled - std::round(scaled)) < 1e-6 && std::abs(scaled) < 1e9) hundredths = std::lround(scaled);
    } else if (Value.is_string()) {
        const std::string& s = Value.get_ref<const std::string&>();
        const size_t dot = s.find('.');
        const std::string whole = s.substr(0, dot);
        const std::string fraction = dot == std::string::npos ? "" : s.substr(dot + 1);
        const auto digits = [](const std::string& d) { return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; }); };
        if (!whole.empty() && whole.size() < 9 && fraction.size() <= 2 && digits(whole) && digits(fraction))
            hundredths = std::stol(whole) * 100 + (fraction.empty() ? 0 : std::stol(fraction) * (fraction.size() == 1 ? 10 : 1));
    } else {
        Problems.WrongKind(Path, expected);
        return std::nullopt;
    }
    if (!hundredths || *hundredths < Min || *hundredths > Max) {
        Problems.Add(Path, Value.dump() + " is not " + expected);
        return std::nullopt;
    }
    return hundredths;
}

// ---- objects ---------------------------------------------------------------------------

using TEntry = std::function<void(size_t Index, const json& Item, const std::string& Path)>;

bool IsObject(const json& Value, const std::string& Path, const std::string& Expected, TProblems& Problems)
{
    if (Value.is_object()) return true;
    Problems.WrongKind(Path, Expected);
    return false;
}

// Entries keyed "First" .. "First + Count - 1".
void ForEachNumbered(const json& Value, const std::string& Path, size_t First, size_t Count, TProblems& Problems, const TEntry& Apply)
{
    const std::string range = Range(static_cast<long>(First), static_cast<long>(First + Count - 1));
    if (!IsObject(Value, Path, "an object with entries numbered " + range, Problems)) return;
    for (const auto& [key, item] : Value.items()) {
        size_t n = 0;
        const bool number = !key.empty() && key.size() < 5 && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (number) n = std::stoul(key);
        if (!number || n < First || n >= First + Count) {
            Problems.Add(Join(Path, key), "unknown key (entries are numbered " + range + ")");
            continue;
        }
        Apply(n - First, item, Join(Path, key));
    }
}

// Entries keyed by event name ("MainsFail"), those that Takes accepts.
void ForEachEvent(const json& Value, const std::string& Path, const std::function<bool(TDistributionEvent)>& Takes,
                  TProblems& Problems, const std::function<void(TDistributionEvent, const json&, const std::string&)>& Apply)
{
    if (!IsObject(Value, Path, "an object keyed by event name", Problems)) return;
    for (const auto& [key, item] : Value.items()) {
        bool found = false;
        for (size_t e = 0; e < DistributeMessageCount && !found; ++e) {
            const auto event = static_cast<TDistributionEvent>(e);
            if (key != DistributionEventName(event) || !Takes(event)) continue;
            found = true;
            Apply(event, item, Join(Path, key));
        }
        if (!found) Problems.Add(Join(Path, key), "unknown key");
    }
}

// Each key of an entry object with its own handler; any other key is a problem.
using TMembers = std::map<std::string, std::function<void(const json&, const std::string&)>>;

void ForEachMember(const json& Item, const std::string& Path, const TMembers& Members, TProblems& Problems)
{
    if (!IsObject(Item, Path, "an object", Problems)) return;
    for (const auto& [key, value] : Item.items()) {
        const auto member = Members.find(key);
        if (member == Members.end()) Problems.Add(Join(Path, key), "unknown key");
        else member->second(value, Join(Path, key));
    }
}

// An entry that names more than its key field, yet leaves that field empty, is never stored.
void RequireKey(const json& Item, const std::string& Path, const char* Key, bool Defined, const char* What, TProblems& Problems)
{
    if (Defined || !Item.is_object()) return;
    const bool onlyKey = Item.size() == 1 && Item.contains(Key);
    if (!Item.empty() && !onlyKey) Problems.Add(Join(Path, Key), std::string("needed: ") + What + " without one is not stored");
}

// ---- blocks ----------------------------------------------------------------------------

using TApply = std::function<void(const json& Value, const std::string& Path, TKVXConfig& Config, TProblems& Problems)>;

void ApplyTimer(TKVXConfig& Config, size_t Index, const json& Item, const std::string& Path, TProblems& Problems)
{
    TTimerLocation timer = DecodeTimer(Config, Index);
    if (!timer.IsDefined()) timer.WeekDays = EveryWeekDay;  // a new location as the page starts one
    ForEachMember(Item, Path,
                  {{"Label", [&](const json& v, const std::string& p) { if (auto t = Text(v, p, LabelWidth, Problems)) timer.Label = *t; }},
                   {"Time", [&](const json& v, const std::string& p) { if (auto t = Time(v, p, Problems)) std::tie(timer.Hour, timer.Minute) = *t; }},
                   {"WeekDays", [&](const json& v, const std::string& p) { if (auto d = WeekDays(v, p, Problems)) timer.WeekDays = *d; }},
                   {"Relay", [&](const json& v, const std::string& p) { if (auto r = Relay(v, p, Problems)) timer.Relay = *r; }},
                   {"Action", [&](const json& v, const std::string& p) { if (auto a = Action(v, p, Problems)) timer.Action = *a; }},
                   {"Confirmation", [&](const json& v, const std::string& p) { if (auto c = Flag(v, p, Problems)) timer.Confirmation = *c ? TimerConfirmed : 0; }}},
                  Problems);
    RequireKey(Item, Path, "Label", timer.IsDefined(), "a timer", Problems);
    EraseTimer(Config, Index);
    EncodeTimer(Config, Index, timer);
}

void ApplyMissedCall(TKVXConfig& Config, size_t Index, const json& Item, const std::string& Path, TProblems& Problems)
{
    TMissedCallLocation call = DecodeMissedCall(Config, Index);
    if (!call.IsDefined()) call.WeekDays = EveryWeekDay;
    ForEachMember(
        Item, Path,
        {{"Number", [&](const json& v, const std::string& p) { if (auto n = Phone(v, p, Problems)) call.Number = *n; }},
         {"Relay", [&](const json& v, const std::string& p) { if (auto r = Relay(v, p, Problems)) call.Relay = *r; }},
         {"Action", [&](const json& v, const std::string& p) {
              if (auto a = Action(v, p, Problems)) call.Action = static_cast<uint8_t>((call.Action & ConfirmationBit) | *a);
          }},
         {"Confirmation", [&](const json& v, const std::string& p) {
              if (auto c = Flag(v, p, Problems)) call.Action = static_cast<uint8_t>((call.Action & ~ConfirmationBit) | (*c ? ConfirmationBit : 0));
          }},
         {"Count", [&](const json& v, const std::string& p) { if (auto c = Whole(v, p, 0, 255, Problems)) call.Count = static_cast<uint8_t>(*c); }},
         {"TimeWindow", [&](const json& v, const std::string& p) {
              if (v.is_null()) {
                  call.TimeWindow = false;
                  return;
              }
              const std::string* text = String(v, p, "a window as \"HH:MM-HH:MM\", or null for none", Problems);
              if (!text) return;
              const size_t dash = text->find('-');
              const auto start = TimeOfDayOfText(std::string_view(*text).substr(0, dash));
              const auto stop = dash == std::string::npos ? std::nullopt : TimeOfDayOfText(std::string_view(*text).substr(dash + 1));
              if (!start || !stop) {
                  Problems.Add(p, Quoted(*text) + " is not a window as \"HH:MM-HH:MM\"");
                  return;
              }
              call.TimeWindow = true;
              std::tie(call.StartHour, call.StartMinute) = *start;
              std::tie(call.StopHour, call.StopMinute) = *stop;
          }},
         {"WeekDays", [&](const json& v, const std::string& p) { if (auto d = WeekDays(v, p, Problems)) call.WeekDays = *d; }}},
        Problems);
    RequireKey(Item, Path, "Number", call.IsDefined(), "a missed call location", Problems);
    EraseMissedCall(Config, Index);
    EncodeMissedCall(Config, Index, call);
}

void ApplyRemoteCommands(const json& Value, const std::string& Path, TKVXConfig& Config, TProblems& Problems)
{
    TRemoteCommands commands;
    for (size_t i = 0; i < RemoteCommandCount; ++i) commands[i] = DecodeRemoteCommand(Config, i);
    std::vector<size_t> given;
    ForEachNumbered(Value, Path, 1, RemoteCommandCount, Problems, [&](size_t i, const json& item, const std::string& path) {
        TRemoteCommand& command = commands[i];
        ForEachMember(item, path,
                      {{"Number", [&](const json& v, const std::string& p) { if (auto n = Phone(v, p, Problems)) command.Number = *n; }},
                       {"Command", [&](const json& v, const std::string& p) {
                            if (auto c = Text(v, p, RemoteCommandTextSize, Problems)) command.Command = *c;
                        }},
                       {"Trigger", [&](const json& v, const std::string& p) {
                            const std::string* text = String(v, p, "a trigger as the trigger lists name it", Problems);
                            if (!text) return;
                            // "Timer 05" or "Timer 05 - Pump": the location's name is the dump's courtesy.
                            for (size_t byte = 0; byte < sizeof Config.RemoteReporting; ++byte) {
                                const TRemoteTrigger trigger = RemoteTriggerAt(byte);
                                const std::string name = TUtils::ToLatin1(RemoteTriggerName(trigger));
                                if (name.empty() || (*text != name && !text->starts_with(name + " - "))) continue;
                                command.Trigger = trigger;
                                return;
                            }
                            Problems.Add(p, Quoted(*text) + " is not a trigger (\"Input 1 high\" .. \"AD high limit\", "
                                            "\"Timer 01\" .. \"Timer 64\", \"Missed call 001\" .. \"Missed call 500\")");
                        }}},
                      Problems);
        RequireKey(item, path, "Number", !command.Number.empty(), "a command", Problems);
        given.push_back(i);
    });
    for (const size_t i : given) EraseRemoteCommand(Config, i);
    EncodeRemoteCommands(Config, commands);
}

void ApplyShortcut(TKVXConfig& Config, size_t Index, const json& Item, const std::string& Path, TProblems& Problems)
{
    uint8_t* pair = &Config.ShortCuts[Index * 2 * ShortcutTextSize];
    TShortcut shortcut;
    ForEachMember(Item, Path,
                  {{"Shortcut", [&](const json& v, const std::string& p) {
                        if (auto t = Text(v, p, ShortcutTextSize, Problems)) {
                            EraseField(pair, ShortcutTextSize);
                            shortcut.Shortcut = *t;
                        }
                    }},
                   {"Instruction", [&](const json& v, const std::string& p) {
                        if (auto t = Text(v, p, ShortcutTextSize, Problems)) {
                            EraseField(pair + ShortcutTextSize, ShortcutTextSize);
                            shortcut.Instruction = *t;
                        }
                    }}},
                  Problems);
    EncodeShortcut(Config, Index, shortcut);
}

// A text slot written space-padded; an empty text, or null, leaves it unwritten.
void ApplyLabel(uint8_t* Slot, const json& Value, const std::string& Path, size_t Width, TProblems& Problems)
{
    if (Value.is_null()) return EraseField(Slot, Width);
    if (const auto text = Text(Value, Path, Width, Problems)) {
        EraseField(Slot, Width);
        if (!text->empty()) WriteText(Slot, Width, *text, PadSpace);
    }
}

void ApplyPhone(TKVXLabel& Field, const json& Value, const std::string& Path, TProblems& Problems)
{
    if (Value.is_null()) return EraseField(Field.Data, Field.Size);
    if (const auto digits = Phone(Value, Path, Problems)) {
        EraseField(Field.Data, Field.Size);
        WritePhoneNumber(Field, *digits);
    }
}

// A number within the page's range; null for a word never stored.
void ApplyWord(TWordMSBFirst& Field, const json& Value, const std::string& Path, long Max, uint32_t Scale, TProblems& Problems)
{
    if (Value.is_null()) return Field.SetValue(ErasedWord);
    if (const auto n = Whole(Value, Path, 0, Max, Problems)) Field.SetValue(static_cast<uint16_t>(*n * Scale));
}

// Hundredths or a response time; null for a word never stored.
void ApplyAnalogueWord(TWordMSBFirst& Field, const json& Value, const std::string& Path, long Min, long Max, bool Decimal,
                       TProblems& Problems)
{
    if (Value.is_null()) return Field.SetValue(ErasedWord);
    const auto n = Decimal ? Hundredths(Value, Path, Min, Max, Problems) : Whole(Value, Path, Min, Max, Problems);
    if (n) Field.SetValue(static_cast<uint16_t>(Decimal ? *n : *n * static_cast<long>(AnalogueDelayUnitsPerSecond)));
}

void ApplyBCDByte(uint8_t& Field, const json& Value, const std::string& Path, long Max, TProblems& Problems)
{
    if (Value.is_null()) {
        Field = Erased;
    } else if (const auto n = Whole(Value, Path, 0, Max, Problems)) {
        TUtils::BIN2BCD(static_cast<uint32_t>(*n), &Field);
    }
}

void ApplyHex(uint8_t* Bytes, size_t Size, const json& Value, const std::string& Path, TProblems& Problems)
{
    const std::string expected = std::to_string(2 * Size) + " hexadecimal digits";
    const std::string* text = String(Value, Path, expected, Problems);
    if (!text) return;
    const std::u16string hex(text->begin(), text->end());
    std::vector<uint8_t> bytes(Size);
    if (hex.size() != 2 * Size || !TUtils::HEXString2Buffer(hex, bytes.data())) {
        Problems.Add(Path, "not " + expected);
        return;
    }
    std::copy(bytes.begin(), bytes.end(), Bytes);
}

TApply Numbered(size_t First, size_t Count, std::function<void(TKVXConfig&, size_t, const json&, const std::string&, TProblems&)> Entry)
{
    return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
        ForEachNumbered(v, p, First, Count, problems,
                        [&](size_t i, const json& item, const std::string& path) { Entry(c, i, item, path, problems); });
    };
}

TApply PhoneField(TKVXLabel TKVXConfig::*Field)
{
    return [Field](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) { ApplyPhone(c.*Field, v, p, problems); };
}

// true or false as the page stores it, or the byte's raw number.
TApply FlagField(uint8_t TKVXConfig::*Field, void (*Encode)(TKVXConfig&, bool))
{
    return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
        if (RawByte(v, p, c.*Field, problems)) return;
        if (const auto on = Flag(v, p, problems)) Encode(c, *on);
    };
}

TApply AnalogueField(TWordMSBFirst TKVXConfig::*Field, long Min, long Max, bool Decimal)
{
    return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
        ApplyAnalogueWord(c.*Field, v, p, Min, Max, Decimal, problems);
    };
}

TApply WordField(TWordMSBFirst TKVXConfig::*Field, long Max, uint32_t Scale = 1)
{
    return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) { ApplyWord(c.*Field, v, p, Max, Scale, problems); };
}

TApply DigitsField(uint8_t* (*Slot)(TKVXConfig&), size_t Width, void (*Encode)(TKVXConfig&, const std::u16string&))
{
    return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
        if (v.is_null()) EraseField(Slot(c), Width);
        else if (const auto digits = Digits(v, p, Width, problems)) {
            EraseField(Slot(c), Width);
            Encode(c, *digits);
        }
    };
}

TApply CIDLabels(TCIDLabelKind Kind)
{
    return Numbered(0, CIDLabelCount(Kind), [Kind](TKVXConfig& c, size_t i, const json& v, const std::string& p, TProblems& problems) {
        if (v.is_null()) EraseCIDLabel(c, Kind, i);
        else if (const auto text = Text(v, p, LabelWidth, problems)) {
            EraseCIDLabel(c, Kind, i);
            EncodeCIDLabel(c, Kind, i, *text);
        }
    });
}

// The fields whose form the pages give, by the dump's names; the rest go by their kind.
const std::map<std::string_view, TApply>& FieldAppliers()
{
    using P = TProblems;
    static const std::map<std::string_view, TApply> appliers = {
        {"SIM1ServiceCentreNumber", PhoneField(&TKVXConfig::SIM1ServiceCentreNumber)},
        {"SIM2ServiceCentreNumber", PhoneField(&TKVXConfig::SIM2ServiceCentreNumber)},
        {"AutoTestTimeHours", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) { ApplyBCDByte(c.AutoTestTimeHours, v, p, 23, problems); }},
        {"AutoTestTimeMinutes", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) { ApplyBCDByte(c.AutoTestTimeMinutes, v, p, 59, problems); }},
        {"DayOfWeek", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             if (v.is_null()) c.DayOfWeek = Erased;
             else if (const auto days = WeekDays(v, p, problems)) c.DayOfWeek = *days;
         }},
        {"VerifySender", FlagField(&TKVXConfig::VerifySender, EncodeVerifySender)},
        {"SerialInterface", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             if (RawByte(v, p, c.SerialInterface, problems)) return;
             std::vector<std::string_view> words;
             for (const auto& serial : SerialInterfaceWords) words.push_back(serial.second);
             if (const auto chosen = Choice(v, p, words, problems)) EncodeSerialInterface(c, SerialInterfaceWords[*chosen].first);
         }},
        {"DialTone", FlagField(&TKVXConfig::DialTone, EncodeDialTone)},
        {"ACFailTimeout", WordField(&TKVXConfig::ACFailTimeout, DelayMinutesMaximum * SecondsPerMinute)},
        {"ACRestoreTimeout", WordField(&TKVXConfig::ACRestoreTimeout, DelayMinutesMaximum * SecondsPerMinute)},
        {"SIM2Enable", FlagField(&TKVXConfig::SIM2Enable, EncodeSecondarySIMEnabled)},
        {"PIN", DigitsField([](TKVXConfig& c) { return c.PIN.Data; }, decltype(TKVXConfig::PIN)::Size, EncodeCommandPIN)},
        {"UnitID", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             if (v.is_null()) EraseField(c.UnitID.Data, c.UnitID.Size);
             else if (const auto text = Text(v, p, LabelWidth, problems)) EncodeUnitID(c, *text);
         }},
        {"LockArray", [](const json& v, const std::string& p, TKVXConfig&, P& problems) {
             if (!v.is_string() || !v.get<std::string>().empty()) problems.Add(p, PasswordRefused);
         }},
        {"ADType", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             if (v.is_null()) c.ADType = Erased;
             else if (RawByte(v, p, c.ADType, problems)) return;
             else if (const auto type = Choice(v, p, std::vector<std::string_view>(AnalogueTypeWords.begin(), AnalogueTypeWords.end()), problems)) c.ADType = static_cast<uint8_t>(*type);
         }},
        {"ADVLowThreshold", AnalogueField(&TKVXConfig::ADVLowThreshold, 0, AnalogueVoltsMaximumHundredths, true)},
        {"ADVHighThreshold", AnalogueField(&TKVXConfig::ADVHighThreshold, 0, AnalogueVoltsMaximumHundredths, true)},
        {"ADILowThreshold", AnalogueField(&TKVXConfig::ADILowThreshold, AnalogueMilliampsMinimumHundredths, AnalogueMilliampsMaximumHundredths, true)},
        {"ADIHighThreshold", AnalogueField(&TKVXConfig::ADIHighThreshold, AnalogueMilliampsMinimumHundredths, AnalogueMilliampsMaximumHundredths, true)},
        {"ADLowThresholdDelay", AnalogueField(&TKVXConfig::ADLowThresholdDelay, 0, AnalogueResponseMaximumSeconds, false)},
        {"ADHighThresholdDelay", AnalogueField(&TKVXConfig::ADHighThresholdDelay, 0, AnalogueResponseMaximumSeconds, false)},
        {"M2MReportingNumber1", PhoneField(&TKVXConfig::M2MReportingNumber1)},
        {"M2MReportingNumber2", PhoneField(&TKVXConfig::M2MReportingNumber2)},
        {"M2MReportingNumber3", PhoneField(&TKVXConfig::M2MReportingNumber3)},
        {"M2MReportingNumber4", PhoneField(&TKVXConfig::M2MReportingNumber4)},
        {"M2MID", DigitsField([](TKVXConfig& c) { return c.M2MID.Data; }, decltype(TKVXConfig::M2MID)::Size, EncodeM2MID)},
        {"M2MTelemetries", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             ForEachEvent(v, p, M2MTelemetryEdited, problems, [&](TDistributionEvent e, const json& item, const std::string& path) {
                 if (item.is_null()) EraseField(&c.M2MTelemetries[M2MTelemetryWidth * static_cast<size_t>(e)], M2MTelemetryWidth);
                 else if (const auto digits = Digits(item, path, M2MTelemetryWidth, problems)) EncodeM2MTelemetry(c, e, *digits);
             });
         }},
        {"TimerEvents", Numbered(1, TimerCount, ApplyTimer)},
        {"CIDPartitionLabels", CIDLabels(TCIDLabelKind::Partition)},
        {"CIDZoneLabels", CIDLabels(TCIDLabelKind::Zone)},
        {"CIDUserLabels", CIDLabels(TCIDLabelKind::User)},
        {"MissedCallNumbers", Numbered(1, MissedCallCount, ApplyMissedCall)},
        {"InputMessages", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             const auto isInput = [](TDistributionEvent e) { return e >= TDistributionEvent::IP1H && e <= TDistributionEvent::IP9L; };
             ForEachEvent(v, p, isInput, problems, [&](TDistributionEvent e, const json& item, const std::string& path) {
                 const size_t slot = static_cast<size_t>(e) - static_cast<size_t>(TDistributionEvent::IP1H);
                 ApplyLabel(&c.InputMessages[slot * LabelWidth], item, path, LabelWidth, problems);
             });
         }},
        {"ReportingNumbers", Numbered(1, RecipientCount, [](TKVXConfig& c, size_t i, const json& v, const std::string& p, P& problems) {
             if (v.is_null()) EraseRecipient(c, i);
             else if (const auto digits = Phone(v, p, problems)) {
                 EraseRecipient(c, i);
                 EncodeRecipient(c, i, *digits);
             }
         })},
        {"DistributeMessages", [](const json& v, const std::string& p, TKVXConfig& c, P& problems) {
             ForEachEvent(v, p, [](TDistributionEvent) { return true; }, problems, [&](TDistributionEvent e, const json& item, const std::string& path) {
                 if (item.is_null()) EraseField(c.DistributeMessages.Masks[static_cast<size_t>(e)].Bytes, 2);
                 else if (const auto mask = RecipientMask(item, path, problems)) EncodeDistributionMask(c, e, *mask);
             });
         }},
        {"ContactIDReporting", Numbered(1, CIDReportingCapacity, [](TKVXConfig& c, size_t i, const json& v, const std::string& p, P& problems) {
             if (v.is_null()) EraseField(&c.ContactIDReporting[2 * i], 2);
             else if (const auto mask = RecipientMask(v, p, problems)) EncodeCIDReportingMask(c, i, *mask);
         })},
        {"RemoteControl", ApplyRemoteCommands},
        {"ShortCuts", Numbered(1, ShortcutCount, ApplyShortcut)},
    };
    return appliers;
}

bool IsPulseTime(std::string_view Name) { return Name.starts_with("Relay") && Name.ends_with("PulseTime"); }
// Shown under their partner's name: TimerEvents, MissedCallNumbers, RemoteControl.
bool IsShownWithPartner(std::string_view Name)
{
    return Name == "TimerLabels" || Name == "MissedCallAccessRules" || Name == "RemoteReporting";
}

// How a field no page gives a form to is written, by its kind.
TApply ApplierOf(const TFieldInfo& Field)
{
    const std::string_view name = Field.Name;
    const size_t offset = Field.Offset;
    const size_t size = Field.Size;
    if (const auto known = FieldAppliers().find(name); known != FieldAppliers().end()) return known->second;
    const TApply hex = [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
        ApplyHex(c.Bytes() + offset, size, v, p, problems);
    };
    if (IsReservedField(name)) return hex;
    const auto word = [offset](TKVXConfig& c) -> TWordMSBFirst& { return *reinterpret_cast<TWordMSBFirst*>(c.Bytes() + offset); };
    if (IsInputDelayField(name))
        return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
            ApplyWord(word(c), v, p, InputDelayMaximumSeconds, InputDelayUnitsPerSecond, problems);
        };
    if (IsPulseTime(name))
        return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) { ApplyWord(word(c), v, p, RelayPulseMaximumSeconds, 1, problems); };
    switch (Field.Kind) {
    case TFieldKind::Byte:
        return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
            if (const auto n = Whole(v, p, 0, 255, problems)) c.Bytes()[offset] = static_cast<uint8_t>(*n);
        };
    case TFieldKind::Word:
        return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) { ApplyWord(word(c), v, p, 65535, 1, problems); };
    case TFieldKind::Label:
        return [=](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) { ApplyLabel(c.Bytes() + offset, v, p, size, problems); };
    case TFieldKind::Bytes: return hex;
    case TFieldKind::DistributeMessages: break;
    }
    return nullptr;
}

struct TKey {
    std::string Name;
    TApply Apply;
};

// Every key the dump writes, in image order.
const std::vector<TKey>& Keys()
{
    static const std::vector<TKey> keys = [] {
        std::vector<TKey> all;
        for (const TFieldInfo& field : ConfigFields()) {
            if (IsShownWithPartner(field.Name)) continue;
            all.push_back({field.Name, ApplierOf(field)});
            if (std::string_view(field.Name) == "NotAllocated")
                all.push_back({"HiddenSetting", [](const json& v, const std::string& p, TKVXConfig& c, TProblems& problems) {
                                   if (const auto n = Whole(v, p, 0, 255, problems)) c.Bytes()[HiddenSettingOffset] = static_cast<uint8_t>(*n);
                               }});
        }
        return all;
    }();
    return keys;
}

// Bytes by the names diff gives them (null: every byte 0xFF), stored over whatever the fields stored.
void ApplyRawBytes(const json& Value, TKVXConfig& Config, TProblems& Problems)
{
    if (!IsObject(Value, RawBytesKey, "an object of hexadecimal bytes by field or element name", Problems)) return;
    for (const auto& [key, hex] : Value.items()) {
        const std::string path = Join(RawBytesKey, key);
        const auto span = ByteSpanNamed(key);
        if (!span) Problems.Add(path, "unknown key (a field, or an element as kvxctl diff names it)");
        else if (HoldsPassword(*span)) Problems.Add(path, PasswordRefused);
        else if (hex.is_null()) EraseField(Config.Bytes() + span->Offset, span->Size);
        else ApplyHex(Config.Bytes() + span->Offset, span->Size, hex, path, Problems);
    }
}

std::vector<TBuildProblem> Apply(const json& Json, TKVXConfig& Config, std::string_view DefaultCountryCode)
{
    TProblems problems(DefaultCountryCode);
    if (!Json.is_object()) {
        problems.WrongKind("(top)", "an object of fields by name");
        return problems.List;
    }
    for (const auto& item : Json.items()) {
        const std::string& key = item.key();
        if (key != RawBytesKey && std::none_of(Keys().begin(), Keys().end(), [&key](const TKey& k) { return k.Name == key; }))
            problems.Add(key, "unknown key");
    }
    TKVXConfig edited = Config;
    for (const TKey& key : Keys())
        if (const auto found = Json.find(key.Name); found != Json.end()) key.Apply(*found, key.Name, edited, problems);
    // A self test needs both its hour and its minute; one alone the unit reads as none.
    const bool selfTestGiven = Json.contains("AutoTestTimeHours") || Json.contains("AutoTestTimeMinutes");
    if (selfTestGiven && (edited.AutoTestTimeHours == Erased) != (edited.AutoTestTimeMinutes == Erased))
        problems.Add("AutoTestTimeMinutes", "the self test needs both AutoTestTimeHours and AutoTestTimeMinutes, or neither");
    if (const auto raw = Json.find(RawBytesKey); raw != Json.end()) ApplyRawBytes(*raw, edited, problems);
    if (problems.List.empty()) Config = edited;
    return problems.List;
}

} // namespace

std::vector<TBuildProblem> BuildFromJson(const nlohmann::ordered_json& Json, TKVXConfig& Config, std::string_view DefaultCountryCode)
{
    return Apply(Json, Config, DefaultCountryCode);
}

std::vector<std::string> ApplyConfigJson(const nlohmann::ordered_json& Json, TKVXConfig& Config, std::string_view DefaultCountryCode)
{
    std::vector<std::string> lines;
    for (const TBuildProblem& p : Apply(Json, Config, DefaultCountryCode)) lines.push_back(p.Path + ": " + p.Reason);
    return lines;
}

namespace {

// Deeper than any configuration: {"TimerEvents": {"5": {"WeekDays": ["Mon"]}}} is four.
constexpr size_t MaxNesting = 16;

struct TRefusedJson {
    std::string Problem;
};

// An object or array being read, and the key last read in it.
struct TOpenValue {
    std::set<std::string> Keys;
    std::string Key;
};

// Key's path: the keys of the objects around the one being read, then Key.
std::string KeyPath(const std::vector<TOpenValue>& Open, const std::string& Key)
{
    std::string path;
    for (size_t i = 0; i + 1 < Open.size(); ++i)
        if (!Open[i].Key.empty()) path += Open[i].Key + ".";
    return path + Key;
}

} // namespace

std::optional<nlohmann::ordered_json> ParseConfigJson(std::string_view Text, std::string& Problem)
{
    using event = json::parse_event_t;
    std::vector<TOpenValue> open;
    // Refuses, while reading, what JSON itself allows: a key twice (the last would silently win)
    // and nesting no configuration has (what reads it need not recurse without end).
    const json::parser_callback_t refuse = [&open](int, event Event, json& Parsed) {
        if (Event == event::object_start || Event == event::array_start) {
            if (open.size() == MaxNesting) throw TRefusedJson{"nested deeper than " + std::to_string(MaxNesting) + " levels"};
            open.emplace_back();
        } else if (Event == event::object_end || Event == event::array_end) {
            open.pop_back();
        } else if (Event == event::key) {
            const std::string& key = Parsed.get_ref<const std::string&>();
            if (!open.back().Keys.insert(key).second) throw TRefusedJson{Quoted(KeyPath(open, key)) + " is given twice"};
            open.back().Key = key;
        }
        return true;
    };
    try {
        return json::parse(Text, refuse);
    } catch (const TRefusedJson& e) {
        Problem = e.Problem;
    } catch (const json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without its label.
        const std::string what = e.what();
        const size_t label = what.find("] ");
        Problem = label == std::string::npos ? what : what.substr(label + 2);
    }
    return std::nullopt;
}

} // namespace kvx
