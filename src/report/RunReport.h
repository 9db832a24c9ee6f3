#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/RunMessage.h"
#include "base/ScenarioEdition.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesAlignment.h"

// What a report tells of a run: values gathered as the run goes, from the converter of each
// scenario and from the console, and the page written from them once the run has ended.

enum class ScenarioStatus { Complete, WithNotes, WithProblems, Refused };

struct ReportedOutput {
    std::filesystem::path path;
    std::filesystem::path copiedFrom;  // empty for a converted output
    std::int64_t bytes = -1;           // read from the file after the run; -1 when it could not be
};

// One scenario (in a graphics-only run, the folder of pictures).
struct ScenarioReport {
    std::string path;  // as the console names it
    ScenarioStatus status = ScenarioStatus::Complete;
    std::vector<RunMessage> messages;
    bool profiled = false;  // the profile below was read from the scenario file
    ScenarioEdition edition = Conflicts;
    std::int64_t mapWidth = 0;
    std::int64_t mapHeight = 0;
    std::int64_t units = 0;
    std::int64_t cities = 0;
    std::vector<ReportedOutput> outputs;
    std::vector<ScenarioConverter::ConvertedPicture> pictures;
    RulesMergeAccount rules;
};

struct RunReport {
    enum class Kind { Scenario, Folder, GraphicsOnly };
    Kind kind = Kind::Scenario;
    std::string version;             // the banner's line
    std::vector<std::string> paths;  // the scenario files and folders, as given
    std::string graphicsSwitch;      // "/g1" or "/g2" for a graphics-only run
    std::string templateFolder;      // as given with --templates, or else the working folder's absolute path
    std::string date;
    std::vector<RunMessage> messages;  // of the run itself, before its first scenario
    std::vector<ScenarioReport> scenarios;
};

// Takes what the converter did into `scenario`: the profile when `profiled`, the outputs with
// their sizes as the files have them now, the pictures and the rules merge.
void recordConversion(ScenarioReport& scenario, const ScenarioConverter& converter, bool profiled);
