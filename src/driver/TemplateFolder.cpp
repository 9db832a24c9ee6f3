#include "driver/TemplateFolder.h"

#include <algorithm>
#include <vector>

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/PathText.h"
#include "driver/RunConsole.h"
#include "driver/ScenarioConverter.h"
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

TemplateChoice chooseTemplateFolder(const std::string& namedFolder, const fs::path& workingFolder,
                                    const fs::path& programFolder) {
    if (!namedFolder.empty()) {
        const fs::path named = pathFromUtf8(namedFolder);
        return {named, namedFolder, holdsTemplates(named), false};
    }
    if (holdsTemplates(workingFolder)) return {workingFolder, displayPath(workingFolder), true, false};
    if (!programFolder.empty() && holdsTemplates(programFolder))
        return {programFolder, displayPath(programFolder), true, true};
    return {workingFolder, displayPath(workingFolder), false, false};
}

bool announceTemplateFolder(const TemplateChoice& choice, RunConsole& console) {
    if (!choice.found) {
        console.problem("Error: " + choice.shownFolder +
                        " holds no destination templates; start Tavorel in the destination's folder or name that "
                        "folder with --templates!\n");
        return false;
    }
    if (choice.besideProgram)
        console.note("Note: templates taken from " + choice.shownFolder + ", the folder that holds Tavorel.\n");
    return true;
}
