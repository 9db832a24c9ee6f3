#pragma once

#include <filesystem>
#include <string>

#include "report/RunReport.h"

class RunConsole;
struct RunRequest;

// What the driver hands to a report (report/RunReport.h) as a run goes: the run's facts at
// its start, each scenario's status and messages at its end, and the page at the end of the
// run.

// The run's facts: the tool, the paths it was given, the date. The run fills in the rest.
RunReport startRunReport(const RunRequest& request);

// The folder as an absolute path, without "." or ".." and without a final separator (the
// folder itself when the system cannot tell the working directory).
std::filesystem::path absoluteFolderPath(const std::filesystem::path& folder);
// The same as a report names the templates that the working folder holds.
std::string absoluteFolder(const std::filesystem::path& folder);

// `path` names the scenario as the console does; `exitCode` is what its run returned.
void recordScenarioEnd(ScenarioReport& scenario, const std::string& path, int exitCode, const RunConsole& console);

// Writes the report into `file` and returns the run's exit code: `exitCode`, or 2 where that
// was 0 and the report could not be written, which one error line tells. The conversion's
// outputs stay as they are either way.
int finishRunReport(const RunReport& report, const std::filesystem::path& file, int exitCode, RunConsole& console);
