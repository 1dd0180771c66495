#pragma once
// The commissioning report an installer leaves with the customer: when and with what it was
// made, the unit as its status frames showed it, and every page's settings in the pages' own
// words, the lists as tables of their defined entries. Written as one HTML page; the program
// and kvxctl turn that page into a PDF where Qt is at hand. It never holds the access
// password, and says of the command PIN only that it is set.
#include <optional>
#include <span>
#include <string>

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

// Unit: what the status frames told while a dongle was connected; none leaves the identity
// but the reporting name out, and says so. CIDEvents name the Contact ID events.
std::string CommissioningReportHtml(const TKVXConfig& Config, const std::optional<TStatusSnapshot>& Unit,
                                    const TReportDetails& Details, std::span<const TCIDEvent> CIDEvents = {});

// "KVX commissioning report - KVX Demo Site", for the document's title.
std::string CommissioningReportTitle(const TKVXConfig& Config);

} // namespace kvx
