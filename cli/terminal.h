#pragma once
// What kvxctl shows and asks on the terminal.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace kvx::cli {

// The program's texts (16-bit characters, "\r" line breaks) as UTF-8 lines.
std::string TerminalText(const std::u16string& Text);
// UTF-8 from the terminal or the command line as the program's text.
std::u16string TextFromTerminal(const std::string& Text);
// Where kvxctl tells what it has done ("Configuration read into unit.kvx."): standard output,
// standard error once a command claims standard output for a file's bytes ("-"), nowhere
// with -q. Problems always go to standard error; answers (a dump, a list) to standard output.
std::ostream& Told();
void SetQuiet(bool Quiet);
void ClaimStandardOutput();

// A password typed at the terminal without echo (a plain line when input is not a terminal).
std::optional<std::u16string> AskPassword(const std::string& Prompt);
// A transfer's progress drawn on one line of standard error, only when it is a terminal (and not with -q).
class TProgressBar {
public:
    explicit TProgressBar(std::string Label);
    ~TProgressBar();
    void Show(uint16_t PagesDone);

private:
    std::string FLabel;
    bool FEnabled;
    bool FDrawn = false;
};

} // namespace kvx::cli
