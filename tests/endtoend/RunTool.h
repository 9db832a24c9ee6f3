#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs the built tavorel binary (or a copy of it, `program`) as a user would, in
// `workingFolder`, with `arguments` handed over as they are: no shell stands between the
// test and the program.
struct ToolRun {
    int exitCode = -1000;  // as the parent process sees it: -1 arrives as 255
    std::string output;    // standard output
    std::string errors;    // standard error
};

// True where the test can start the binary itself (POSIX process calls).
bool canRunTool();
ToolRun runTool(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                const std::filesystem::path& program = {});
