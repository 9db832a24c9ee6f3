#include "driver/RunReporting.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "base/PathText.h"
#include "driver/ExitCodes.h"
#include "driver/RunConsole.h"
#include "driver/RunRequest.h"
#include "driver/Version.h"
#include "report/ReportPage.h"

namespace fs = std::filesystem;

namespace {

std::string localDate() {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    const std::tm* local = std::localtime(&now);
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local) == 0) return "unknown";
    return text;
}

}  // namespace

RunReport startRunReport(const RunRequest& request) {
    RunReport report;
    report.kind = request.graphicsSwitch.empty() ? RunReport::Kind::Scenario : RunReport::Kind::GraphicsOnly;
    report.version = kVersionLine;
    report.paths = request.paths;
    report.graphicsSwitch = request.graphicsSwitch;
    report.date = localDate();
    return report;
}

void recordScenarioEnd(ScenarioReport& scenario, const std::string& path, int exitCode, const RunConsole& console) {
    scenario.path = path;
    scenario.messages = console.messages();
    const auto any = [&](RunMessage::Severity severity) {
        return std::any_of(scenario.messages.begin(), scenario.messages.end(),
                           [severity](const RunMessage& message) { return message.severity == severity; });
    };
    if (exitCode == exit_code::Refused) {
        scenario.status = ScenarioStatus::Refused;
    } else if (any(RunMessage::Severity::Problem)) {
        scenario.status = ScenarioStatus::WithProblems;
    } else if (any(RunMessage::Severity::Note)) {
        scenario.status = ScenarioStatus::WithNotes;
    } else {
        scenario.status = ScenarioStatus::Complete;
    }
}

// Without the separator that "." leaves at its end.
fs::path absoluteFolderPath(const fs::path& folder) {
    std::error_code error;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error).lexically_normal();
    if (error) return folder;
    if (absolute.filename().empty() && absolute.has_relative_path()) absolute = absolute.parent_path();
    return absolute;
}

std::string absoluteFolder(const fs::path& folder) { return displayPath(absoluteFolderPath(folder)); }

int finishRunReport(const RunReport& report, const fs::path& file, int exitCode, RunConsole& console) {
    const Outcome written = writeRunReport(report, file);
    if (written.ok()) return exitCode;
    // The line stands after the scenarios, under none of their headings.
    console.startScenario("");
    console.problem("Error: " + written.problem() + ", the report not written!\n");
    return exitCode == exit_code::Converted ? exit_code::SomethingSkipped : exitCode;
}
