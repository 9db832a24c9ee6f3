#pragma once

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8 bytes. On Linux and macOS they are
// argv's bytes unchanged. On Windows argv holds them in the ANSI code page, which loses
// every character outside it, so they are read again as UTF-16 from the process's
// command line.
std::vector<std::string> commandLineArguments(int argc, char* argv[]);

// Makes a console window show the program's UTF-8 messages as UTF-8 (on Windows, by
// switching the console's output code page for the life of the object and switching it
// back afterwards). Output to a file or a pipe is left alone: it receives the UTF-8 bytes
// as they are, the same bytes that the Linux build writes. Nothing to do elsewhere.
class Utf8ConsoleOutput {
public:
    Utf8ConsoleOutput();
    ~Utf8ConsoleOutput();
    Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
    Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

#ifdef _WIN32
private:
    unsigned previousCodePage_ = 0;  // 0: the console was not switched
#endif
};
