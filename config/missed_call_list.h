#pragma once
// Missed-call locations to and from a spreadsheet. The first row names the columns:
// location,number,relay,action,confirmation,count,window_start,window_stop,days, any of them
// but number left out; each further row is one location.
#include <array>
#include <string>
#include <string_view>

#include "config/list_import.h"
#include "config/missed_calls.h"

namespace kvx {

using TMissedCallRecords = std::array<TMissedCallLocation, MissedCallCount>;

struct TMissedCallImport {
    TImportReport Report;
    TMissedCallRecords Records;  // as given, with the rows added and updated
};

// The rows of Csv applied to Records. A row without a location updates the location that has
// its number, else takes the first free one. An updated location keeps what it held for the
// columns the file leaves out; empty cells take what the page starts a location with (relay 1,
// On, no confirmation, no count, no window); a window without days is every day. Numbers go by
// NormalisedNumber, national ones taking DefaultCountryCode.
TMissedCallImport ImportMissedCalls(std::string_view Csv, const TMissedCallRecords& Records,
                                    std::string_view DefaultCountryCode = {});

// Every defined location, one a row, under the header.
std::string ExportMissedCalls(const TMissedCallRecords& Records);

TMissedCallRecords DecodeMissedCalls(const TKVXConfig& Config);
// The locations the import added or updated, as the page stores them.
void EncodeImportedMissedCalls(TKVXConfig& Config, const TMissedCallImport& Import);

} // namespace kvx
