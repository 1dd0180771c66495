#pragma once
// Every field of an image, decoded by name, for reading a template without the program:
// as JSON (fields in image order, inner blocks as nested objects) and as flat name/value
// lines ("TimerEvents.5.Label" = "Pump"). Reserved regions appear, as hex, only when they
// hold something other than 0xFF; undefined timers, missed calls and the like are left out.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "image/kvx_config.h"

namespace kvx {

struct TDumpEntry {
    std::string Name;
    std::string Value;  // UTF-8
};

nlohmann::ordered_json DumpConfigJson(const TKVXConfig& Config);
std::vector<TDumpEntry> DumpConfigEntries(const TKVXConfig& Config);

} // namespace kvx
