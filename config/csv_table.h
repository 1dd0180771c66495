#pragma once
// Comma- or semicolon-separated text as spreadsheets write it: UTF-8 with or without a
// byte-order mark, CRLF, LF or CR line ends, fields in double quotes ("" for a quote, line
// breaks allowed inside). Written by hand: the CSV libraries Debian ships are either compiled
// C with no build for the Windows kvxctl, or a 2016 snapshot that cannot take a quoted line
// break and fixes its separator at compile time.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

struct TCsvRow {
    size_t Line = 0;  // where the row starts, from 1
    std::vector<std::string> Fields;
};

struct TCsvTable {
    char Separator = ',';
    std::vector<TCsvRow> Rows;  // blank lines left out
    // Not empty: the text is not whole (a quote opened and never closed) and must not be used.
    std::string Problem;
};

// The separator is the one the first row uses more of (a comma when it uses neither).
TCsvTable ReadCsv(std::string_view Text);

// One line of fields with CRLF; a field holding the separator, a quote or a line break is quoted.
std::string CsvLine(const std::vector<std::string>& Fields, char Separator = ',');

} // namespace kvx
