#include "installer/launcher/launch_record.h"

namespace kvx::launcher {

namespace {

constexpr auto npos = std::u16string_view::npos;

bool HasDrive(std::u16string_view Command)
{
    return (Command.size() > 1 && Command[1] == u':') || (Command.size() > 2 && Command[2] == u':');
}

// Always quoted afterwards, so a path with spaces in the root survives the split. An
// unquoted command ends its path at the first space; the closing quote goes there.
std::u16string FromDriveRoot(std::u16string_view Command, std::u16string_view DriveRoot)
{
    std::u16string text = u"\"";
    text += DriveRoot;
    if (!Command.empty() && Command.front() == u'"') {
        text += Command.substr(1);
        return text;
    }
    const size_t space = Command.find(u' ');
    text += Command.substr(0, space);
    text += u'"';
    if (space != npos) text += Command.substr(space);
    return text;
}

} // namespace

std::optional<TLaunchRecord> SplitCommand(std::u16string_view Command, std::u16string_view DriveRoot)
{
    const std::u16string text = HasDrive(Command) ? std::u16string(Command) : FromDriveRoot(Command, DriveRoot);
    const std::u16string_view view = text;

    TLaunchRecord record;
    size_t next = 0;
    if (!view.empty() && view.front() == u'"') {
        const size_t close = view.find(u'"', 1);
        record.File = view.substr(1, close == npos ? npos : close - 1);
        next = close == npos ? view.size() : close + 1;
    } else {
        const size_t space = view.find(u' ');
        record.File = view.substr(0, space);
        next = space == npos ? view.size() : space;
    }
    if (record.File.size() > MaxPathChars) return std::nullopt;

    if (next < view.size() && view[next] == u' ') ++next;
    record.Parameters = view.substr(next);
    // Keep the backslash: "D:" alone would mean the current folder of drive D.
    const size_t slash = record.File.rfind(u'\\');
    if (slash != npos) record.Directory = record.File.substr(0, slash + 1);
    return record;
}

} // namespace kvx::launcher
