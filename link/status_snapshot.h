#pragma once
// The latest of what the unit's status frames told, as one record: the status view keeps
// one, the status log takes the operator from it, the commissioning report the identity.
#include <optional>
#include <string>

#include "link/status_frame.h"

namespace kvx {

struct TStatusSnapshot {
    std::optional<TUnitStatus> Unit;  // the last state frame
    std::optional<std::u16string> Operator;  // empty: the unit named none
    std::optional<std::u16string> IMEI;
    std::optional<std::u16string> IMSI;
};

// Takes one decoded frame into the record.
void ApplyStatusUpdate(TStatusSnapshot& Snapshot, const TStatusUpdate& Update);

} // namespace kvx
