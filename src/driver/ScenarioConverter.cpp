#include "driver/ScenarioConverter.h"

#include <ostream>

#include "base/FileCopy.h"
#include "base/OutputFolder.h"
#include "base/PathText.h"
#include "driver/RunConsole.h"

ScenarioConverter::ScenarioConverter(std::ostream& console)
    : ownConsole_(std::make_unique<RunConsole>(console, false)), console_(*ownConsole_) {}

ScenarioConverter::ScenarioConverter(RunConsole& console) : console_(console) {}

ScenarioConverter::~ScenarioConverter() = default;

std::ostream& ScenarioConverter::console() { return console_.progress(); }

void ScenarioConverter::reportProblem(const std::string& message) {
    console_.problem(message + '\n');
    problemReported_ = true;
}

void ScenarioConverter::reportNote(const std::string& message) { console_.note(message + '\n'); }

void ScenarioConverter::recordOutput(const std::filesystem::path& path, const std::filesystem::path& copiedFrom) {
    outputs_.push_back({path, copiedFrom});
}

// Asked of the file system, which knows whether two spellings name one file.
const ScenarioConverter::Output* ScenarioConverter::outputAt(const std::filesystem::path& destination) const {
    for (const Output& output : outputs_) {
        if (isSameFile(output.path, destination)) return &output;
    }
    return nullptr;
}

void ScenarioConverter::reportReplacement(const std::filesystem::path& source, const std::string& notDone,
                                          const Output& earlier) {
    reportProblem("Warning: " + displayPath(source) + " not " + notDone + ", it would replace the " +
                  (earlier.copiedFrom.empty() ? "converted " : "copied ") + displayPath(earlier.path.filename()) + "!");
}

std::filesystem::path ScenarioConverter::outputFolderFor(const std::filesystem::path& scenarioFolder) const {
    return ::outputFolderFor(scenarioFolder, outputFolder);
}
