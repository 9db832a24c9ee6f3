#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a command line asks for. Options may stand before, between and after the paths:
// "--quiet" (or "-q"), "--out <folder>", "--templates <folder>", "--report <file>" and a
// graphics switch "/g1" or "/g2"; every other argument is a scenario file or folder. Options and switches are
// compared exactly, letter case included; an argument that begins with "-", is no option
// and names no file or folder is refused, so that a mistyped option is never taken for a
// path.
struct RunRequest {
    enum class Kind {
        HelpScreen,  // no argument at all
        Help,        // --help, -h or /?
        Version,     // --version
        Usage,       // incomplete, or an unknown option: `message` says so
        Run,
    };
    Kind kind = Kind::Run;
    std::string message;  // for Usage: the lines to print
    bool quiet = false;
    std::filesystem::path outputFolder;  // as given with --out; empty without it
    std::string templateFolder;          // as given with --templates (and shown); empty without it
    std::filesystem::path reportFile;    // as given with --report; empty without it
    std::string graphicsSwitch;          // "/g1", "/g2", or empty
    std::vector<std::string> paths;      // the scenario files and folders, as given (and shown), in order
};

RunRequest readRunRequest(const std::vector<std::string>& arguments);
