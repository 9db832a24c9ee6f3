#include "driver/RunConversion.h"

#include <ostream>
#include <system_error>

#include "base/PathText.h"
#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "driver/HelpScreen.h"
#include "driver/OutputFolderSetup.h"
#include "driver/RunConsole.h"
#include "driver/RunReporting.h"
#include "driver/RunRequest.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioRun.h"
#include "driver/TemplateFolder.h"
#include "driver/Version.h"

namespace fs = std::filesystem;

namespace {

int runGraphicsOnly(const RunRequest& request, RunConsole& console, const fs::path& templateFolder,
                    ScenarioReport* report) {
    ScenarioConverter converter(console);
    converter.templateFolder = templateFolder;
    converter.outputFolder = request.outputFolder;
    converter.console() << "Graphic only conversion selected\n";
    if (request.graphicsSwitch == "/g1") {
        converter.edition = Conflicts;
        converter.console() << "Civ2Classic type selected\n";
    } else {
        converter.edition = FantasticWorlds;
        converter.console() << "Fantastic Worlds type selected\n";
    }
    const fs::path scenarioFolder = pathFromUtf8(request.paths.front());
    const OutputFolderSetup outputs(scenarioFolder, converter.outputFolder, console);
    if (!outputs.ready()) return exit_code::Refused;
    converter.convertGraphics(scenarioFolder);
    if (report != nullptr) recordConversion(*report, converter, false);
    return exit_code::GraphicsOnly;
}

// The run the request names; what it does goes into `report` too, when one is given.
int runRequested(const RunRequest& request, RunConsole& console, const fs::path& workingFolder,
                 const fs::path& programFolder, RunReport* report) {
    // Every kind of run, graphics only too, needs the templates: without any, it would
    // only print an error for each.
    // A scenario's own folder holds files of the templates' names, which are not the destination's.
    const bool inScenarioFolder = request.templateFolder.empty() && isScenarioFolderOfRun(request, workingFolder);
    const TemplateChoice choice =
        chooseTemplateFolder(request.templateFolder, workingFolder, programFolder, inScenarioFolder);
    const fs::path& templates = choice.folder;
    if (report != nullptr)
        report->templateFolder = request.templateFolder.empty() ? absoluteFolder(templates) : request.templateFolder;
    if (!announceTemplateFolder(choice, console) || !checkTemplateFolder(choice, console)) {
        if (report != nullptr) report->messages = console.messages();
        return exit_code::Refused;
    }
    const std::string& path = request.paths.front();
    const fs::path target = pathFromUtf8(path);
    std::error_code notAFolder;
    // One scenario file is converted alone; anything more as a collection.
    if (request.graphicsSwitch.empty() && (request.paths.size() > 1 || fs::is_directory(target, notAFolder))) {
        if (report != nullptr) report->kind = RunReport::Kind::Folder;
        return runCollection(request.paths, console, templates, request.outputFolder, report);
    }
    ScenarioReport* scenario = report == nullptr ? nullptr : &report->scenarios.emplace_back();
    const int code = request.graphicsSwitch.empty()
                         ? runScenario(locateScenario(path, target), console, templates, request.outputFolder, scenario)
                         : runGraphicsOnly(request, console, templates, scenario);
    if (scenario != nullptr) recordScenarioEnd(*scenario, path, code, console);
    return code;
}

}  // namespace

int runConversion(const std::vector<std::string>& arguments, std::ostream& console, const fs::path& workingFolder,
                  const fs::path& programFolder) {
    const RunRequest request = readRunRequest(arguments);
    switch (request.kind) {
        case RunRequest::Kind::HelpScreen: printHelpScreen(console); return exit_code::HelpShown;
        case RunRequest::Kind::Help: printHelp(console); return exit_code::Answered;
        case RunRequest::Kind::Version: console << kVersionLine << "\n"; return exit_code::Answered;
        case RunRequest::Kind::Usage: console << request.message; return exit_code::HelpShown;
        case RunRequest::Kind::Run: break;
    }
    RunConsole runConsole(console, request.quiet);
    if (request.reportFile.empty()) return runRequested(request, runConsole, workingFolder, programFolder, nullptr);
    RunReport report = startRunReport(request);
    const int code = runRequested(request, runConsole, workingFolder, programFolder, &report);
    return finishRunReport(report, request.reportFile, code, runConsole);
}
