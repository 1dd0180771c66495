#pragma once
// What the list imports share (missed-call numbers, recipients): the header of named columns,
// where each row's number goes, and the report the user sees before anything changes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/csv_table.h"

namespace kvx {

enum class TImportOutcome { Added, Updated, Unchanged, Skipped };

struct TImportLine {
    size_t Line = 0;
    TImportOutcome Outcome = TImportOutcome::Skipped;
    size_t Slot = 0;      // location or recipient, from 1; 0 when skipped
    std::string Number;   // as stored, with its "+"; empty when skipped
    std::string Reason;   // why a row was skipped
};

struct TImportReport {
    // Not empty: the file as a whole was refused and nothing is to change.
    std::string Problem;
    std::vector<TImportLine> Lines;  // by line

    size_t Count(TImportOutcome Outcome) const;
    // Something would be added or updated.
    bool Changes() const;
};

// "3 added, 1 updated, 495 unchanged, 1 skipped." and then one line for each row added,
// updated or skipped ("line 37: skipped: ..."), at most MaxLines of them.
std::string ReportText(const TImportReport& Report, std::string_view SlotName, size_t MaxLines = SIZE_MAX);

// The column of each name, from the header row; Problem set when a name is unknown or twice,
// or the number column is missing.
struct TColumns {
    std::vector<std::optional<size_t>> Index;  // by position in Names
    std::string Problem;
};
TColumns ReadHeader(const TCsvRow& Header, const std::vector<std::string_view>& Names, std::string_view Required);
// The cell of a row for a column; empty when the column or the cell is missing. Trimmed.
std::string Cell(const TCsvRow& Row, const std::optional<size_t>& Column);

// One row's request: a number, and the slot it names, if any.
struct TSlotRequest {
    size_t Line = 0;
    std::optional<size_t> Slot;  // from 0
    std::u16string Number;
};
struct TSlotPlacement {
    bool Placed = false;
    size_t Slot = 0;
    bool WasFree = false;
    std::string Reason;  // when not placed
};
// Where each request goes among slots that hold Numbers now (empty: free). Rows that name a
// slot go first; a row without one updates the slot that holds its number, else takes the
// first free slot. Refused: a number or a slot a row before it already took, a number held by
// a slot no row replaces, no free slot left.
std::vector<TSlotPlacement> PlaceInSlots(const std::vector<std::u16string>& Numbers, const std::vector<TSlotRequest>& Requests,
                                         std::string_view SlotName);

} // namespace kvx
