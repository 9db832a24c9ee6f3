#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

// A sample world for runs that meet a fault: a template folder and a Classic scenario
// folder with every file a scenario may hold, and the outputs that a run without faults
// makes from the same world, to hold the faulty run's outputs against.

using Bytes = std::vector<std::uint8_t>;
using FileSnapshot = std::map<std::string, Bytes>;  // relative path -> bytes

// Every regular file under `folder`, except those in its Converted folder.
FileSnapshot snapshotScenarioFiles(const std::filesystem::path& folder);

// Every regular file under `folder`, by path relative to it.
FileSnapshot snapshotFiles(const std::filesystem::path& folder);

struct RunResult {
    int exitCode = 0;
    std::string console;
};

class FaultWorld {
public:
    // The scenario folder goes to `scenarioFolder` when one is given (a folder on a file
    // system that the test mounted, say), else into the world's own temporary folder.
    explicit FaultWorld(const std::filesystem::path& scenarioFolder = {});

    const std::filesystem::path& templateFolder() const { return templateFolder_; }
    const std::filesystem::path& scenarioFolder() const { return scenarioFolder_; }
    const std::filesystem::path& scenarioFile() const { return scenarioFile_; }
    std::filesystem::path converted() const { return scenarioFolder_ / "Converted"; }

    // Writes the scenario folder; a test may change it before the run.
    void writeScenario();
    RunResult run() const;

    // What a run without faults writes into Converted, made once for all tests.
    static const FileSnapshot& referenceOutputs();

private:
    TempFolder root_{"tavorel-faults"};
    std::filesystem::path templateFolder_;
    std::filesystem::path scenarioFolder_;
    std::filesystem::path scenarioFile_;
};

// The sample world's options, the same for every run so that outputs can be compared.
ScenarioFolderOptions faultWorldOptions();

// Each output of the reference run that the faulty run did not write in full must have
// been reported: its step prints no "Done!", and a companion copy names it in an error
// line, with its reason. Returns one line per output that breaks this, empty when none does.
std::string unreportedBrokenOutputs(const RunResult& result, const std::filesystem::path& converted);
