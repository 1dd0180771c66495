#pragma once
// CIDList.txt: the Contact ID events the unit knows, one a line, in the order of the masks
// in ContactIDReporting. A line is a three-character code, one separator, the description.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

struct TCIDEvent {
    int Code = 0;              // "110", "005" and "  5" all read as their number
    std::u16string Description;  // bytes as Latin-1 characters
};

struct TCIDList {
    std::vector<TCIDEvent> Events;
    // A line whose code was no number ended the reading; the events before it stay.
    bool StoppedAtInvalidCode = false;
};

// Reads at most MaxEvents lines (CRLF, LF or CR endings); lines past that are ignored.
TCIDList ParseCIDList(std::string_view Text, size_t MaxEvents);
// The file read and parsed; no events when it cannot be read.
TCIDList LoadCIDList(const std::filesystem::path& File, size_t MaxEvents);

} // namespace kvx
