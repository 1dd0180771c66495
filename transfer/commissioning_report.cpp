#include "transfer/commissioning_report.h"

#include <algorithm>

#include "config/config_words.h"
#include "config/general_setup.h"
#include "config/page_captions.h"
#include "config/page_names.h"
#include "config/value_words.h"

namespace kvx {

namespace {

using TKind = TReportPart::TKind;

constexpr const char* ReportHeading = "KVX commissioning report";
constexpr const char* NoneListed = "None.";
constexpr const char* LeftOutNote = "Entries that hold nothing or go to no recipient are left out.";
constexpr const char* NoUnitNote = "No dongle was connected: the unit's identity and signal are not in this report.";
constexpr const char* NotReported = "not reported";

TReportPart Facts(std::vector<TReportRow> Rows) { return {TKind::Facts, {}, {}, std::move(Rows)}; }
TReportPart Note(std::string Text) { return {TKind::Note, std::move(Text), {}, {}}; }

// A page list shown as a table of its defined entries. Its rows are the page's fields whose
// bytes lie in Blocks (none: the page's list locations), a row for each row caption
// ("Recipient 4", "Input 1 high, Delay (sec)", "Timer 05 Yard lights, Relay"), a column
// for each column caption after it.
struct TListTable {
    int PageNo;
    std::string RowPrefix;     // taken off the row caption; the first column's heading without its space
    std::string ValueHeading;  // the column of fields without a column caption
    size_t KeyColumns;         // a row is listed when one of its first KeyColumns holds something
    std::vector<TByteRange> Blocks;
};

bool Within(TByteRange Field, const std::vector<TByteRange>& Blocks)
{
    return std::any_of(Blocks.begin(), Blocks.end(), [Field](TByteRange b) {
        return Field.Offset >= b.Offset && Field.Offset + Field.Size <= b.Offset + b.Size;
    });
}

template <typename TField>
TByteRange BlockOf(const TKVXConfig& Config, const TField& Field, size_t Size = sizeof(TField))
{
    return {static_cast<uint16_t>(reinterpret_cast<const uint8_t*>(&Field) - Config.Bytes()), static_cast<uint16_t>(Size)};
}

std::vector<TListTable> ListTables(const TKVXConfig& C)
{
    const TByteRange delays = BlockOf(C, C.Input1HighDelay,
                                      static_cast<size_t>(reinterpret_cast<const uint8_t*>(&C.Input7LowDelay) + sizeof C.Input7LowDelay -
                                                          reinterpret_cast<const uint8_t*>(&C.Input1HighDelay)));
    return {
        {MessageRecipientsPageNo, "Recipient ", "Number", 1, {BlockOf(C, C.ReportingNumbers)}},
        {InputMessagesPageNo, "Input ", "Message", 1, {BlockOf(C, C.InputMessages), delays}},
        {ShortcutsPageNo, "Shortcut ", "", 2, {BlockOf(C, C.ShortCuts)}},
        {MissedCallPageNo, "Missed call ", "", 0, {}},
        {TimersPageNo, "Timer ", "", 0, {}},
        {ITTTPageNo, std::string(RemoteCommandCaption) + " ", "", 2, {BlockOf(C, C.RemoteControl), BlockOf(C, C.RemoteReporting)}},
    };
}

// Builds a list column by column as the fields arrive.
class TListBuilder {
public:
    explicit TListBuilder(const std::string& RowPrefix) : FList{TKind::List, {}, {RowPrefix.substr(0, RowPrefix.size() - 1)}, {}} {}

    void Cell(const std::string& Row, const std::string& Column, const std::string& Value)
    {
        std::vector<TReportRow>& rows = FList.Rows;
        if (rows.empty() || rows.back().front() != Row) rows.push_back({Row});
        TReportRow& columns = FList.Columns;
        const auto at = std::find(columns.begin(), columns.end(), Column);
        const size_t column = static_cast<size_t>(at - columns.begin());
        if (at == columns.end()) columns.push_back(Column);
        TReportRow& row = rows.back();
        if (row.size() <= column) row.resize(column + 1);
        row[column] = Value;
    }
    void DropLastRow() { FList.Rows.pop_back(); }
    const TReportRow& LastRow() const { return FList.Rows.back(); }
    bool Empty() const { return FList.Rows.empty(); }
    // The list, every row as wide as the columns; a note when nothing is listed.
    TReportPart Part()
    {
        if (Empty()) return Note(NoneListed);
        for (TReportRow& row : FList.Rows) row.resize(FList.Columns.size());
        return FList;
    }

private:
    TReportPart FList;
};

// "Timer 05 Yard lights, Relay": the part after the row and its comma; empty for none.
std::string ColumnPart(const std::string& Caption, const std::string& Row)
{
    return Caption.size() > Row.size() + 2 ? Caption.substr(Row.size() + 2) : std::string();
}

TReportPart LocationsList(const TConfigWords& Words, const TListTable& Table)
{
    TListBuilder list(Table.RowPrefix);
    for (const TWordedLocation& location : Words.Locations) {
        if (!location.Defined || Words.Fields[location.FirstField].PageNo != Table.PageNo) continue;
        // "Timer 05 Yard lights" is row "05": the label has a column of its own.
        const std::string rest = location.Caption.substr(Table.RowPrefix.size());
        const std::string row = rest.substr(0, rest.find(' '));
        for (size_t i = location.FirstField; i < location.FirstField + location.FieldCount; ++i)
            list.Cell(row, ColumnPart(Words.Fields[i].Caption, location.Caption), Words.Fields[i].Value);
    }
    return list.Part();
}

bool HoldsSomething(const std::string& Value) { return Value != EmptyWord; }

TReportPart FieldsList(const std::vector<const TWordedField*>& Fields, const TListTable& Table)
{
    TListBuilder list(Table.RowPrefix);
    const auto rowDefined = [&] {
        const TReportRow& row = list.LastRow();
        return std::any_of(row.begin() + 1, row.begin() + static_cast<std::ptrdiff_t>(std::min(row.size(), Table.KeyColumns + 1)), HoldsSomething);
    };
    std::string current;
    for (const TWordedField* field : Fields) {
        const std::string row = field->Caption.substr(0, field->Caption.find(", "));
        if (row != current && !list.Empty() && !rowDefined()) list.DropLastRow();
        current = row;
        const std::string column = ColumnPart(field->Caption, row);
        list.Cell(row.substr(std::min(row.size(), Table.RowPrefix.size())), column.empty() ? Table.ValueHeading : column, field->Value);
    }
    if (!list.Empty() && !rowDefined()) list.DropLastRow();
    return list.Part();
}

// A field as the report shows it; none when it is left out: a list entry or an event that
// holds nothing.
std::optional<std::string> ReportedValue(const TWordedField& Field)
{
    if (!Field.Control.List.empty() && Field.Value == EmptyWord) return std::nullopt;
    if ((Field.PageNo == DistributionPageNo || Field.PageNo == ContactIDPageNo) && Field.Value == NoneWord) return std::nullopt;
    if (Field.Caption == CommandPINCaption && Field.Value != EmptyWord) return "set";
    return Field.Value;
}

void AddPage(std::vector<TReportPart>& Parts, const TConfigWords& Words, int PageNo, const std::vector<TListTable>& Tables)
{
    const auto table = std::find_if(Tables.begin(), Tables.end(), [PageNo](const TListTable& t) { return t.PageNo == PageNo; });
    std::vector<TReportRow> facts;
    std::vector<const TWordedField*> listed;
    bool leftOut = false;
    for (const TWordedField& field : Words.Fields) {
        if (field.PageNo != PageNo || field.Location >= 0) continue;
        if (table != Tables.end() && Within(field.Bytes, table->Blocks)) {
            listed.push_back(&field);
            continue;
        }
        const auto value = ReportedValue(field);
        if (value) facts.push_back({field.Caption, *value});
        leftOut = leftOut || !value;
    }
    Parts.push_back({TKind::Page, SetupPageCaption(PageNo), {}, {}});
    if (!facts.empty()) Parts.push_back(Facts(std::move(facts)));
    if (leftOut) Parts.push_back(Note(LeftOutNote));
    if (table != Tables.end()) Parts.push_back(table->Blocks.empty() ? LocationsList(Words, *table) : FieldsList(listed, *table));
}

void AddUnit(std::vector<TReportPart>& Parts, const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit)
{
    Parts.push_back({TKind::Section, "Unit", {}, {}});
    std::vector<TReportRow> facts{{UnitReportingNameCaption, QuotedOrEmpty(DecodeUnitID(Config))}};
    if (!Unit) {
        Parts.push_back(Facts(std::move(facts)));
        Parts.push_back(Note(NoUnitNote));
        return;
    }
    const auto text = [](const std::optional<std::u16string>& Value) { return Value ? Utf8Text(*Value) : std::string(NotReported); };
    facts.push_back({"IMEI", text(Unit->IMEI)});
    facts.push_back({"IMSI", text(Unit->IMSI)});
    facts.push_back({"Operator", Unit->Operator ? Utf8Text(OperatorCaption(*Unit->Operator)) : NotReported});
    if (const auto& state = Unit->Unit) {
        facts.push_back({"Firmware", std::to_string(state->FirmwareMajor) + "." + std::to_string(state->FirmwareMinor)});
        facts.push_back({"Signal", SignalText(state->SignalLevel)});
        facts.push_back({"GSM state", StateName(state->State)});
        facts.push_back({"Active SIM", state->SIM2Active ? "SIM 2" : "SIM 1"});
        facts.push_back({"Supply", Utf8Text(SupplyText(state->SupplyDeciVolts, u'.'))});
    }
    Parts.push_back(Facts(std::move(facts)));
}

} // namespace

TReportDocument CommissioningReport(const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit,
                                    const TReportDetails& Details, std::span<const TCIDEvent> CIDEvents)
{
    const std::u16string name = DecodeUnitID(Config);
    TReportDocument report{std::string(ReportHeading) + (name.empty() ? "" : " - " + Utf8Text(name)), ReportHeading,
                           name.empty() ? "Unit without a reporting name" : Utf8Text(name), {}};
    std::vector<TReportPart>& parts = report.Parts;

    std::vector<TReportRow> made{{"Date", DateTimeText(Details.Made)}, {"Program version", Details.ProgramVersion}, {"Settings", Details.Source}};
    if (!Details.Installer.empty()) made.push_back({"Installer", Details.Installer});
    if (!Details.Site.empty()) made.push_back({"Site", Details.Site});
    parts.push_back(Facts(std::move(made)));
    if (!Details.Notes.empty()) {
        parts.push_back({TKind::Section, "Notes", {}, {}});
        parts.push_back({TKind::Paragraph, Details.Notes, {}, {}});
    }
    AddUnit(parts, Config, Unit);

    parts.push_back({TKind::Section, "Settings", {}, {}});
    const TConfigWords words = DescribeConfig(Config, CIDEvents);
    const std::vector<TListTable> tables = ListTables(Config);
    for (int page = 1; page <= SetupPageCount; ++page) AddPage(parts, words, page, tables);
    return report;
}

} // namespace kvx
