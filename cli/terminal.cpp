#include "cli/terminal.h"

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "cli/console.h"
#include "link/kvx_frames.h"

namespace kvx::cli {

namespace {

bool Quiet = false;
bool StandardOutputClaimed = false;

// Swallows what -q silences.
class TNullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

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
    if (platform::IsTerminal(stdin)) {
        line = platform::ReadLineUnechoed();
        std::cerr << "\n";
    } else if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return TextFromTerminal(line);
}

TProgressBar::TProgressBar(std::string Label) : FLabel(std::move(Label)), FEnabled(platform::IsTerminal(stderr) && !Quiet) {}

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
