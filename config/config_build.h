#pragma once
// The way back from `kvxctl dump --json`: fields named and written as the dump writes them
// ("UnitID": "Farm 12", "TimerEvents": {"5": {"Time": "07:30"}}), stored through the same
// block codecs. Every problem is one line naming its JSON path ("TimerEvents.5.Time: ..."):
// unknown keys, values out of range, texts too long or holding characters the KVX cannot
// store. Nothing is stored while there is any.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "image/kvx_config.h"

namespace kvx {

// Stores every field that Json names into Config; a field left out keeps what Config holds.
// Returns the problems, one line each; Config is changed only when there are none.
std::vector<std::string> ApplyConfigJson(const nlohmann::ordered_json& Json, TKVXConfig& Config);

// Text as JSON; empty, with Problem saying where and why, when it is none.
std::optional<nlohmann::ordered_json> ParseConfigJson(std::string_view Text, std::string& Problem);

// One "PATH=VALUE" edit ("UnitID=Farm 12", "TimerEvents.5.Time=07:30", "VerifySender=false"),
// checked as ApplyConfigJson checks. VALUE is read as JSON when it is JSON and the field takes
// that kind of value, else as text, so neither a PIN of digits nor a name needs quotes.
std::vector<std::string> ApplyAssignment(std::string_view Assignment, TKVXConfig& Config);

} // namespace kvx
