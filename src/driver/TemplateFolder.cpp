#include "driver/TemplateFolder.h"

#include <algorithm>
#include <vector>

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/PathText.h"
#include "driver/RunConsole.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"

// The folder is listed once, for all the names.
bool checkTemplateFolder(const std::filesystem::path& templateFolder, const std::string& shownFolder,
                         RunConsole& console) {
    std::vector<std::string> templates = ScenarioConverter::templateBitmapNames();
    templates.push_back(kRulesTextName);
    for (const FolderEntry& entry : listFolder(templateFolder).entries) {
        const std::string name = displayPath(entry.path.filename());
        const auto isTemplate = [&name](const std::string& wanted) { return equalIgnoringCase(name, wanted); };
        if (entry.isRegularFile && std::any_of(templates.begin(), templates.end(), isTemplate)) return true;
    }
    console.problem("Error: " + shownFolder +
                    " holds no destination templates; start Tavorel in the destination's folder or name that "
                    "folder with --templates!\n");
    return false;
}
