#include "cli/terminal.h"

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "link/kvx_frames.h"

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#define KVX_ISATTY _isatty
#define KVX_FILENO _fileno
#else
#include <termios.h>
#include <unistd.h>
#define KVX_ISATTY isatty
#define KVX_FILENO fileno
#endif

namespace kvx::cli {

namespace {

bool IsTerminal(FILE* stream)
{
    return KVX_ISATTY(KVX_FILENO(stream)) != 0;
}

bool Quiet = false;
bool StandardOutputClaimed = false;

// Swallows what -q silences.
class TNullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

std::string ReadLineWithoutEcho()
{
    std::string line;
#ifdef _WIN32
    for (int c = _getch(); c != '\r' && c != '\n' && c != EOF; c = _getch()) line.push_back(static_cast<char>(c));
#else
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    std::getline(std::cin, line);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
#endif
    std::cerr << "\n";
    return line;
}

} // namespace

std::string TerminalText(const std::u16string& Text)
{
    std::string out;
    for (char16_t c : Text) {
        if (c == u'\r') {
            out.push_back('\n');
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string TextFromTerminal(const std::string& Text)
{
    std::u16string out;
    for (size_t i = 0; i < Text.size();) {
        const auto lead = static_cast<unsigned char>(Text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        bool valid = length != 0 && i + length <= Text.size();
        char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(Text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Anything that is not well-formed UTF-8 is taken byte by byte.
        if (!valid) {
            out.push_back(lead);
            ++i;
            continue;
        }
        out.push_back(static_cast<char16_t>(code));
        i += length;
    }
    return out;
}

std::ostream& Told()
{
    static TNullBuffer nothing;
    static std::ostream silenced(&nothing);
    if (Quiet) return silenced;
    return StandardOutputClaimed ? std::cerr : std::cout;
}

void SetQuiet(bool Silent) { Quiet = Silent; }

void ClaimStandardOutput() { StandardOutputClaimed = true; }

std::optional<std::u16string> AskPassword(const std::string& Prompt)
{
    std::cerr << Prompt << std::flush;
    std::string line;
    if (IsTerminal(stdin)) {
        line = ReadLineWithoutEcho();
    } else if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return TextFromTerminal(line);
}

TProgressBar::TProgressBar(std::string Label) : FLabel(std::move(Label)), FEnabled(IsTerminal(stderr) && !Quiet) {}

TProgressBar::~TProgressBar()
{
    if (FDrawn) std::cerr << "\n";
}

void TProgressBar::Show(uint16_t PagesDone)
{
    if (!FEnabled) return;
    constexpr int Width = 40;
    const int filled = static_cast<int>(PagesDone * Width / PageCount);
    std::cerr << "\r" << FLabel << " [" << std::string(static_cast<size_t>(filled), '#')
              << std::string(static_cast<size_t>(Width - filled), '.') << "] " << PagesDone * 100 / PageCount << "%"
              << std::flush;
    FDrawn = true;
}

} // namespace kvx::cli
