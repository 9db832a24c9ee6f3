#include "driver/ScenarioFileStep.h"

#include <istream>
#include <ostream>

#include "base/FailureReason.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "base/SystemFile.h"
#include "driver/ScenarioConverter.h"

void convertScenarioStep(ScenarioConverter& converter, std::istream& scenario,
                         const std::filesystem::path& scenarioPath, ReplacingOutput& output) {
    converter.console() << "Converting SCN file...\n";
    converter.convertScenarioFile(scenario, output.stream());
    // The profile measured the file: every read of the conversion finds its bytes, unless
    // the file could not be read or was cut short since.
    if (!scenario.good()) {
        output.discard();
        converter.reportProblem("Error: could not read " + displayPath(scenarioPath) +
                                failureReason(scenarioPath, keptError(scenario)) + "!");
        return;
    }
    if (!output.commit()) {
        converter.reportProblem("Error: could not write " + displayPath(output.path()) + output.failureReason() + "!");
        return;
    }
    converter.recordOutput(output.path());
    converter.console() << "Done!\n";
}
