#include "transfer/commissioning_report.h"

#include <algorithm>
#include <vector>

#include "config/config_words.h"
#include "config/general_setup.h"
#include "config/page_captions.h"
#include "config/page_names.h"
#include "config/value_words.h"

namespace kvx {

namespace {

constexpr const char* ReportHeading = "KVX commissioning report";

// Kept plain so that Qt's rich text (the PDF) draws it as a browser does.
constexpr const char* Style =
    "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 9pt; color: #1e1e1e; }\n"
    "h1 { font-size: 17pt; margin-bottom: 2pt; }\n"
    "h2 { font-size: 13pt; margin-top: 16pt; margin-bottom: 4pt; color: #005a87; }\n"
    "h3 { font-size: 10.5pt; margin-top: 12pt; margin-bottom: 3pt; }\n"
    "p.unit { font-size: 13pt; margin-top: 0; }\n"
    "p.note { color: #555555; font-style: italic; }\n"
    "table { border-collapse: collapse; margin-bottom: 4pt; }\n"
    "th, td { border: 1px solid #b4b4b4; padding: 3px; text-align: left; vertical-align: top; }\n"
    "th { background-color: #e8edf1; font-weight: bold; }\n"
    ".entry { white-space: nowrap; }\n";

std::string Escaped(std::string_view Text)
{
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br>"; break;
        case '\r': break;
        default: out += c;
        }
    }
    return out;
}

using TRow = std::vector<std::string>;

// Caption and value pairs: the caption column as headings.
std::string FactsTable(const std::vector<std::pair<std::string, std::string>>& Facts)
{
    std::string html = "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\">\n";
    for (const auto& [caption, value] : Facts)
        html += "<tr><th width=\"36%\">" + Escaped(caption) + "</th><td>" + Escaped(value) + "</td></tr>\n";
    return html + "</table>\n";
}

// A column heading on at most two lines, broken at the space that keeps the longer short:
// narrow columns then never break a word.
std::string HeadingLines(const std::string& Heading)
{
    size_t best = std::string::npos;
    size_t longest = Heading.size();
    for (size_t at = Heading.find(' '); at != std::string::npos; at = Heading.find(' ', at + 1)) {
        const size_t longer = std::max(at, Heading.size() - at - 1);
        if (longer < longest) {
            longest = longer;
            best = at;
        }
    }
    if (best == std::string::npos) return Escaped(Heading);
    return Escaped(Heading.substr(0, best)) + "<br>" + Escaped(Heading.substr(best + 1));
}

std::string ListTable(const TRow& Headings, const std::vector<TRow>& Rows)
{
    std::string html = "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\">\n<thead><tr>";
    for (const std::string& heading : Headings) html += "<th class=\"entry\">" + HeadingLines(heading) + "</th>";
    html += "</tr></thead>\n";
    for (const TRow& row : Rows) {
        html += "<tr>";
        // A telephone number or a time broken over two lines reads wrong; words may wrap.
        for (size_t i = 0; i < Headings.size(); ++i) {
            const std::string value = i < row.size() ? row[i] : "";
            html += (value.find(' ') == std::string::npos ? "<td class=\"entry\">" : "<td>") + Escaped(value) + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

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

// Builds a table column by column as the fields arrive.
class TTableBuilder {
public:
    explicit TTableBuilder(std::string FirstHeading) : FHeadings{std::move(FirstHeading)} {}

    void Cell(const std::string& Row, const std::string& Column, const std::string& Value)
    {
        if (FRows.empty() || FRows.back().front() != Row) FRows.push_back({Row});
        const auto at = std::find(FHeadings.begin(), FHeadings.end(), Column);
        const size_t column = static_cast<size_t>(at - FHeadings.begin());
        if (at == FHeadings.end()) FHeadings.push_back(Column);
        TRow& row = FRows.back();
        if (row.size() <= column) row.resize(column + 1);
        row[column] = Value;
    }
    void DropLastRow() { FRows.pop_back(); }
    const TRow& LastRow() const { return FRows.back(); }
    bool Empty() const { return FRows.empty(); }
    std::string Html() const { return ListTable(FHeadings, FRows); }

private:
    TRow FHeadings;
    std::vector<TRow> FRows;
};

// "Timer 05 Yard lights, Relay": the part after the row and its comma; empty for none.
std::string ColumnPart(const std::string& Caption, const std::string& Row)
{
    return Caption.size() > Row.size() + 2 ? Caption.substr(Row.size() + 2) : std::string();
}

std::string LocationsTable(const TConfigWords& Words, const TListTable& Table)
{
    TTableBuilder table(Table.RowPrefix.substr(0, Table.RowPrefix.size() - 1));
    for (const TWordedLocation& location : Words.Locations) {
        if (!location.Defined || Words.Fields[location.FirstField].PageNo != Table.PageNo) continue;
        // "Timer 05 Yard lights" is row "05": the label has a column of its own.
        const std::string rest = location.Caption.substr(Table.RowPrefix.size());
        const std::string row = rest.substr(0, rest.find(' '));
        for (size_t i = location.FirstField; i < location.FirstField + location.FieldCount; ++i)
            table.Cell(row, ColumnPart(Words.Fields[i].Caption, location.Caption), Words.Fields[i].Value);
    }
    return table.Empty() ? "<p class=\"note\">None.</p>\n" : table.Html();
}

bool HoldsSomething(const std::string& Value) { return Value != EmptyWord; }

std::string FieldsTable(const std::vector<const TWordedField*>& Fields, const TListTable& Table)
{
    TTableBuilder table(Table.RowPrefix.substr(0, Table.RowPrefix.size() - 1));
    const auto rowDefined = [&] {
        const TRow& row = table.LastRow();
        return std::any_of(row.begin() + 1, row.begin() + static_cast<std::ptrdiff_t>(std::min(row.size(), Table.KeyColumns + 1)), HoldsSomething);
    };
    std::string current;
    for (const TWordedField* field : Fields) {
        const std::string row = field->Caption.substr(0, field->Caption.find(", "));
        if (row != current && !table.Empty() && !rowDefined()) table.DropLastRow();
        current = row;
        const std::string column = ColumnPart(field->Caption, row);
        table.Cell(row.substr(std::min(row.size(), Table.RowPrefix.size())), column.empty() ? Table.ValueHeading : column, field->Value);
    }
    if (!table.Empty() && !rowDefined()) table.DropLastRow();
    return table.Empty() ? "<p class=\"note\">None.</p>\n" : table.Html();
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

std::string PageSection(const TConfigWords& Words, int PageNo, const std::vector<TListTable>& Tables)
{
    const auto table = std::find_if(Tables.begin(), Tables.end(), [PageNo](const TListTable& t) { return t.PageNo == PageNo; });
    std::vector<std::pair<std::string, std::string>> facts;
    std::vector<const TWordedField*> listed;
    bool leftOut = false;
    for (const TWordedField& field : Words.Fields) {
        if (field.PageNo != PageNo || field.Location >= 0) continue;
        if (table != Tables.end() && Within(field.Bytes, table->Blocks)) {
            listed.push_back(&field);
            continue;
        }
        const auto value = ReportedValue(field);
        if (value) facts.emplace_back(field.Caption, *value);
        leftOut = leftOut || !value;
    }
    std::string html = "<h3>" + Escaped(SetupPageCaption(PageNo)) + "</h3>\n";
    if (!facts.empty()) html += FactsTable(facts);
    if (leftOut) html += "<p class=\"note\">Entries that hold nothing or go to no recipient are left out.</p>\n";
    if (table != Tables.end()) html += table->Blocks.empty() ? LocationsTable(Words, *table) : FieldsTable(listed, *table);
    return html;
}

std::string UnitSection(const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit)
{
    std::vector<std::pair<std::string, std::string>> facts{{UnitReportingNameCaption, QuotedOrEmpty(DecodeUnitID(Config))}};
    if (!Unit) return FactsTable(facts) + "<p class=\"note\">No dongle was connected: the unit's identity and signal are not in this report.</p>\n";
    const auto text = [](const std::optional<std::u16string>& Value) { return Value ? Utf8Text(*Value) : std::string("not reported"); };
    facts.emplace_back("IMEI", text(Unit->IMEI));
    facts.emplace_back("IMSI", text(Unit->IMSI));
    if (Unit->Unit) facts.emplace_back("Firmware", std::to_string(Unit->Unit->FirmwareMajor) + "." + std::to_string(Unit->Unit->FirmwareMinor));
    facts.emplace_back("Operator", Unit->Operator ? Utf8Text(OperatorCaption(*Unit->Operator)) : "not reported");
    if (Unit->Unit) {
        facts.emplace_back("Signal", SignalText(Unit->Unit->SignalLevel));
        facts.emplace_back("GSM state", StateName(Unit->Unit->State));
        facts.emplace_back("Active SIM", Unit->Unit->SIM2Active ? "SIM 2" : "SIM 1");
        facts.emplace_back("Supply", Utf8Text(SupplyText(Unit->Unit->SupplyDeciVolts, u'.')));
    }
    return FactsTable(facts);
}

} // namespace

std::string CommissioningReportTitle(const TKVXConfig& Config)
{
    const std::u16string name = DecodeUnitID(Config);
    return std::string(ReportHeading) + (name.empty() ? "" : " - " + Utf8Text(name));
}

std::string CommissioningReportHtml(const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit,
                                    const TReportDetails& Details, std::span<const TCIDEvent> CIDEvents)
{
    const TConfigWords words = DescribeConfig(Config, CIDEvents);
    const std::u16string name = DecodeUnitID(Config);
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + Escaped(CommissioningReportTitle(Config)) +
                       "</title>\n<style>\n" + Style + "</style></head>\n<body>\n<h1>" + ReportHeading + "</h1>\n";
    html += "<p class=\"unit\">" + Escaped(name.empty() ? "Unit without a reporting name" : Utf8Text(name)) + "</p>\n";

    std::vector<std::pair<std::string, std::string>> report{{"Date", DateTimeText(Details.Made)},
                                                            {"Program version", Details.ProgramVersion},
                                                            {"Settings", Details.Source}};
    if (!Details.Installer.empty()) report.emplace_back("Installer", Details.Installer);
    if (!Details.Site.empty()) report.emplace_back("Site", Details.Site);
    html += FactsTable(report);
    if (!Details.Notes.empty()) html += "<h2>Notes</h2>\n<p>" + Escaped(Details.Notes) + "</p>\n";

    html += "<h2>Unit</h2>\n" + UnitSection(Config, Unit);
    html += "<h2>Settings</h2>\n";
    const std::vector<TListTable> tables = ListTables(Config);
    for (int page = 1; page <= SetupPageCount; ++page) html += PageSection(words, page, tables);
    return html + "</body></html>\n";
}

} // namespace kvx
