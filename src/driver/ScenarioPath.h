#pragma once

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
