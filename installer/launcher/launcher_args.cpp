#include "installer/launcher/launcher_args.h"

#include <climits>

namespace kvx::launcher {

namespace {

// Windows' own rule for command lines: every control character counts as a space.
bool IsBlank(char16_t Ch)
{
    return Ch <= u' ';
}

size_t SkipBlanks(std::u16string_view Text, size_t At)
{
    while (At < Text.size() && IsBlank(Text[At])) ++At;
    return At;
}

size_t SkipProgramPath(std::u16string_view Line, size_t At)
{
    if (At < Line.size() && Line[At] == u'"') {
        const size_t close = Line.find(u'"', At + 1);
        return close == std::u16string_view::npos ? Line.size() : close + 1;
    }
    while (At < Line.size() && !IsBlank(Line[At])) ++At;
    return At;
}

struct TBracketGroup {
    std::u16string_view Inside;
    size_t End = 0;  // just past the closing bracket
};

std::optional<TBracketGroup> NextBracketGroup(std::u16string_view Text, size_t From)
{
    const size_t open = Text.find(u'[', From);
    if (open == std::u16string_view::npos) return std::nullopt;
    const size_t close = Text.find(u']', open + 1);
    if (close == std::u16string_view::npos) return std::nullopt;
    return TBracketGroup{Text.substr(open + 1, close - open - 1), close + 1};
}

} // namespace

int ParseMode(std::u16string_view Text)
{
    const bool negative = !Text.empty() && Text.front() == u'-';
    long long magnitude = 0;
    for (size_t i = negative ? 1 : 0; i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (Text[i] - u'0');
        if (magnitude > INT_MAX) magnitude = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return static_cast<int>(-magnitude);
    return static_cast<int>(magnitude > INT_MAX ? INT_MAX : magnitude);
}

std::optional<TLauncherArgs> ParseLauncherArgs(std::u16string_view ProcessCommandLine)
{
    const size_t program = SkipBlanks(ProcessCommandLine, 0);
    const size_t afterProgram = SkipBlanks(ProcessCommandLine, SkipProgramPath(ProcessCommandLine, program));
    const std::u16string_view rest = ProcessCommandLine.substr(afterProgram);

    const std::optional<TBracketGroup> key = NextBracketGroup(rest, 0);
    if (!key) return std::nullopt;
    const std::optional<TBracketGroup> mode = NextBracketGroup(rest, key->End);
    if (!mode) return std::nullopt;

    return TLauncherArgs{std::u16string(key->Inside), ParseMode(mode->Inside),
                         std::u16string(rest.substr(SkipBlanks(rest, mode->End)))};
}

} // namespace kvx::launcher
