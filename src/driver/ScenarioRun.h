#pragma once

#include <filesystem>

#include "driver/ScenarioPath.h"

class RunConsole;
struct ScenarioReport;
struct ScenarioReport;

// One scenario file: 0 when everything converted, 2 when something was skipped for a
// reported problem, -1 when the scenario was refused. The outputs go into `outputFolder`,
// or into Converted beside the scenario when it is empty. Every problem, a refusal
// included, is printed through console.problem. What the converter did goes into `report`
// when one is given. What the converter did goes into `report`
// when one is given.
int runScenario(const ScenarioLocation& scenario, RunConsole& console, const std::filesystem::path& templateFolder,
                const std::filesystem::path& outputFolder, ScenarioReport* report = nullptr);
