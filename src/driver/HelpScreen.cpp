#include "driver/HelpScreen.h"

#include <ostream>

const char* const kUsageLine =
    "USAGE: Tavorel [--quiet] [--out <folder>] [--templates <folder>] [/g1 | /g2] <scenario file or folder>...";

namespace {

const char* const kUsage =
    "\n"
    "  Tavorel <scenario file>  converts one scenario: its scenario file, Rules.txt,\n"
    "                           bitmaps and companion files\n"
    "  Tavorel <folder>         converts every scenario file (*.scn) in the folder\n"
    "                           and its subfolders, then sums up\n"
    "  Tavorel <path> <path>... converts each scenario file, and each folder's\n"
    "                           scenario files, in turn, then sums up\n"
    "  Tavorel /g1 <folder>     converts only the bitmaps in the folder, those of a\n"
    "                           Civ2 Classic or Civ2 Conflict scenario\n"
    "  Tavorel /g2 <folder>     the same, for a Fantastic Worlds scenario\n"
    "\n"
    "Options, in any order before, between or after the paths, written as shown:\n"
    "  --out <folder>        writes the outputs into <folder> instead of the folder\n"
    "                        Converted; the scenarios of a folder go into their\n"
    "                        subfolders there\n"
    "  --templates <folder>  reads the templates from <folder> instead of the\n"
    "                        working directory\n"
    "  --quiet, -q           prints only warnings and errors (in a folder run, after\n"
    "                        the [k/N] line of their scenario) and the summary\n"
    "  --report <file>       writes an account of the run into <file>, one HTML\n"
    "                        page: pictures beside the converted ones, messages,\n"
    "                        the rules lines each adjustment concerns\n"
    "  --version             prints the version\n"
    "  --help, -h, /?        prints this help\n"
    "An argument that begins with - and is no option must name a file or folder.\n"
    "\n"
    "The templates, the destination format's Rules.txt and bitmaps, are read from\n"
    "the working directory or, when it holds none or is the scenario's own folder,\n"
    "from the folder that holds Tavorel: start Tavorel in the destination format's\n"
    "folder, keep it there, or name that folder with --templates. A run that finds\n"
    "none, or a template that no scenario could be converted with, is refused\n"
    "before it writes anything.\n"
    "The outputs go into the folder Converted beside the scenario file (with /g1\n"
    "and /g2: inside the folder given), or into the --out folder. The scenario's\n"
    "own files are only read. Lines that begin with Note: lose nothing; --quiet\n"
    "leaves them out.\n"
    "\n"
    "Exit codes:\n"
    "   0  everything found was converted (in a folder run: every scenario), with\n"
    "      notes or without; also after --help and --version\n"
    "   1  the help screen, a usage line or an unknown option; after /g1 and /g2\n"
    "      whatever they reported\n"
    "   2  something was skipped for a problem that the run reported (in a folder\n"
    "      run: a scenario had problems or was refused)\n"
    "  -1  (255 in POSIX shells) the scenario cannot be converted at all, the\n"
    "      folder holds no scenario file, or the templates are missing or unusable\n";

}  // namespace

void printHelpScreen(std::ostream& console) {
    console << "Tavorel 1.0 HELP SCREEN \n(Well, it doesn't say a lot but in the future... who knows)\n";
    console << "USAGE: Tavorel <fname>\n";
    console << "Where <dir>is the file name of scenario to convert\n";
}

void printHelp(std::ostream& console) {
    printHelpScreen(console);
    console << "\n" << kUsageLine << "\n" << kUsage;
}
