#pragma once
// What kvxctl's terminal and standard streams ask of the operating system. console_posix.cpp
// and console_win32.cpp answer it; the build compiles the one for its system.
#include <cstdio>
#include <string>

namespace kvx::cli::platform {

bool IsTerminal(FILE* Stream);
// A line typed at the terminal, not shown while typed (without its line end).
std::string ReadLineUnechoed();
// Templates are bytes: Windows must not translate line ends on the standard streams.
void UseBinary(FILE* Stream);

} // namespace kvx::cli::platform
