#include "driver/RunConversion.h"

#include <fstream>
#include <ostream>
#include <system_error>

#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OutputFolder.h"
#include "driver/HelpScreen.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioPath.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

namespace {

const char* const kRulesName = "Rules.txt";
const char* const kOutOption = "--out";

bool isHelpRequest(const std::string& argument) {
    return argument == "--help" || argument == "-h" || argument == "/?";
}

// The folder is created where it does not exist yet; whether that worked shows when the
// first output file is created in it. A folder the user named may need its parents too.
void createConvertedFolder(const fs::path& scenarioFolder, const fs::path& outputFolder) {
    std::error_code ignored;
    if (outputFolder.empty()) {
        fs::create_directory(scenarioFolder / kConvertedFolder, ignored);
    } else {
        fs::create_directories(outputFolder, ignored);
    }
}

void printRefusal(std::ostream& console, ScenarioRefusal refusal, const std::string& scenarioPath) {
    if (refusal == ScenarioRefusal::UnsupportedVersion) {
        console << "Warning! Not a real scn file or not supported scn version!\n";
    } else {
        console << "Error: " << scenarioPath
                << " is shorter than its map, unit and city counts announce!\n";
    }
}

// An output that could not be written whole is not left behind to pass for a converted one.
void removeHalfWritten(const fs::path& output) {
    std::error_code ignored;
    fs::remove(output, ignored);
}

void convertScenarioStep(ScenarioConverter& converter, std::ifstream& scenario, std::ofstream& output,
                         const fs::path& outputPath) {
    std::ostream& console = converter.console();
    console << "Converting SCN file...\n";
    converter.convertScenarioFile(scenario, output);
    scenario.close();
    output.flush();
    const bool written = output.good();
    output.close();
    if (!written || output.fail()) {
        converter.reportProblem("Error: could not write " + outputPath.string() + "!");
        removeHalfWritten(outputPath);
        return;
    }
    console << "Done!\n";
}

void convertRulesStep(ScenarioConverter& converter, const fs::path& scenarioFolder) {
    std::ostream& console = converter.console();
    console << "Converting Rules.txt\n";
    RulesTextInput scenarioRules(findIgnoringCase(scenarioFolder, kRulesName));
    if (!scenarioRules.isOpen()) return;

    RulesTextInput templateRules(findIgnoringCase(converter.templateFolder, kRulesName));
    if (!templateRules.isOpen()) {
        converter.reportProblem("Error: template " + templateRules.path().string() +
                                " not found, Rules.txt not converted!");
        return;
    }
    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / kRulesName;
    if (isSameFile(templateRules.path(), outputPath)) {
        converter.reportProblem("Error: the template " + templateRules.path().string() +
                                " is the output file itself, Rules.txt not converted!");
        return;
    }
    RulesTextOutput output(outputPath);
    if (!output.isOpen()) {
        converter.reportProblem("Error: could not create " + outputPath.string() + "!");
        return;
    }
    converter.mergeRules(scenarioRules, output, templateRules);
    if (!output.close()) {
        converter.reportProblem("Error: could not write " + outputPath.string() + "!");
        removeHalfWritten(outputPath);
        return;
    }
    console << "Done!\n";
}

}  // namespace

int runFullConversion(const std::string& scenarioArgument, std::ostream& console,
                      const fs::path& templateFolder, const fs::path& outputFolder) {
    const ScenarioPath parts = splitScenarioPath(scenarioArgument);
    const fs::path scenarioFolder(parts.folder());
    createConvertedFolder(scenarioFolder, outputFolder);

    std::ifstream scenario(fs::path(scenarioArgument), std::ios::binary);
    if (!scenario.is_open()) {
        console << "Error in opening Scenario File!\nPlease check for existance of file and\n"
                   "remember to use full path & extension\n";
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

    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / parts.fileName();
    if (isSameFile(fs::path(scenarioArgument), outputPath)) {
        console << "Error: " << outputPath.string() << " is the scenario file itself!\n";
        return exit_code::Refused;
    }
    std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
    if (!output.is_open()) {
        console << "Error: could not create " << outputPath.string() << "!\n";
        return exit_code::Refused;
    }

    converter.printScenarioInfo();
    convertScenarioStep(converter, scenario, output, outputPath);
    converter.convertGraphics(scenarioFolder);
    convertRulesStep(converter, scenarioFolder);
    console << "Copying identical files\n";
    converter.copyCompanionFiles(scenarioFolder, parts.name);
    console << "Conversion Terminated\n";
    return converter.problemReported() ? exit_code::SomethingSkipped : exit_code::Converted;
}

namespace {

int runGraphicsOnly(const std::vector<std::string>& arguments, std::ostream& console,
                    const fs::path& templateFolder, const fs::path& outputFolder) {
    if (arguments.size() < 2 || arguments[1].empty()) {
        console << "USAGE: Tavorel " << arguments[0] << " <folder of the scenario's bitmaps>\n";
        return exit_code::HelpShown;
    }
    ScenarioConverter converter(console);
    converter.templateFolder = templateFolder;
    converter.outputFolder = outputFolder;
    console << "Graphic only conversion selected\n";
    if (arguments[0] == "/g1") {
        converter.edition = Conflicts;
        console << "Civ2Classic type selected\n";
    } else {
        converter.edition = FantasticWorlds;
        console << "Fantastic Worlds type selected\n";
    }
    const fs::path scenarioFolder(arguments[1]);
    createConvertedFolder(scenarioFolder, outputFolder);
    converter.convertGraphics(scenarioFolder);
    return exit_code::GraphicsOnly;
}

// The run modes, once the output folder option is taken off the arguments.
int runMode(const std::vector<std::string>& arguments, std::ostream& console,
            const fs::path& templateFolder, const fs::path& outputFolder) {
    if (arguments.empty() || isHelpRequest(arguments[0])) {
        printHelpScreen(console);
        return exit_code::HelpShown;
    }
    if (arguments[0] == "/g1" || arguments[0] == "/g2") {
        return runGraphicsOnly(arguments, console, templateFolder, outputFolder);
    }
    std::error_code notAFolder;
    if (fs::is_directory(fs::path(arguments[0]), notAFolder)) {
        return runCollection(arguments[0], console, templateFolder, outputFolder);
    }
    return runFullConversion(arguments[0], console, templateFolder, outputFolder);
}

}  // namespace

int runConversion(const std::vector<std::string>& arguments, std::ostream& console,
                  const fs::path& templateFolder) {
    if (arguments.empty() || arguments[0] != kOutOption) {
        return runMode(arguments, console, templateFolder, fs::path());
    }
    // "--out <folder>" comes first; what follows is read as it would be without it.
    if (arguments.size() < 3 || arguments[1].empty() || arguments[2].empty()) {
        console << "USAGE: Tavorel " << kOutOption << " <output folder> <scenario file or folder>\n";
        return exit_code::HelpShown;
    }
    const std::vector<std::string> rest(arguments.begin() + 2, arguments.end());
    return runMode(rest, console, templateFolder, fs::path(arguments[1]));
}
