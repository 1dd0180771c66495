#include "transfer/report_html.h"

#include <algorithm>

namespace kvx {

namespace {

using TKind = TReportPart::TKind;

constexpr const char* Style =
    "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 9pt; color: #1e1e1e; max-width: 60em; }\n"
    "h1 { font-size: 17pt; margin-bottom: 2pt; }\n"
    "h2 { font-size: 13pt; margin-top: 16pt; margin-bottom: 4pt; color: #005a87; }\n"
    "h3 { font-size: 10.5pt; margin-top: 12pt; margin-bottom: 3pt; }\n"
    "p.unit { font-size: 13pt; margin-top: 0; }\n"
    "p.note { color: #555555; font-style: italic; }\n"
    "table { border-collapse: collapse; margin-bottom: 4pt; width: 100%; }\n"
    "th, td { border: 1px solid #b4b4b4; padding: 3px; text-align: left; vertical-align: top; }\n"
    "th { background-color: #e8edf1; font-weight: bold; }\n"
    "th.caption { width: 36%; }\n"
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
        case '\n': out += "<br>"; break;
        case '\r': break;
        default: out += c;
        }
    }
    return out;
}

std::string FactsHtml(const std::vector<TReportRow>& Rows)
{
    std::string html = "<table>\n";
    for (const TReportRow& row : Rows) html += "<tr><th class=\"caption\">" + Escaped(row.at(0)) + "</th><td>" + Escaped(row.at(1)) + "</td></tr>\n";
    return html + "</table>\n";
}

std::string ListHtml(const TReportPart& List)
{
    std::string html = "<table>\n<thead><tr>";
    for (const std::string& heading : List.Columns) {
        const auto [first, second] = HeadingLines(heading);
        html += "<th class=\"entry\">" + Escaped(first) + (second.empty() ? "" : "<br>" + Escaped(second)) + "</th>";
    }
    html += "</tr></thead>\n";
    for (const TReportRow& row : List.Rows) {
        html += "<tr>";
        // A telephone number or a time broken over two lines reads wrong; words may wrap.
        for (const std::string& value : row)
            html += (value.find(' ') == std::string::npos ? "<td class=\"entry\">" : "<td>") + Escaped(value) + "</td>";
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string PartHtml(const TReportPart& Part)
{
    switch (Part.Kind) {
    case TKind::Section: return "<h2>" + Escaped(Part.Text) + "</h2>\n";
    case TKind::Page: return "<h3>" + Escaped(Part.Text) + "</h3>\n";
    case TKind::Facts: return FactsHtml(Part.Rows);
    case TKind::List: return ListHtml(Part);
    case TKind::Paragraph: return "<p>" + Escaped(Part.Text) + "</p>\n";
    case TKind::Note: return "<p class=\"note\">" + Escaped(Part.Text) + "</p>\n";
    }
    return {};
}

} // namespace

std::pair<std::string, std::string> HeadingLines(const std::string& Heading)
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
    if (best == std::string::npos) return {Heading, {}};
    return {Heading.substr(0, best), Heading.substr(best + 1)};
}

std::string ReportHtml(const TReportDocument& Report)
{
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + Escaped(Report.Title) + "</title>\n<style>\n" +
                       Style + "</style></head>\n<body>\n<h1>" + Escaped(Report.Heading) + "</h1>\n<p class=\"unit\">" +
                       Escaped(Report.UnitName) + "</p>\n";
    for (const TReportPart& part : Report.Parts) html += PartHtml(part);
    return html + "</body></html>\n";
}

} // namespace kvx
