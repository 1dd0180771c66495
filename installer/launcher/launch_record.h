#pragma once
// What the shell is asked to start: the command split into file, parameters and folder.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kvx::launcher {

// The longest file path the shell and the installer take (MAX_PATH with its terminator).
constexpr size_t MaxPathChars = 259;

struct TLaunchRecord {
    std::u16string File;
    std::u16string Parameters;  // empty: none
    std::u16string Directory;   // empty: the current folder
    bool operator==(const TLaunchRecord&) const = default;
};

// A command without a drive ("setup.exe", "\"setup.exe\" /x") is taken from DriveRoot
// ("D:\\"). Nothing when the file path is longer than MaxPathChars.
std::optional<TLaunchRecord> SplitCommand(std::u16string_view Command, std::u16string_view DriveRoot);

} // namespace kvx::launcher
