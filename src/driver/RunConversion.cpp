#include "driver/RunConversion.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <system_error>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OutputFolder.h"
#include "base/OutputFolderLock.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "driver/HelpScreen.h"
#include "driver/RunConsole.h"
#include "driver/RunRequest.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioFileStep.h"
#include "driver/ScenarioPath.h"
#include "driver/Version.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

namespace {

const char* const kRulesName = "Rules.txt";
const char* const kSoundName = "Sound";

// The folder is created where it does not exist yet; whether that worked shows when the
// first output file is created in it; a folder the user named may need its parents too.
// Its lock is taken for the rest of the run: false, with the message printed, when
// another run holds it. Under the lock, the temporary files that a run killed in the
// middle left in it, and in its Sound folder, are removed; not where either is a folder of
// the scenario itself, linked back, whose files are the scenario's own (nothing is written
// there, and no lock is taken).
bool prepareOutputFolder(const fs::path& scenarioFolder, const fs::path& outputFolder,
                         std::optional<OutputFolderLock>& lock, RunConsole& console) {
    const fs::path converted = outputFolder.empty() ? scenarioFolder / kConvertedFolder : outputFolder;
    std::error_code ignored;
    if (outputFolder.empty()) {
        fs::create_directory(converted, ignored);
    } else {
        fs::create_directories(converted, ignored);
    }
    const fs::path scenarioSide = scenarioFolder.empty() ? fs::path(".") : scenarioFolder;
    if (isSameFile(converted, scenarioSide)) return true;
    lock.emplace(converted);
    if (lock->state() == OutputFolderLock::State::HeldElsewhere) {
        console.problem("Error: another conversion is writing into " + displayPath(converted) + "!\n");
        return false;
    }
    if (lock->state() != OutputFolderLock::State::Held) return true;
    removeStaleTemporaries(converted);
    if (!isSameFile(converted / kSoundName, findIgnoringCase(scenarioFolder, kSoundName))) {
        removeStaleTemporaries(converted / kSoundName);
    }
    return true;
}

void printRefusal(RunConsole& console, ScenarioRefusal refusal, const std::string& scenarioPath) {
    if (refusal == ScenarioRefusal::UnsupportedVersion) {
        console.problem("Warning! Not a real scn file or not supported scn version!\n");
    } else {
        console.problem("Error: " + scenarioPath + " is shorter than its map, unit and city counts announce!\n");
    }
}

void convertRulesStep(ScenarioConverter& converter, const fs::path& scenarioFolder) {
    std::ostream& console = converter.console();
    console << "Converting Rules.txt\n";
    RulesTextInput scenarioRules(findIgnoringCase(scenarioFolder, kRulesName));
    if (!scenarioRules.isOpen()) return;

    RulesTextInput templateRules(findIgnoringCase(converter.templateFolder, kRulesName));
    if (!templateRules.isOpen()) {
        converter.reportProblem("Error: template " + displayPath(templateRules.path()) +
                                " not found, Rules.txt not converted!");
        return;
    }
    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / kRulesName;
    if (isSameFile(templateRules.path(), outputPath)) {
        converter.reportProblem("Error: the template " + displayPath(templateRules.path()) +
                                " is the output file itself, Rules.txt not converted!");
        return;
    }
    // An output folder that is the scenario's own (linked back, or named with --out) would
    // have the merge replace the scenario's rules text.
    if (isSameFile(scenarioRules.path(), outputPath)) {
        converter.reportProblem("Error: " + displayPath(outputPath) +
                                " is the scenario's own rules text, Rules.txt not converted!");
        return;
    }
    if (const ScenarioConverter::Output* earlier = converter.outputAt(outputPath)) {
        converter.reportReplacement(scenarioRules.path(), "converted", *earlier);
        return;
    }
    RulesTextOutput output(outputPath);
    if (!output.isOpen()) {
        converter.reportProblem("Error: could not create " + displayPath(outputPath) + "!");
        return;
    }
    converter.mergeRules(scenarioRules, output, templateRules);
    for (const RulesTextInput* input : {&scenarioRules, &templateRules}) {
        if (input->readFailed()) {
            output.discard();
            converter.reportProblem("Error: could not read " + displayPath(input->path()) + "!");
            return;
        }
    }
    if (!output.close()) {
        converter.reportProblem("Error: could not write " + displayPath(outputPath) + "!");
        return;
    }
    converter.recordOutput(outputPath);
    console << "Done!\n";
}

}  // namespace

int runFullConversion(const std::string& scenarioArgument, RunConsole& console,
                      const fs::path& templateFolder, const fs::path& outputFolder) {
    const ScenarioPath parts = splitScenarioPath(scenarioArgument);
    const fs::path scenarioFolder = pathFromUtf8(parts.folder());
    std::optional<OutputFolderLock> lock;
    if (!prepareOutputFolder(scenarioFolder, outputFolder, lock, console)) return exit_code::Refused;

    const fs::path scenarioPath = pathFromUtf8(scenarioArgument);
    std::ifstream scenario(scenarioPath, std::ios::binary);
    if (!scenario.is_open()) {
        console.problem("Error in opening Scenario File!\nPlease check for existance of file and\n"
                        "remember to use full path & extension\n");
        return exit_code::Refused;
    }

    ScenarioConverter converter(console);
    converter.templateFolder = templateFolder;
    converter.outputFolder = outputFolder;
    converter.scenarioName = parts.fileName();

    // The scenario is profiled before its output file exists, so that a refused
    // scenario leaves nothing behind.
    ScenarioRefusal refusal;
    {
        RulesTextInput probeRules(findIgnoringCase(scenarioFolder, kRulesName));
        refusal = converter.probeScenario(scenario, probeRules.isOpen() ? &probeRules : nullptr);
    }
    if (refusal != ScenarioRefusal::None) {
        printRefusal(console, refusal, scenarioArgument);
        return exit_code::Refused;
    }

    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / pathFromUtf8(parts.fileName());
    if (isSameFile(scenarioPath, outputPath)) {
        console.problem("Error: " + displayPath(outputPath) + " is the scenario file itself!\n");
        return exit_code::Refused;
    }
    // The output could not be told from a temporary file, which the next run removes.
    if (isTemporaryName(parts.fileName())) {
        console.problem("Error: " + scenarioArgument + " is named like a temporary file of this tool!\n");
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
    converter.copyCompanionFiles(scenarioFolder, parts.name);
    converter.console() << "Conversion Terminated\n";
    return converter.problemReported() ? exit_code::SomethingSkipped : exit_code::Converted;
}

namespace {

int runGraphicsOnly(const RunRequest& request, RunConsole& console, const fs::path& templateFolder) {
    ScenarioConverter converter(console);
    converter.templateFolder = templateFolder;
    converter.outputFolder = pathFromUtf8(request.outputFolder);
    converter.console() << "Graphic only conversion selected\n";
    if (request.graphicsSwitch == "/g1") {
        converter.edition = Conflicts;
        converter.console() << "Civ2Classic type selected\n";
    } else {
        converter.edition = FantasticWorlds;
        converter.console() << "Fantastic Worlds type selected\n";
    }
    const fs::path scenarioFolder = pathFromUtf8(request.path);
    std::optional<OutputFolderLock> lock;
    if (!prepareOutputFolder(scenarioFolder, converter.outputFolder, lock, console)) return exit_code::Refused;
    converter.convertGraphics(scenarioFolder);
    return exit_code::GraphicsOnly;
}

}  // namespace

int runConversion(const std::vector<std::string>& arguments, std::ostream& console,
                  const fs::path& templateFolder) {
    const RunRequest request = readRunRequest(arguments);
    switch (request.kind) {
        case RunRequest::Kind::HelpScreen:
            printHelpScreen(console);
            return exit_code::HelpShown;
        case RunRequest::Kind::Help:
            printHelp(console);
            return exit_code::Answered;
        case RunRequest::Kind::Version:
            console << kVersionLine << "\n";
            return exit_code::Answered;
        case RunRequest::Kind::Usage:
            console << request.message;
            return exit_code::HelpShown;
        case RunRequest::Kind::Run:
            break;
    }
    RunConsole runConsole(console, request.quiet);
    if (!request.graphicsSwitch.empty()) return runGraphicsOnly(request, runConsole, templateFolder);
    const fs::path outputFolder = pathFromUtf8(request.outputFolder);
    std::error_code notAFolder;
    if (fs::is_directory(pathFromUtf8(request.path), notAFolder)) {
        return runCollection(request.path, runConsole, templateFolder, outputFolder);
    }
    return runFullConversion(request.path, runConsole, templateFolder, outputFolder);
}
