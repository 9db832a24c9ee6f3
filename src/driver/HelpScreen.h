#pragma once

#include <iosfwd>

// Prints the help screen; the caller leaves with exit_code::HelpShown.
void printHelpScreen(std::ostream& console);
