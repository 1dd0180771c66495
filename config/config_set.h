#pragma once
// Quick edits of a configuration by the dump's names (`kvxctl set`).
#include <string>
#include <string_view>
#include <vector>

#include "image/kvx_config.h"

namespace kvx {

// "PATH=VALUE" edits ("UnitID=Farm 12", "TimerEvents.5.Time=07:30", "VerifySender=false"),
// checked as a build checks them and stored together, so that fields which depend on each
// other change in one call; all of them are stored, or none. VALUE is read as JSON when it is
// JSON and the field takes that kind of value ("08" as the number 8), else as the text dump
// writes it ("not set", "yes", "Mon Fri"), else as text, so neither a PIN of digits nor a name
// needs quotes. Telephone numbers go by NormalisedNumber, national ones taking
// DefaultCountryCode. Returns the problems, one line each.
std::vector<std::string> ApplyAssignments(const std::vector<std::string>& Assignments, TKVXConfig& Config,
                                          std::string_view DefaultCountryCode = {});

} // namespace kvx
