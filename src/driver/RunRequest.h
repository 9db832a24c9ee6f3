#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a command line asks for. Options come first, in any order: "--quiet" (or "-q"),
// "--out <folder>", "--report <file>" and a graphics switch "/g1" or "/g2"; then the
// scenario file or folder.
// Arguments after it are ignored. Options and switches are compared exactly, letter case
// included; an argument that begins with "--" and is no option is refused, so that a
// mistyped option is never taken for a path.
struct RunRequest {
    enum class Kind {
        HelpScreen,  // no argument at all
        Help,        // --help, -h or /?
        Version,     // --version
        Usage,       // incomplete, or an unknown option: `message` says so
        Run,
    };
    Kind kind = Kind::Run;
    std::string message;         // for Usage: the lines to print
    bool quiet = false;
    std::filesystem::path outputFolder;  // as given with --out; empty without it
    std::filesystem::path reportFile;    // as given with --report; empty without it
    std::string graphicsSwitch;  // "/g1", "/g2", or empty
    std::string path;            // the scenario file, or the folder, as given (and shown)
    std::filesystem::path target;  // the same as a path
};

RunRequest readRunRequest(const std::vector<std::string>& arguments);
