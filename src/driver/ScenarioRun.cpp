#include "driver/ScenarioRun.h"

#include <ostream>
#include <string>
#include <system_error>

#include "base/FailureReason.h"
#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OpenFailure.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "base/SystemFile.h"
#include "driver/ExitCodes.h"
#include "driver/OutputFolderSetup.h"
#include "driver/RulesStep.h"
#include "driver/RunConsole.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioFileStep.h"
#include "driver/TextsLeftBehind.h"
#include "report/RunReport.h"
#include "rules/RulesText.h"
#include "scenario/ScenarioLayout.h"

namespace fs = std::filesystem;

namespace {

void printRefusal(RunConsole& console, const ScenarioRefusal& refusal, const std::string& scenarioPath) {
    if (refusal == ScenarioRefusal::UnsupportedVersion) {
        const std::string found = refusal.versionByte < 0
                                      ? std::to_string(refusal.fileSize) + " bytes, too short to hold a version byte"
                                      : "version byte " + std::to_string(refusal.versionByte) +
                                            "; Tavorel converts versions " + std::to_string(kVersionByteClassic) +
                                            " and " + std::to_string(kVersionByteFantasticWorlds);
        console.problem("Warning! Not a real scn file or not supported scn version!\n" + scenarioPath + ": " + found +
                        "\n");
    } else {
        console.problem("Error: " + scenarioPath + " is shorter than its map, unit and city counts announce!\n");
    }
}

int convertScenario(const ScenarioLocation& location, RunConsole& console, ScenarioConverter& converter,
                    const fs::path& templateFolder, const fs::path& outputFolder) {
    const fs::path& scenarioFolder = location.folder;
    const fs::path& scenarioPath = location.file;
    InputFile scenario(scenarioPath);
    if (!scenario.is_open()) {
        const std::string reason = openFailureReason(scenarioPath, scenario.error().value());
        console.problem(
            "Error in opening Scenario File!\nPlease check for existance of file and\n"
            "remember to use full path & extension\n" +
            location.shown + ": " + reason + "\n");
        return exit_code::Refused;
    }

    converter.templateFolder = templateFolder;
    converter.outputFolder = outputFolder;
    converter.scenarioName = location.fileName;

    // The scenario is profiled before its output folder and file exist, so that a refused
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
    // The output folder is made only now, past every refusal. Made before the output, it
    // goes after it, and is removed should the run have written nothing into it.
    const OutputFolderSetup outputs(scenarioFolder, outputFolder, console);
    if (!outputs.ready()) return exit_code::Refused;
    ReplacingOutput output(outputPath);
    if (!output.isOpen()) {
        // Why the folder could not be made tells more than that it is not there.
        std::error_code ignored;
        const bool folderMissing = outputs.folderError() && !fs::exists(outputPath.parent_path(), ignored);
        const std::string reason =
            folderMissing ? failureReason(outputPath, outputs.folderError()) : output.failureReason();
        console.problem("Error: could not create " + displayPath(outputPath) + reason + "!\n");
        return exit_code::Refused;
    }

    converter.printScenarioInfo();
    convertScenarioStep(converter, scenario, scenarioPath, output);
    scenario.close();
    converter.convertGraphics(scenarioFolder);
    convertRulesStep(converter, scenarioFolder);
    converter.console() << "Copying identical files\n";
    converter.copyCompanionFiles(scenarioFolder, location.baseName);
    noteTextsLeftBehind(converter, scenarioFolder, shownFolder(location));
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
