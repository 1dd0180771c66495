#pragma once
// A configuration, or where two differ, as plain text in the pages' words, page by page:
// what kvxctl prints.
#include <span>
#include <string>
#include <vector>

#include "config/config_words.h"
#include "config/words_compare.h"

namespace kvx {

// Each page's name on a line of its own, then its fields as "  caption: value": a list
// location as one line, and only the locations that are defined; the entries of the other
// lists and the fields no page shows only while they hold something.
std::string ConfigWordsText(const TKVXConfig& Config, std::span<const TCIDEvent> CIDEvents = {});

// Each page's name on a line of its own, then "  caption: first -> second" for its rows.
std::string DifferencesText(const std::vector<TWordedDifference>& Differences);

} // namespace kvx
