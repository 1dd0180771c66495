#pragma once
// Bytes of an image by name: an element as `kvxctl diff` names it ("UnitID", "TimerLabels[5]",
// "RemoteControl[2].Command") or a whole field ("RemoteReporting"). The dump carries by these
// names whatever no readable form says, so that a build from a dump gives the image back.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/kvx_config.h"

namespace kvx {

struct TByteSpan {
    std::string Name;
    size_t Offset = 0;
    size_t Size = 0;
};

// The field, else the element, of that name; empty for any other name.
std::optional<TByteSpan> ByteSpanNamed(std::string_view Name);

// True when the span holds a byte of the access password, which no file holds.
bool HoldsPassword(const TByteSpan& Span);

// Where Second differs from First, in image order: by element, or by the whole field when
// more than half of its elements differ.
std::vector<TByteSpan> DifferingSpans(const TKVXConfig& First, const TKVXConfig& Second);

} // namespace kvx
