#pragma once

#include <filesystem>
#include <string>

class RunConsole;
struct RunRequest;

// Where a run takes the destination templates from: Rules.txt and the template bitmaps,
// found in any letter case.
struct TemplateChoice {
    std::filesystem::path folder;           // the folder chosen; with `found` false, the one the error names
    std::string shownFolder;                // `folder` as the user knows it
    bool found = false;                     // the folder holds one template at least
    bool besideProgram = false;             // the program's folder, taken because the working one holds none
    bool scenarioFolderPassedOver = false;  // the working folder holds a scenario of the run
};

// Whether `folder` holds one template at least. One that holds only some is taken; each
// step then says what it misses.
bool holdsTemplates(const std::filesystem::path& folder);

// True when `workingFolder` is a folder whose scenario the run converts: it holds one of the
// run's scenario files, or it is the folder of a graphics-only run. Its Rules.txt and
// pictures carry the templates' names, and are the scenario's own.
bool isScenarioFolderOfRun(const RunRequest& request, const std::filesystem::path& workingFolder);

// The folder named with --templates (`namedFolder`, as given) when there is one. Else the
// working folder when it holds a template and is no scenario's own folder (`workingIsScenarios`);
// else the folder that holds the program, when it holds one: a player keeps the program in
// the destination's folder and drops scenarios on it, and such a start has another working
// folder. Else none, and the working folder is the one named.
TemplateChoice chooseTemplateFolder(const std::string& namedFolder, const std::filesystem::path& workingFolder,
                                    const std::filesystem::path& programFolder, bool workingIsScenarios);

// Says, before the run writes anything, where the templates come from when that is not
// where the user looks: the error when `choice` found none (false), the note when they lie
// beside the program.
bool announceTemplateFolder(const TemplateChoice& choice, RunConsole& console);

// Checks each template that the chosen folder holds by what it holds (the pictures by their
// headers, Rules.txt by its counted lines), before the run writes anything: false, with a
// line for each template that no scenario could be converted with.
bool checkTemplateFolder(const TemplateChoice& choice, RunConsole& console);
