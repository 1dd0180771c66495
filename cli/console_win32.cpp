#include "cli/console.h"

#include <conio.h>
#include <fcntl.h>
#include <io.h>

namespace kvx::cli::platform {

bool IsTerminal(FILE* Stream) { return _isatty(_fileno(Stream)) != 0; }

std::string ReadLineUnechoed()
{
    std::string line;
    for (int c = _getch(); c != '\r' && c != '\n' && c != EOF; c = _getch()) line.push_back(static_cast<char>(c));
    return line;
}

void UseBinary(FILE* Stream) { _setmode(_fileno(Stream), _O_BINARY); }

} // namespace kvx::cli::platform
