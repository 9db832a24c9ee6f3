#include "driver/ScenarioConverter.h"

#include <ostream>

#include "base/OutputFolder.h"

ScenarioConverter::ScenarioConverter(std::ostream& console) : console_(console) {}

void ScenarioConverter::reportProblem(const std::string& message) {
    console_ << message << '\n';
    problemReported_ = true;
}

std::filesystem::path ScenarioConverter::outputFolderFor(const std::filesystem::path& scenarioFolder) const {
    return outputFolder.empty() ? scenarioFolder / kConvertedFolder : outputFolder;
}
