#pragma once
// A configuration in its pages' own words: for every field a page shows, the page (by menu
// number), the caption beside it, its value as the page shows it and the control that shows
// it; the timer and missed-call locations as their lists number and label them; then the
// fields no page shows, by their image names. The program's difference lists, kvxctl diff
// and kvxctl dump --words all read this one description.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config/cid_list.h"
#include "image/kvx_config.h"

namespace kvx {

// The heading of the fields no page shows, after the pages.
inline constexpr const char* NoPageHeading = "Fields no page shows";

// Where on its page a field is shown, by object names.
struct TControlRef {
    std::string List;  // a list or drop-down list whose entry Row is chosen first; empty: none
    int Row = -1;
    std::string Path;  // the control, from the page down, names joined by '/'

    bool operator==(const TControlRef&) const = default;
};

// Image bytes a field stands for.
struct TByteRange {
    uint16_t Offset = 0;
    uint16_t Size = 0;
};

struct TWordedField {
    int PageNo = 0;       // 1..13 as the menu numbers the pages; 0: no page shows it
    std::string Caption;  // "Tamper - vibration sensitivity"; with no page, the image name
    std::string Value;    // "disabled", "06:30", "\"Pump on\"", "(empty)"
    TControlRef Control;
    TByteRange Bytes;
    int Location = -1;    // its timer or missed-call location, in TConfigWords::Locations
    bool Secret = false;  // the access password: its bytes are compared, never shown
};

// One location of the timer or missed-call list, whose fields follow each other.
struct TWordedLocation {
    std::string Caption;  // "Timer 01 Pump on", "Missed call 012 +447700900555", "Timer 05"
    std::string Summary;  // the whole location in one line: "Relay1 On at 06:30, every day"
    bool Defined = false;
    size_t FirstField = 0;
    size_t FieldCount = 0;
};

struct TConfigWords {
    std::vector<TWordedField> Fields;  // page by page in menu order, then the fields no page shows
    std::vector<TWordedLocation> Locations;
};

// The description of Config. CIDEvents are the lines of CIDList.txt, whose recipient masks
// the Contact ID page shows; masks past them are fields no page shows. Every image gives the
// same fields in the same order for the same CIDEvents; only captions and values differ.
TConfigWords DescribeConfig(const TKVXConfig& Config, std::span<const TCIDEvent> CIDEvents = {});

// The page (1..13) whose fields hold image byte Offset; 0 for bytes no page shows and for
// offsets past the image. The Contact ID masks count as that page's whatever the event list.
int PageShowingByte(size_t Offset);

} // namespace kvx
