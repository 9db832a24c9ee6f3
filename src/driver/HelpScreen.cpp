#include "driver/HelpScreen.h"

#include <ostream>

void printHelpScreen(std::ostream& console) {
    console << "Tavorel 1.0 HELP SCREEN \n(Well, it doesn't say a lot but in the future... who knows)\n";
    console << "USAGE: Tavorel <fname>\n";
    console << "Where <dir>is the file name of scenario to convert\n";
}
