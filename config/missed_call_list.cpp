#include "config/missed_call_list.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <tuple>

#include "config/phone_number.h"
#include "config/value_words.h"
#include "config/week_days.h"
#include "image/utils.h"

namespace kvx {

namespace {

enum TColumn : size_t { Location, Number, Relay, Action, Confirmation, Count, WindowStart, WindowStop, Days };
const std::vector<std::string_view> ColumnNames = {"location", "number",     "relay",       "action", "confirmation",
                                                   "count",    "window_start", "window_stop", "days"};

constexpr unsigned RelayCount = 8;
constexpr uint8_t ActionMask = 0x7F;

std::optional<unsigned> WholeCell(const std::string& Cell, unsigned Min, unsigned Max)
{
    if (Cell.empty() || Cell.size() > 3 || Cell.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const unsigned value = static_cast<unsigned>(std::stoul(Cell));
    return value >= Min && value <= Max ? std::optional<unsigned>(value) : std::nullopt;
}

std::optional<bool> YesOrNo(std::string Cell)
{
    for (char& c : Cell) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (Cell.empty() || Cell == "no" || Cell == "n" || Cell == "false" || Cell == "0") return false;
    if (Cell == "yes" || Cell == "y" || Cell == "true" || Cell == "1") return true;
    return std::nullopt;
}

// "08:00", and "08:00:00" as spreadsheets write a time.
std::optional<std::pair<uint8_t, uint8_t>> WindowTime(std::string_view Cell)
{
    if (Cell.size() > 5 && Cell.ends_with(":00")) Cell.remove_suffix(3);
    return TimeOfDayOfText(Cell);
}

std::optional<uint8_t> DaysMask(const std::string& Cell)
{
    uint8_t mask = 0;
    size_t from = 0;
    while (from < Cell.size()) {
        const size_t end = std::min(Cell.find_first_of(" ,;/+", from), Cell.size());
        if (end > from) {
            const auto bit = WeekDayBitOfWord(std::string_view(Cell).substr(from, end - from));
            if (!bit) return std::nullopt;
            mask |= *bit;
        }
        from = end + 1;
    }
    return mask;
}

// One row as the location it asks for; empty, with Reason, when a cell is wrong.
std::optional<TMissedCallLocation> RowLocation(const TCsvRow& Row, const TColumns& Columns, std::string_view DefaultCountryCode,
                                               std::optional<size_t>& Slot, std::string& Reason)
{
    const auto cell = [&](TColumn Column) { return Cell(Row, Columns.Index[Column]); };
    const auto refuse = [&Reason](std::string Why) {
        Reason = std::move(Why);
        return std::nullopt;
    };
    TMissedCallLocation location;
    location.WeekDays = EveryWeekDay;
    if (const std::string text = cell(Location); !text.empty()) {
        const auto n = WholeCell(text, 1, static_cast<unsigned>(MissedCallCount));
        if (!n) return refuse("location " + Quoted(text) + " is not 1 to " + std::to_string(MissedCallCount));
        Slot = *n - 1;
    }
    const auto number = NormalisedNumber(cell(Number), DefaultCountryCode, Reason);
    if (!number) return std::nullopt;
    location.Number = *number;
    if (const std::string text = cell(Relay); !text.empty()) {
        const auto relay = WholeCell(text, 1, RelayCount);
        if (!relay) return refuse("relay " + Quoted(text) + " is not 1 to 8");
        location.Relay = static_cast<uint8_t>(*relay - 1);
    }
    if (const std::string text = cell(Action); !text.empty()) {
        const auto action = ActionOfWord(text);
        if (!action) return refuse("action " + Quoted(text) + " is not On, Off, Pulse or Toggle");
        location.Action = *action;
    }
    const auto confirmation = YesOrNo(cell(Confirmation));
    if (!confirmation) return refuse("confirmation " + Quoted(cell(Confirmation)) + " is not yes or no");
    if (*confirmation) location.Action |= ConfirmationBit;
    if (const std::string text = cell(Count); !text.empty()) {
        const auto count = WholeCell(text, 0, 255);
        if (!count) return refuse("count " + Quoted(text) + " is not 0 to 255");
        location.Count = static_cast<uint8_t>(*count);
    }
    const std::string start = cell(WindowStart);
    const std::string stop = cell(WindowStop);
    const std::string days = cell(Days);
    if (start.empty() != stop.empty()) return refuse("window_start and window_stop go together");
    if (start.empty()) {
        if (!days.empty()) return refuse("days need window_start and window_stop");
        return location;
    }
    const auto from = WindowTime(start);
    const auto to = WindowTime(stop);
    if (!from) return refuse("window_start " + Quoted(start) + " is not a time of day (HH:MM)");
    if (!to) return refuse("window_stop " + Quoted(stop) + " is not a time of day (HH:MM)");
    location.TimeWindow = true;
    std::tie(location.StartHour, location.StartMinute) = *from;
    std::tie(location.StopHour, location.StopMinute) = *to;
    if (!days.empty()) {
        const auto mask = DaysMask(days);
        if (!mask || *mask == 0) return refuse("days " + Quoted(days) + " are not week days (Mon Tue ... Sun)");
        location.WeekDays = *mask;
    }
    return location;
}

// The same bytes in the image: without a window its times and days are not stored.
bool SameStored(const TMissedCallLocation& A, const TMissedCallLocation& B)
{
    const auto stored = [](const TMissedCallLocation& l) {
        return std::tuple(l.Number, l.Relay, l.Action, l.Count, l.TimeWindow, l.TimeWindow ? l.StartHour : 0,
                          l.TimeWindow ? l.StartMinute : 0, l.TimeWindow ? l.StopHour : 0, l.TimeWindow ? l.StopMinute : 0,
                          l.TimeWindow ? l.WeekDays : 0);
    };
    return stored(A) == stored(B);
}

// An updated location keeps what it held for the columns the file leaves out.
TMissedCallLocation Merged(const TMissedCallLocation& Held, TMissedCallLocation Row, const TColumns& Columns)
{
    const auto absent = [&Columns](TColumn Column) { return !Columns.Index[Column]; };
    if (absent(Relay)) Row.Relay = Held.Relay;
    if (absent(Action)) Row.Action = static_cast<uint8_t>((Row.Action & ConfirmationBit) | (Held.Action & ActionMask));
    if (absent(Confirmation)) Row.Action = static_cast<uint8_t>((Row.Action & ActionMask) | (Held.Action & ConfirmationBit));
    if (absent(Count)) Row.Count = Held.Count;
    if (absent(WindowStart) && absent(WindowStop) && absent(Days)) {
        Row.TimeWindow = Held.TimeWindow;
        Row.StartHour = Held.StartHour;
        Row.StartMinute = Held.StartMinute;
        Row.StopHour = Held.StopHour;
        Row.StopMinute = Held.StopMinute;
        Row.WeekDays = Held.WeekDays;
    }
    return Row;
}

std::string DaysText(uint8_t Mask)
{
    std::string text;
    for (const std::string& day : WeekDayWordsOf(Mask)) text += (text.empty() ? "" : " ") + day;
    return text;
}

} // namespace

TMissedCallImport ImportMissedCalls(std::string_view Csv, const TMissedCallRecords& Records, std::string_view DefaultCountryCode)
{
    TMissedCallImport result{{}, Records};
    const TCsvTable table = ReadCsv(Csv);
    if (table.Rows.empty()) {
        result.Report.Problem = table.Problem.empty() ? "The file holds no rows." : table.Problem;
        return result;
    }
    const TColumns columns = ReadHeader(table.Rows.front(), ColumnNames, "number");
    if (!columns.Problem.empty()) {
        result.Report.Problem = columns.Problem;
        return result;
    }
    std::vector<TSlotRequest> requests;
    std::vector<TMissedCallLocation> wanted;
    for (size_t r = 1; r < table.Rows.size(); ++r) {
        const TCsvRow& row = table.Rows[r];
        if (std::all_of(row.Fields.begin(), row.Fields.end(), [](const std::string& f) { return f.find_first_not_of(" \t") == std::string::npos; }))
            continue;  // a row a spreadsheet left with separators only
        std::optional<size_t> slot;
        std::string reason;
        const auto location = RowLocation(row, columns, DefaultCountryCode, slot, reason);
        if (!location) {
            result.Report.Lines.push_back({row.Line, TImportOutcome::Skipped, 0, {}, reason});
            continue;
        }
        requests.push_back({row.Line, slot, location->Number});
        wanted.push_back(*location);
    }
    std::vector<std::u16string> numbers;
    for (const TMissedCallLocation& l : Records) numbers.push_back(l.IsDefined() ? l.Number : std::u16string());
    const std::vector<TSlotPlacement> placements = PlaceInSlots(numbers, requests, "location");
    for (size_t i = 0; i < requests.size(); ++i) {
        const TSlotPlacement& p = placements[i];
        if (!p.Placed) {
            result.Report.Lines.push_back({requests[i].Line, TImportOutcome::Skipped, 0, {}, p.Reason});
            continue;
        }
        TMissedCallLocation& record = result.Records[p.Slot];
        const TMissedCallLocation location = p.WasFree ? wanted[i] : Merged(record, wanted[i], columns);
        const TImportOutcome outcome = p.WasFree                       ? TImportOutcome::Added
                                       : SameStored(record, location) ? TImportOutcome::Unchanged
                                                                       : TImportOutcome::Updated;
        if (outcome != TImportOutcome::Unchanged) record = location;
        result.Report.Lines.push_back({requests[i].Line, outcome, p.Slot + 1, "+" + TUtils::ToLatin1(wanted[i].Number), {}});
    }
    std::stable_sort(result.Report.Lines.begin(), result.Report.Lines.end(),
                     [](const TImportLine& a, const TImportLine& b) { return a.Line < b.Line; });
    return result;
}

std::string ExportMissedCalls(const TMissedCallRecords& Records)
{
    std::string text = CsvLine({ColumnNames.begin(), ColumnNames.end()});
    for (size_t i = 0; i < Records.size(); ++i) {
        const TMissedCallLocation& l = Records[i];
        if (!l.IsDefined()) continue;
        text += CsvLine({std::to_string(i + 1), "+" + TUtils::ToLatin1(l.Number), std::to_string(l.Relay + 1), ActionText(l.Action),
                         (l.Action & ConfirmationBit) ? "yes" : "no", std::to_string(l.Count),
                         l.TimeWindow ? TimeOfDayText(l.StartHour, l.StartMinute) : "",
                         l.TimeWindow ? TimeOfDayText(l.StopHour, l.StopMinute) : "", l.TimeWindow ? DaysText(l.WeekDays) : ""});
    }
    return text;
}

TMissedCallRecords DecodeMissedCalls(const TKVXConfig& Config)
{
    TMissedCallRecords records;
    for (size_t i = 0; i < MissedCallCount; ++i) records[i] = DecodeMissedCall(Config, i);
    return records;
}

void EncodeImportedMissedCalls(TKVXConfig& Config, const TMissedCallImport& Import)
{
    for (const TImportLine& line : Import.Report.Lines) {
        if (line.Outcome != TImportOutcome::Added && line.Outcome != TImportOutcome::Updated) continue;
        const size_t i = line.Slot - 1;
        EraseMissedCall(Config, i);
        EncodeMissedCall(Config, i, Import.Records[i]);
    }
}

} // namespace kvx
