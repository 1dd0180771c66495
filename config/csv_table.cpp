#include "config/csv_table.h"

#include <algorithm>

namespace kvx {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The first row's separator: the more frequent of ',' and ';' outside quotes.
char SniffSeparator(std::string_view Text)
{
    size_t commas = 0;
    size_t semicolons = 0;
    bool quoted = false;
    for (const char c : Text) {
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r')) break;
        else if (!quoted && c == ',') ++commas;
        else if (!quoted && c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

bool IsBlankRow(const TCsvRow& Row)
{
    return Row.Fields.size() == 1 && Row.Fields.front().empty();
}

} // namespace

TCsvTable ReadCsv(std::string_view Text)
{
    if (Text.starts_with(ByteOrderMark)) Text.remove_prefix(ByteOrderMark.size());
    TCsvTable table;
    table.Separator = SniffSeparator(Text);
    size_t line = 1;
    size_t at = 0;
    while (at < Text.size()) {
        TCsvRow row;
        row.Line = line;
        row.Fields.emplace_back();
        bool quoted = false;
        size_t quoteLine = line;
        bool endOfRow = false;
        while (at < Text.size() && !endOfRow) {
            const char c = Text[at++];
            std::string& field = row.Fields.back();
            if (quoted) {
                if (c == '"' && at < Text.size() && Text[at] == '"') {
                    field += '"';
                    ++at;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n' || (c == '\r' && (at == Text.size() || Text[at] != '\n'))) ++line;
                    field += c;
                }
            } else if (c == '"') {
                quoted = true;
                quoteLine = line;
            } else if (c == table.Separator) {
                row.Fields.emplace_back();
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && at < Text.size() && Text[at] == '\n') ++at;
                ++line;
                endOfRow = true;
            } else {
                field += c;
            }
        }
        // A file cut short, or a stray quote: the rest of the file would be one field.
        if (quoted) {
            table.Problem = "Line " + std::to_string(quoteLine) + " opens a quoted field that is never closed.";
            table.Rows.clear();
            return table;
        }
        if (!IsBlankRow(row)) table.Rows.push_back(std::move(row));
    }
    return table;
}

std::string CsvLine(const std::vector<std::string>& Fields, char Separator)
{
    std::string line;
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (i) line += Separator;
        const std::string& field = Fields[i];
        const bool quote = std::any_of(field.begin(), field.end(),
                                       [Separator](char c) { return c == Separator || c == '"' || c == '\r' || c == '\n'; });
        if (!quote) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

} // namespace kvx
