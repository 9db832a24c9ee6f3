#pragma once

#include <filesystem>
#include <string>

class RunConsole;

// Checks, before a run writes anything, that `templateFolder` (`shownFolder` as the user
// knows it) holds a destination template: Rules.txt or one of the template bitmaps, in any
// letter case. A folder that holds none is not the destination's: false, with the message
// printed. One that holds only some is taken; each step says what it misses.
bool checkTemplateFolder(const std::filesystem::path& templateFolder, const std::string& shownFolder,
                         RunConsole& console);
