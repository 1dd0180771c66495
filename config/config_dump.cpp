#include "config/config_dump.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "config/analogue_input.h"
#include "config/config_build.h"
#include "config/contact_id.h"
#include "config/distribution.h"
#include "config/general_setup.h"
#include "config/design_config.h"
#include "config/input_messages.h"
#include "config/m2m.h"
#include "config/missed_calls.h"
#include "config/raw_bytes.h"
#include "config/recipients.h"
#include "config/remote_control.h"
#include "config/shortcuts.h"
#include "config/text_fields.h"
#include "config/timers.h"
#include "config/value_words.h"
#include "image/utils.h"

namespace kvx {

namespace {

using json = nlohmann::ordered_json;

std::string Hex(const uint8_t* Data, size_t Size)
{
    return TUtils::ToLatin1(TUtils::Buffer2HEXString(Data, static_cast<uint16_t>(Size)));
}

bool AllErased(const uint8_t* Data, size_t Size)
{
    return std::all_of(Data, Data + Size, [](uint8_t b) { return b == 0xFF; });
}

// A text slot never written reads as null, apart from one written empty.
json TextOf(const uint8_t* Data, size_t Size)
{
    return AllErased(Data, Size) ? json() : json(Utf8Text(ReadText(Data, Size)));
}
template <typename TField>
json TextOf(const TField& Field)
{
    return TextOf(Field.Data, TField::Size);
}

// On and off as the pages store them; any other byte as its raw number.
json Flag(uint8_t Byte) { return Byte == 0xFF ? json(true) : Byte == 0x00 ? json(false) : json(Byte); }

std::string PhoneText(const std::u16string& Digits) { return Digits.empty() ? "" : "+" + Utf8Text(Digits); }

std::string TwoDigits(unsigned Value) { return (Value < 10 ? "0" : "") + std::to_string(Value); }

json RecipientList(uint16_t Mask)
{
    json recipients = json::array();
    for (unsigned n = 1; n <= RecipientCount; ++n)
        if (HasRecipient(Mask, n)) recipients.push_back(n);
    return recipients;
}

json BCDTime(uint8_t Byte) { return Byte == 0xFF ? json() : json(TUtils::BCD2BIN(&Byte, 1)); }

// A word the page never stored (a breach that is off, a unit never programmed) reads as null.
constexpr uint16_t ErasedWord = 0xFFFF;

json MaskOf(const TWordLSBFirst& Stored, uint16_t Mask)
{
    return Stored.Value() == ErasedWord ? json() : RecipientList(Mask);
}

json Hundredths(const TWordMSBFirst& Field)
{
    const unsigned value = Field.Value();
    if (value == ErasedWord) return nullptr;
    return std::to_string(value / 100) + "." + TwoDigits(value % 100);
}

json Timers(const TKVXConfig& Config)
{
    json timers = json::object();
    for (size_t i = 0; i < TimerCount; ++i) {
        const TTimerLocation t = DecodeTimer(Config, i);
        if (!t.IsDefined()) continue;
        timers[std::to_string(i + 1)] = {{"Label", Utf8Text(t.Label)},         {"Time", TimeOfDayText(t.Hour, t.Minute)},
                                         {"WeekDays", WeekDayWordsOf(t.WeekDays)}, {"Relay", t.Relay + 1},
                                         {"Action", ActionText(t.Action)}, {"Confirmation", (t.Confirmation & 0x80) != 0}};
    }
    return timers;
}

json MissedCalls(const TKVXConfig& Config)
{
    json calls = json::object();
    for (size_t i = 0; i < MissedCallCount; ++i) {
        const TMissedCallLocation m = DecodeMissedCall(Config, i);
        if (!m.IsDefined()) continue;
        json call = {{"Number", PhoneText(m.Number)}, {"Relay", m.Relay + 1}, {"Action", ActionText(m.Action)},
                     {"Confirmation", (m.Action & ConfirmationBit) != 0}, {"Count", m.Count}};
        if (m.TimeWindow) {
            call["TimeWindow"] = TimeOfDayText(m.StartHour, m.StartMinute) + "-" + TimeOfDayText(m.StopHour, m.StopMinute);
            call["WeekDays"] = WeekDayWordsOf(m.WeekDays);
        }
        calls[std::to_string(i + 1)] = call;
    }
    return calls;
}

json CIDLabels(const TKVXConfig& Config, TCIDLabelKind Kind)
{
    json labels = json::object();
    const uint8_t* first = Kind == TCIDLabelKind::Partition ? Config.CIDPartitionLabels.Data
                           : Kind == TCIDLabelKind::Zone    ? Config.CIDZoneLabels.Data
                                                            : Config.CIDUserLabels.Data;
    for (size_t i = 0; i < CIDLabelCount(Kind); ++i) labels[std::to_string(i)] = TextOf(first + TKVXLabel::Size * i, TKVXLabel::Size);
    return labels;
}

json CIDReporting(const TKVXConfig& Config)
{
    json masks = json::object();
    for (size_t k = 0; k < CIDReportingCapacity; ++k)
        masks[std::to_string(k + 1)] = MaskOf(*reinterpret_cast<const TWordLSBFirst*>(&Config.ContactIDReporting[2 * k]),
                                              DecodeCIDReportingMask(Config, k));
    return masks;
}

json Distribution(const TKVXConfig& Config)
{
    json masks = json::object();
    for (size_t e = 0; e < DistributeMessageCount; ++e) {
        const auto event = static_cast<TDistributionEvent>(e);
        masks[DistributionEventName(event)] = MaskOf(Config.DistributeMessages.Masks[e], DecodeDistributionMask(Config, event));
    }
    return masks;
}

json InputMessages(const TKVXConfig& Config)
{
    json messages = json::object();
    for (size_t slot = 0; slot < InputMessageCount; ++slot) {
        const TInputMessage message = DecodeInputMessage(Config, slot);
        if (message.Enabled)
            messages[DistributionEventName(static_cast<TDistributionEvent>(slot + 1))] = Utf8Text(message.Text);
    }
    return messages;
}

json Recipients(const TKVXConfig& Config)
{
    json numbers = json::object();
    for (size_t i = 0; i < RecipientCount; ++i) {
        const std::u16string digits = DecodeRecipient(Config, i);
        if (!digits.empty()) numbers[std::to_string(i + 1)] = PhoneText(digits);
    }
    return numbers;
}

json M2MTelemetries(const TKVXConfig& Config)
{
    json numbers = json::object();
    for (size_t e = 0; e < M2MTelemetryCount; ++e) {
        const auto event = static_cast<TDistributionEvent>(e);
        if (M2MTelemetryEdited(event))
            numbers[DistributionEventName(event)] = TextOf(&Config.M2MTelemetries[M2MTelemetryWidth * e], M2MTelemetryWidth);
    }
    return numbers;
}

// Named as the page's trigger lists name it, with the location's label or number.
std::string TriggerText(const TKVXConfig& Config, const TRemoteTrigger& Trigger)
{
    std::u16string location;
    if (Trigger.Kind == TRemoteTriggerKind::Timer) location = DecodeTimer(Config, Trigger.Entry).Label;
    if (Trigger.Kind == TRemoteTriggerKind::MissedCall) location = DecodeMissedCall(Config, Trigger.Entry).Number;
    const std::u16string name = RemoteTriggerName(Trigger, location);
    return name.empty() ? "none" : Utf8Text(name);
}

json RemoteCommands(const TKVXConfig& Config)
{
    json commands = json::object();
    for (size_t i = 0; i < RemoteCommandCount; ++i) {
        const TRemoteCommand c = DecodeRemoteCommand(Config, i);
        if (c.Number.empty() && c.Command.empty()) continue;
        commands[std::to_string(i + 1)] = {
            {"Number", PhoneText(c.Number)}, {"Command", Utf8Text(c.Command)}, {"Trigger", TriggerText(Config, c.Trigger)}};
    }
    return commands;
}

json Shortcuts(const TKVXConfig& Config)
{
    json pairs = json::object();
    for (size_t i = 0; i < ShortcutCount; ++i) {
        const TShortcut s = DecodeShortcut(Config, i);
        if (s.Shortcut.empty() && s.Instruction.empty()) continue;
        pairs[std::to_string(i + 1)] = {{"Shortcut", Utf8Text(s.Shortcut)}, {"Instruction", Utf8Text(s.Instruction)}};
    }
    return pairs;
}

// The word of a value the page stores, else the raw number (which the unit reads as disabled).
json SerialText(const TKVXConfig& Config)
{
    for (const auto& [choice, word] : SerialInterfaceWords)
        if (static_cast<uint8_t>(choice) == Config.SerialInterface) return std::string(word);
    return Config.SerialInterface;
}

json AnalogueTypeText(uint8_t Type)
{
    if (Type == 0xFF) return nullptr;
    return Type < AnalogueTypeWords.size() ? json(AnalogueTypeWords[Type]) : json(Type);
}

json WordOver(const TWordMSBFirst& Field, unsigned Units)
{
    return Field.Value() == ErasedWord ? json() : json(Field.Value() / Units);
}
json WordOver(const TKVXConfig& Config, const TFieldInfo& Field, unsigned Units)
{
    return WordOver(*reinterpret_cast<const TWordMSBFirst*>(Config.Bytes() + Field.Offset), Units);
}

using TFieldDump = std::function<json(const TKVXConfig&)>;

// Fields whose meaning the pages give; a null dump marks a field shown with its partner.
const std::map<std::string_view, TFieldDump>& FieldDumps()
{
    static const std::map<std::string_view, TFieldDump> dumps = {
        {"SIM1ServiceCentreNumber", [](const TKVXConfig& c) { return PhoneText(ReadPhoneNumber(c.SIM1ServiceCentreNumber)); }},
        {"SIM2ServiceCentreNumber", [](const TKVXConfig& c) { return PhoneText(ReadPhoneNumber(c.SIM2ServiceCentreNumber)); }},
        {"AutoTestTimeHours", [](const TKVXConfig& c) { return BCDTime(c.AutoTestTimeHours); }},
        {"AutoTestTimeMinutes", [](const TKVXConfig& c) { return BCDTime(c.AutoTestTimeMinutes); }},
        {"DayOfWeek", [](const TKVXConfig& c) { return c.DayOfWeek == 0xFF ? json() : json(WeekDayWordsOf(c.DayOfWeek)); }},
        {"VerifySender", [](const TKVXConfig& c) { return Flag(c.VerifySender); }},
        {"SerialInterface", SerialText},
        {"DialTone", [](const TKVXConfig& c) { return Flag(c.DialTone); }},
        {"ACFailTimeout", [](const TKVXConfig& c) { return WordOver(c.ACFailTimeout, 1); }},
        {"ACRestoreTimeout", [](const TKVXConfig& c) { return WordOver(c.ACRestoreTimeout, 1); }},
        {"SIM2Enable", [](const TKVXConfig& c) { return Flag(c.SIM2Enable); }},
        {"PIN", [](const TKVXConfig& c) { return TextOf(c.PIN); }},
        {"LockArray", [](const TKVXConfig& c) { return json(Utf8Text(ReadText(c.LockArray))); }},
        {"ADType", [](const TKVXConfig& c) { return AnalogueTypeText(c.ADType); }},
        {"ADVLowThreshold", [](const TKVXConfig& c) { return Hundredths(c.ADVLowThreshold); }},
        {"ADVHighThreshold", [](const TKVXConfig& c) { return Hundredths(c.ADVHighThreshold); }},
        {"ADILowThreshold", [](const TKVXConfig& c) { return Hundredths(c.ADILowThreshold); }},
        {"ADIHighThreshold", [](const TKVXConfig& c) { return Hundredths(c.ADIHighThreshold); }},
        {"ADLowThresholdDelay", [](const TKVXConfig& c) { return WordOver(c.ADLowThresholdDelay, AnalogueDelayUnitsPerSecond); }},
        {"ADHighThresholdDelay", [](const TKVXConfig& c) { return WordOver(c.ADHighThresholdDelay, AnalogueDelayUnitsPerSecond); }},
        {"M2MReportingNumber1", [](const TKVXConfig& c) { return json(PhoneText(DecodeM2MNumber(c, 0))); }},
        {"M2MReportingNumber2", [](const TKVXConfig& c) { return json(PhoneText(DecodeM2MNumber(c, 1))); }},
        {"M2MReportingNumber3", [](const TKVXConfig& c) { return json(PhoneText(DecodeM2MNumber(c, 2))); }},
        {"M2MReportingNumber4", [](const TKVXConfig& c) { return json(PhoneText(DecodeM2MNumber(c, 3))); }},
        {"M2MID", [](const TKVXConfig& c) { return TextOf(c.M2MID); }},
        {"M2MTelemetries", M2MTelemetries},
        {"TimerEvents", Timers},
        {"TimerLabels", nullptr},
        {"CIDPartitionLabels", [](const TKVXConfig& c) { return CIDLabels(c, TCIDLabelKind::Partition); }},
        {"CIDZoneLabels", [](const TKVXConfig& c) { return CIDLabels(c, TCIDLabelKind::Zone); }},
        {"CIDUserLabels", [](const TKVXConfig& c) { return CIDLabels(c, TCIDLabelKind::User); }},
        {"MissedCallNumbers", MissedCalls},
        {"MissedCallAccessRules", nullptr},
        {"InputMessages", InputMessages},
        {"ReportingNumbers", Recipients},
        {"DistributeMessages", Distribution},
        {"ContactIDReporting", CIDReporting},
        {"RemoteReporting", nullptr},
        {"RemoteControl", RemoteCommands},
        {"ShortCuts", Shortcuts},
    };
    return dumps;
}

// A field no page gives a meaning to, by its kind.
json PlainField(const TKVXConfig& Config, const TFieldInfo& Field)
{
    const uint8_t* bytes = Config.Bytes() + Field.Offset;
    switch (Field.Kind) {
    case TFieldKind::Byte: return bytes[0];
    case TFieldKind::Word: return bytes[0] << 8 | bytes[1];
    case TFieldKind::Label: return TextOf(bytes, Field.Size);
    case TFieldKind::Bytes:
    case TFieldKind::DistributeMessages: break;
    }
    return Hex(bytes, Field.Size);
}

std::string ScalarText(const json& Value)
{
    if (Value.is_string()) return Value.get<std::string>();
    if (Value.is_boolean()) return Value.get<bool>() ? "yes" : "no";
    if (Value.is_null()) return "not set";
    return Value.dump();
}

void Flatten(const json& Value, const std::string& Name, std::vector<TDumpEntry>& Entries)
{
    if (Value.is_object() && !Value.empty()) {
        for (const auto& [key, item] : Value.items()) Flatten(item, Name.empty() ? key : Name + "." + key, Entries);
    } else if (Value.is_object()) {
        Entries.push_back({Name, "none"});
    } else if (Value.is_array()) {
        std::string joined;
        for (const json& item : Value) joined += (joined.empty() ? "" : " ") + ScalarText(item);
        Entries.push_back({Name, joined.empty() ? "none" : joined});
    } else {
        Entries.push_back({Name, ScalarText(Value)});
    }
}

bool IsPulseTime(std::string_view Name) { return Name.starts_with("Relay") && Name.ends_with("PulseTime"); }

// Every field in its readable form.
json FieldsOf(const TKVXConfig& Config)
{
    json dump = json::object();
    for (const TFieldInfo& field : ConfigFields()) {
        const std::string_view name = field.Name;
        const uint8_t* bytes = Config.Bytes() + field.Offset;
        if (IsReservedField(name)) {
            if (!AllErased(bytes, field.Size)) dump[field.Name] = Hex(bytes, field.Size);
            if (name == "NotAllocated") dump["HiddenSetting"] = Config.Bytes()[HiddenSettingOffset];
            continue;
        }
        if (IsInputDelayField(name) || IsPulseTime(name)) {
            dump[field.Name] = WordOver(Config, field, IsPulseTime(name) ? 1 : InputDelayUnitsPerSecond);
            continue;
        }
        const auto known = FieldDumps().find(name);
        if (known == FieldDumps().end()) dump[field.Name] = PlainField(Config, field);
        else if (known->second) dump[field.Name] = known->second(Config);
    }
    return dump;
}

// Leaves out every entry a build refuses: the problem's field, or its entry in a block.
bool LeaveOutRefused(json& Dump, const std::vector<TBuildProblem>& Problems)
{
    bool left = false;
    for (const TBuildProblem& problem : Problems) {
        const size_t dot = problem.Path.find('.');
        const auto field = Dump.find(problem.Path.substr(0, dot));
        if (field == Dump.end()) continue;
        const std::string rest = dot == std::string::npos ? std::string() : problem.Path.substr(dot + 1);
        const std::string entry = rest.substr(0, rest.find('.'));
        if (field->is_object() && field->contains(entry)) field->erase(entry);
        else Dump.erase(field);
        left = true;
    }
    return left;
}

} // namespace

// The readable forms, and under "RawBytes" whatever they do not say, so that a build from the
// dump gives back every byte (the password apart, which no file holds). A form the build would
// refuse (a text with a character the pages cannot type, a time past midnight) is left out and
// its bytes go with the rest.
json DumpConfigJson(const TKVXConfig& Config)
{
    json dump = FieldsOf(Config);
    TKVXConfig built = DesignConfig();
    while (true) {
        const std::vector<TBuildProblem> problems = BuildFromJson(dump, built);
        if (problems.empty()) break;
        if (!LeaveOutRefused(dump, problems)) dump = json::object();
    }
    json raw = json::object();
    for (const TByteSpan& span : DifferingSpans(built, Config)) {
        if (HoldsPassword(span)) continue;
        const uint8_t* bytes = Config.Bytes() + span.Offset;
        raw[span.Name] = AllErased(bytes, span.Size) ? json() : json(Hex(bytes, span.Size));
    }
    if (!raw.empty()) dump[RawBytesKey] = raw;
    return dump;
}

std::vector<TDumpEntry> DumpConfigEntries(const TKVXConfig& Config)
{
    std::vector<TDumpEntry> entries;
    Flatten(DumpConfigJson(Config), "", entries);
    return entries;
}

} // namespace kvx
