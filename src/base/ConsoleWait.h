#pragma once

#include <iosfwd>

// A program started from Explorer (a double click, or files dropped on it) gets a console
// window of its own, which closes the moment the program ends: before it does, the program
// asks for Enter, so that its lines can be read. Started from a shell, a script or with
// its input redirected, it ends at once, as command-line programs do.
struct ConsoleStart {
    bool windows = false;         // Windows itself, not Wine, which is always started from a shell
    bool ownConsole = false;      // the console's process list holds this process alone
    bool inputIsConsole = false;  // standard input reads that console
};

// Whether a start of this kind waits for Enter before it ends.
bool waitsForEnter(const ConsoleStart& start);

// How this process was started, as the system tells it.
ConsoleStart consoleStart();

// After the program's last line: when `start` waits, asks for Enter on `out` and waits for
// a line or the end of `in`.
void waitForEnterIfAlone(const ConsoleStart& start, std::ostream& out, std::istream& in);
