#pragma once
// Two configurations compared as their pages show them, for the program's difference lists
// and kvxctl diff.
#include <span>
#include <string>
#include <vector>

#include "config/config_compare.h"
#include "config/config_words.h"

namespace kvx {

struct TWordedDifference {
    int PageNo = 0;  // 1..13; 0: no page shows the field
    std::string Caption;
    std::string First;  // the values in the pages' words
    std::string Second;
    TControlRef Control;
    // The elements of the image behind the row whose bytes differ, by image name with raw
    // values; empty when only the way they are shown differs (a timer renamed under a
    // remote command's trigger).
    std::vector<TFieldDifference> Fields;
};

// Where the two differ, page by page in menu order, then the fields no page shows. Values a
// page shows alike are no difference (a blank password and an erased one, the secondary
// number while the secondary SIM is off); a list location that only one side defines is one
// row in its list's words; the access password reads "(differs)".
std::vector<TWordedDifference> CompareConfigWords(const TKVXConfig& First, const TKVXConfig& Second,
                                                  std::span<const TCIDEvent> CIDEvents = {});

// Differences of the field table (as a verification finds them) under the pages whose bytes
// they are, by image name and raw value.
std::vector<TWordedDifference> WordedFieldDifferences(const std::vector<TFieldDifference>& Differences);

// The page's menu name, or the heading of the fields no page shows.
std::string PageHeading(int PageNo);

} // namespace kvx
