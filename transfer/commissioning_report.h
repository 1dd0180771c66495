#pragma once
// The commissioning report an installer leaves with the customer: when and with what it was
// made, the unit as its status frames showed it, and every page's settings in the pages' own
// words, the lists as tables of their defined entries. Made here as plain parts in reading
// order; written as an HTML page (transfer/report_html.h) or a PDF (ui/report/report_pdf.h).
// It never holds the access password, and says of the command PIN only that it is set.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/cid_list.h"
#include "image/kvx_config.h"
#include "link/event_pump.h"
#include "link/status_snapshot.h"

namespace kvx {

struct TReportDetails {
    TLocalDateTime Made;
    std::string ProgramVersion;  // "1.3"
    std::string Source;          // where the settings come from: "read from the unit", "template farm12.kvx"
    // Given by the installer, each left out when empty (UTF-8; the notes keep their lines).
    std::string Installer;
    std::string Site;
    std::string Notes;
};

using TReportRow = std::vector<std::string>;

// One part of the report.
struct TReportPart {
    enum class TKind : uint8_t {
        Section,     // "Unit", "Settings"
        Page,        // a setup page's name
        Facts,       // Rows of a caption and its value
        List,        // Columns, and Rows of a cell per column
        Paragraph,   // Text, its lines kept
        Note,        // Text said about what is (not) shown
    };
    TKind Kind;
    std::string Text;
    TReportRow Columns;
    std::vector<TReportRow> Rows;
};

struct TReportDocument {
    std::string Title;     // "KVX commissioning report - KVX Demo Site", for the document's properties
    std::string Heading;   // "KVX commissioning report"
    std::string UnitName;  // "KVX Demo Site"
    std::vector<TReportPart> Parts;
};

// Unit: what the status frames told while a dongle was connected; none leaves the identity
// but the reporting name out, and says so. CIDEvents name the Contact ID events.
TReportDocument CommissioningReport(const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit,
                                    const TReportDetails& Details, std::span<const TCIDEvent> CIDEvents = {});

} // namespace kvx
