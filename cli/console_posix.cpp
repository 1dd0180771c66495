#include "cli/console.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

namespace kvx::cli::platform {

bool IsTerminal(FILE* Stream) { return isatty(fileno(Stream)) != 0; }

std::string ReadLineUnechoed()
{
    std::string line;
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    std::getline(std::cin, line);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return line;
}

void UseBinary(FILE*) {}

} // namespace kvx::cli::platform
