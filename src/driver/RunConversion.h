#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// The program: `arguments` are those after the program name, as UTF-8 bytes (on Linux and
// macOS: as they came). Messages go to `console`; the templates (Rules.txt and the
// bitmaps) are taken from the folder named with --templates, else from `workingFolder`
// (the working directory of the process unless a caller says otherwise), else, when that
// holds none, from `programFolder`, the folder that holds the program (none when empty).
// Returns the exit code.
int runConversion(const std::vector<std::string>& arguments, std::ostream& console,
                  const std::filesystem::path& workingFolder = ".", const std::filesystem::path& programFolder = {});
