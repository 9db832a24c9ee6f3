#include "driver/TemplateFolder.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/PathText.h"
#include "driver/CollectionRun.h"
#include "driver/RunConsole.h"
#include "driver/RunReporting.h"
#include "driver/RunRequest.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioPath.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

// The folder is listed once, for all the names.
bool holdsTemplates(const fs::path& folder) {
    std::vector<std::string> templates = ScenarioConverter::templateBitmapNames();
    templates.push_back(kRulesTextName);
    for (const FolderEntry& entry : listFolder(folder).entries) {
        const std::string name = displayPath(entry.path.filename());
        const auto isTemplate = [&name](const std::string& wanted) { return equalIgnoringCase(name, wanted); };
        if (entry.isRegularFile && std::any_of(templates.begin(), templates.end(), isTemplate)) return true;
    }
    return false;
}

namespace {

// Compared without a final separator, which Windows' library would not take for the same
// folder as the name without it.
bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code unknown;
    return fs::equivalent(absoluteFolderPath(a), absoluteFolderPath(b), unknown);
}

}  // namespace

bool isScenarioFolderOfRun(const RunRequest& request, const fs::path& workingFolder) {
    if (!request.graphicsSwitch.empty()) return sameFolder(pathFromUtf8(request.paths.front()), workingFolder);
    for (const std::string& path : request.paths) {
        const fs::path target = pathFromUtf8(path);
        std::error_code notAFolder;
        if (!fs::is_directory(target, notAFolder)) {
            // A file that is not there is refused by the run whichever templates it takes.
            const ScenarioLocation scenario = locateScenario(path, target);
            std::error_code missing;
            if (fs::is_regular_file(scenario.file, missing) && sameFolder(scenario.folder, workingFolder)) return true;
            continue;
        }
        // The folders that a folder run finds its scenario files in, as it will find them.
        for (const fs::path& found : findScenarioFiles(target, request.outputFolder).files) {
            if (sameFolder(target / found.parent_path(), workingFolder)) return true;
        }
    }
    return false;
}

TemplateChoice chooseTemplateFolder(const std::string& namedFolder, const fs::path& workingFolder,
                                    const fs::path& programFolder, bool workingIsScenarios) {
    if (!namedFolder.empty()) {
        const fs::path named = pathFromUtf8(namedFolder);
        return {named, namedFolder, holdsTemplates(named), false, false};
    }
    if (!workingIsScenarios && holdsTemplates(workingFolder))
        return {workingFolder, displayPath(workingFolder), true, false, false};
    if (!programFolder.empty() && holdsTemplates(programFolder))
        return {programFolder, displayPath(programFolder), true, true, workingIsScenarios};
    return {workingFolder, displayPath(workingFolder), false, false, workingIsScenarios};
}

bool announceTemplateFolder(const TemplateChoice& choice, RunConsole& console) {
    const std::string howToName = "; start Tavorel in the destination's folder or name that folder with --templates!\n";
    if (!choice.found && choice.scenarioFolderPassedOver) {
        console.problem("Error: the working directory " + absoluteFolder(choice.folder) +
                        " is the scenario's own folder, not the destination's" + howToName);
        return false;
    }
    if (!choice.found) {
        console.problem("Error: " + choice.shownFolder + " holds no destination templates" + howToName);
        return false;
    }
    if (choice.besideProgram)
        console.note("Note: templates taken from " + choice.shownFolder + ", the folder that holds Tavorel.\n");
    return true;
}

bool checkTemplateFolder(const TemplateChoice& choice, RunConsole& console) {
    std::vector<ScenarioConverter::TemplateProblem> problems = ScenarioConverter::checkTemplatePictures(choice.folder);
    for (ScenarioConverter::TemplateProblem& problem : ScenarioConverter::checkTemplateRules(choice.folder))
        problems.push_back(std::move(problem));
    for (const ScenarioConverter::TemplateProblem& problem : problems) {
        console.problem("Error: template " + displayPath(problem.file) + " " + problem.problem +
                        ", nothing converted!\n");
    }
    return problems.empty();
}
