#pragma once

#include <memory>
#include <ostream>
#include <streambuf>

// The program's messages are UTF-8 bytes. Written to a file or a pipe they stay those
// bytes, the same on every platform. A Windows console window, though, reads bytes in its
// own code page; while this object lives, a stream bound to a console window writes to it
// in UTF-16 instead, so that every name shows as typed whatever the console's code page,
// and the console is left as it was found. Elsewhere nothing changes.
class Utf8ConsoleOutput {
public:
    explicit Utf8ConsoleOutput(std::ostream& standardOutput);
    ~Utf8ConsoleOutput();
    Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
    Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

private:
    std::ostream& stream_;
    std::unique_ptr<std::streambuf> consoleWriter_;  // null: the stream keeps its own buffer
    std::streambuf* previous_ = nullptr;
};
