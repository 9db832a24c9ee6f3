#pragma once

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8 bytes. On Linux and macOS they are
// argv's bytes unchanged. On Windows argv holds them in the ANSI code page, which loses
// every character outside it, so they are read again as UTF-16 from the process's
// command line.
std::vector<std::string> commandLineArguments(int argc, char* argv[]);
