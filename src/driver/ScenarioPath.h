#pragma once

#include <filesystem>
#include <string>

// The scenario path of the command line, split into its four parts. Both "\" and "/"
// separate folders; a drive "X:" is recognised at the start.
struct ScenarioPath {
    std::string drive;      // "C:" or empty
    std::string directory;  // up to and including the last separator, or empty
    std::string name;       // the file name without its extension
    std::string extension;  // from the last dot after the directory, dot included, or empty

    // Drive and directory: the folder that holds the scenario, ending in a separator
    // unless it is empty.
    std::string folder() const { return drive + directory; }
    std::string fileName() const { return name + extension; }
};

ScenarioPath splitScenarioPath(const std::string& argument);

// A scenario file as a run takes it, its paths made once: from the command line's text,
// split as above (`file` is that text as a path), or from a file that a folder run found.
struct ScenarioLocation {
    std::filesystem::path file;
    std::filesystem::path folder;  // empty for the working directory
    std::string fileName;          // name and extension: the banner's and the output's name
    std::string baseName;          // without the extension: the name of the title text
    std::string shown;             // the path as the user would type it, for messages
};

// The file a scenario path names, found as every input is: its exact spelling first, else
// the entry of its folder that matches it ignoring letter case; else the path as it is.
std::filesystem::path findScenarioFile(const std::filesystem::path& given);

// The shown path's folder, as a message names it: without a final separator, "." for none.
std::string shownFolder(const ScenarioLocation& scenario);

// From the command line: the file is found by findScenarioFile; its names stay as typed.
ScenarioLocation locateScenario(const std::string& argument, const std::filesystem::path& file);
ScenarioLocation locateScenario(const std::filesystem::path& file, std::string shown);
