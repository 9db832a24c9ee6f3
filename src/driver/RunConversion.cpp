#include "driver/RunConversion.h"

#include <ostream>
#include <system_error>

#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "driver/HelpScreen.h"
#include "driver/OutputFolderSetup.h"
#include "driver/RunConsole.h"
#include "driver/RunRequest.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioRun.h"
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
    const fs::path& scenarioFolder = request.target;
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
    if (!request.graphicsSwitch.empty()) return runGraphicsOnly(request, runConsole, templateFolder);
    std::error_code notAFolder;
    if (fs::is_directory(request.target, notAFolder)) {
        return runCollection(request.target, request.path, runConsole, templateFolder, request.outputFolder);
    }
    return runScenario(locateScenario(request.path, request.target), runConsole, templateFolder, request.outputFolder);
}
