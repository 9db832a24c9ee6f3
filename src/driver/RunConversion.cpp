#include "driver/RunConversion.h"

#include <ostream>
#include <system_error>

#include "base/PathText.h"
#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "driver/HelpScreen.h"
#include "driver/OutputFolderSetup.h"
#include "driver/RunConsole.h"
#include "driver/RunRequest.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioRun.h"
#include "driver/TemplateFolder.h"
#include "driver/Version.h"

namespace fs = std::filesystem;

namespace {

int runGraphicsOnly(const RunRequest& request, RunConsole& console, const fs::path& templateFolder) {
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
    // Every kind of run, graphics only too, needs the templates: without any, it would
    // only print an error for each.
    const bool named = !request.templateFolder.empty();
    const fs::path templates = named ? pathFromUtf8(request.templateFolder) : templateFolder;
    if (!checkTemplateFolder(templates, named ? request.templateFolder : displayPath(templateFolder), runConsole)) {
        return exit_code::Refused;
    }
    if (!request.graphicsSwitch.empty()) return runGraphicsOnly(request, runConsole, templates);
    const std::string& path = request.paths.front();
    const fs::path target = pathFromUtf8(path);
    std::error_code notAFolder;
    // One scenario file is converted alone; anything more as a collection.
    if (request.paths.size() > 1 || fs::is_directory(target, notAFolder)) {
        return runCollection(request.paths, runConsole, templates, request.outputFolder);
    }
    return runScenario(locateScenario(path, target), runConsole, templates, request.outputFolder);
}
