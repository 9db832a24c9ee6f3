#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

class RunConsole;
struct RunReport;

// The scenario files found under a folder, and the problem of each folder in it that could
// not be listed ("could not read the folder <folder>").
struct ScenarioSearch {
    std::vector<std::filesystem::path> files;
    std::vector<std::string> problems;
};

// The scenario files under `folder`, at any depth, as paths relative to it, in the byte
// order of those paths (with "/" between folders, whatever the platform). A file counts
// when its name ends in ".scn" in any letter case; no folder named Converted (any case)
// is entered, no link to a folder is followed, and neither is `skippedFolder`, the
// outputs' own folder when it lies inside the collection.
ScenarioSearch findScenarioFiles(const std::filesystem::path& folder, const std::filesystem::path& skippedFolder);

// Converts the scenarios that `paths` name, as the user gave them: each scenario file, and
// every scenario file under each folder; each exactly as a run given its own path would,
// with a progress line before it and a summary after the last, which names each scenario
// that did not convert completely with its first problem. With an `outputFolder`, a file's
// outputs go into it, and a scenario of a folder into the subfolder of it that matches the
// scenario's place in that folder. Returns 0 when all converted completely, 2 when any did
// not (or a folder held no scenario file), -1 when the paths name no scenario file at all.
// With a `report`, each scenario goes into it, and the messages before the first.
int runCollection(const std::vector<std::string>& paths, RunConsole& console,
                  const std::filesystem::path& templateFolder, const std::filesystem::path& outputFolder,
                  RunReport* report = nullptr);
