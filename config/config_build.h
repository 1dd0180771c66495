#pragma once
// The way back from `kvxctl dump --json`: fields named and written as the dump writes them
// ("UnitID": "Farm 12", "TimerEvents": {"5": {"Time": "07:30"}}), stored through the same
// block codecs. Every problem is one line naming its JSON path ("TimerEvents.5.Time: ..."):
// unknown keys, values out of range, texts too long or holding characters the KVX cannot
// store. Nothing is stored while there is any.
//
// Whatever the dump writes is taken back: null for a field left erased (every byte 0xFF), a
// raw number for a coded value without a word, and "RawBytes" (bytes by the names `kvxctl
// diff` gives them, as hex, or null for all 0xFF) for what no readable form says, stored last.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "image/kvx_config.h"

namespace kvx {

// The dump's section of bytes that no field's readable form says.
inline constexpr const char* RawBytesKey = "RawBytes";

struct TBuildProblem {
    std::string Path;    // "TimerEvents.5.Time"
    std::string Reason;
    bool WrongKind = false;  // a value of the wrong JSON kind, rather than a wrong value of the right kind
};

// Stores every field that Json names into Config; a field left out keeps what Config holds.
// Returns the problems; Config is changed only when there are none. Telephone numbers go by
// NormalisedNumber, national ones taking DefaultCountryCode.
std::vector<TBuildProblem> BuildFromJson(const nlohmann::ordered_json& Json, TKVXConfig& Config,
                                         std::string_view DefaultCountryCode = {});
// The same, the problems as lines "PATH: reason".
std::vector<std::string> ApplyConfigJson(const nlohmann::ordered_json& Json, TKVXConfig& Config,
                                         std::string_view DefaultCountryCode = {});

// Text as JSON; empty, with Problem saying where and why, when it is none. Refused besides what
// is no JSON: a key given twice in one object, nesting deeper than any configuration has, and
// numbers too large for any field.
std::optional<nlohmann::ordered_json> ParseConfigJson(std::string_view Text, std::string& Problem);

} // namespace kvx
