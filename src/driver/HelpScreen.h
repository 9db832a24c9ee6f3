#pragma once

#include <iosfwd>

// The one line that sums up the command line, printed after a command line that names an
// unknown option and at the head of the complete usage.
extern const char* const kUsageLine;

// Prints the help screen, for a start without arguments; the caller leaves with
// exit_code::HelpShown.
void printHelpScreen(std::ostream& console);

// Prints the help screen and then the complete usage: every mode and option, where the
// templates are read and the outputs written, and the exit codes; for --help.
void printHelp(std::ostream& console);
