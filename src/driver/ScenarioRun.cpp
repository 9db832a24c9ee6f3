#include "driver/ScenarioRun.h"

#include <fstream>
#include <optional>
#include <ostream>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OutputFolderLock.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "driver/ExitCodes.h"
#include "driver/OutputFolderSetup.h"
#include "driver/RulesStep.h"
#include "driver/RunConsole.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioFileStep.h"
#include "report/RunReport.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

namespace {

void printRefusal(RunConsole& console, ScenarioRefusal refusal, const std::string& scenarioPath) {
    if (refusal == ScenarioRefusal::UnsupportedVersion) {
        console.problem("Warning! Not a real scn file or not supported scn version!\n");
    } else {
        console.problem("Error: " + scenarioPath + " is shorter than its map, unit and city counts announce!\n");
    }
}

int convertScenario(const ScenarioLocation& location, RunConsole& console, ScenarioConverter& converter,
                    const fs::path& templateFolder, const fs::path& outputFolder) {
    const fs::path& scenarioFolder = location.folder;
    std::optional<OutputFolderLock> lock;
    if (!prepareOutputFolder(scenarioFolder, outputFolder, lock, console)) return exit_code::Refused;

    const fs::path& scenarioPath = location.file;
    std::ifstream scenario(scenarioPath, std::ios::binary);
    if (!scenario.is_open()) {
        console.problem("Error in opening Scenario File!\nPlease check for existance of file and\n"
                        "remember to use full path & extension\n");
        return exit_code::Refused;
    }

    converter.templateFolder = templateFolder;
    converter.outputFolder = outputFolder;
    converter.scenarioName = location.fileName;

    // The scenario is profiled before its output file exists, so that a refused
    // scenario leaves nothing behind.
    ScenarioRefusal refusal;
    {
        RulesTextInput probeRules(findIgnoringCase(scenarioFolder, kRulesTextName));
        refusal = converter.probeScenario(scenario, probeRules.isOpen() ? &probeRules : nullptr);
    }
    if (refusal != ScenarioRefusal::None) {
        printRefusal(console, refusal, location.shown);
        return exit_code::Refused;
    }

    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / pathFromUtf8(location.fileName);
    if (isSameFile(scenarioPath, outputPath)) {
        console.problem("Error: " + displayPath(outputPath) + " is the scenario file itself!\n");
        return exit_code::Refused;
    }
    // The output could not be told from a temporary file, which the next run removes.
    if (isTemporaryName(location.fileName)) {
        console.problem("Error: " + location.shown + " is named like a temporary file of this tool!\n");
        return exit_code::Refused;
    }
    ReplacingOutput output(outputPath);
    if (!output.isOpen()) {
        console.problem("Error: could not create " + displayPath(outputPath) + "!\n");
        return exit_code::Refused;
    }

    converter.printScenarioInfo();
    convertScenarioStep(converter, scenario, scenarioPath, output);
    scenario.close();
    converter.convertGraphics(scenarioFolder);
    convertRulesStep(converter, scenarioFolder);
    converter.console() << "Copying identical files\n";
    converter.copyCompanionFiles(scenarioFolder, location.baseName);
    converter.console() << "Conversion Terminated\n";
    return converter.problemReported() ? exit_code::SomethingSkipped : exit_code::Converted;
}

}  // namespace

int runScenario(const ScenarioLocation& location, RunConsole& console, const fs::path& templateFolder,
                const fs::path& outputFolder, ScenarioReport* report) {
    ScenarioConverter converter(console);
    const int code = convertScenario(location, console, converter, templateFolder, outputFolder);
    if (report != nullptr) recordConversion(*report, converter, code != exit_code::Refused);
    return code;
}
