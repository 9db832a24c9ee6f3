#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

class RunConsole;

// The program: `arguments` are those after the program name, as UTF-8 bytes (on Linux and
// macOS: as they came). Messages go to `console`; the templates (Rules.txt and the
// bitmaps) are taken from `templateFolder`, the working directory of the process unless a
// caller says otherwise. Returns the exit code.
int runConversion(const std::vector<std::string>& arguments, std::ostream& console,
                  const std::filesystem::path& templateFolder = ".");

// One scenario file, named as on the command line: 0 when everything converted, 2 when
// something was skipped for a reported problem, -1 when the scenario was refused. The
// outputs go into `outputFolder`, or into Converted beside the scenario when it is empty.
// Every problem, a refusal included, is printed through console.problem.
int runFullConversion(const std::string& scenarioArgument, RunConsole& console,
                      const std::filesystem::path& templateFolder,
                      const std::filesystem::path& outputFolder);
