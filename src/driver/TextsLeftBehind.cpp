#include "driver/TextsLeftBehind.h"

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/PathText.h"
#include "driver/ScenarioConverter.h"

namespace {

constexpr const char* kTextsLeftBehind[] = {"PEDIA.TXT", "GAME.TXT", "LABELS.TXT", "ADVICE.TXT", "MENU.TXT"};

constexpr bool sameText(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// A name twice would be named twice.
constexpr bool namesDiffer() {
    for (const char* a : kTextsLeftBehind) {
        int equal = 0;
        for (const char* b : kTextsLeftBehind) equal += sameText(a, b) ? 1 : 0;
        if (equal != 1) return false;
    }
    return true;
}
static_assert(namesDiffer(), "each text left behind is listed once");

}  // namespace

// The folder is listed once, for all the names.
std::vector<std::string> textsLeftBehind(const std::filesystem::path& scenarioFolder) {
    const FolderListing listing = listFolder(scenarioFolder);
    std::vector<std::string> found;
    for (const char* name : kTextsLeftBehind) {
        std::string stored;
        for (const FolderEntry& entry : listing.entries) {
            if (!entry.isRegularFile) continue;
            const std::string entryName = displayPath(entry.path.filename());
            if (entryName == name) {
                stored = entryName;
                break;
            }
            if (equalIgnoringCase(entryName, name) && (stored.empty() || entryName < stored)) stored = entryName;
        }
        if (!stored.empty()) found.push_back(stored);
    }
    return found;
}

void noteTextsLeftBehind(ScenarioConverter& converter, const std::filesystem::path& scenarioFolder,
                         const std::string& shownFolder) {
    const std::vector<std::string> texts = textsLeftBehind(scenarioFolder);
    if (texts.empty()) return;
    std::string names;
    for (const std::string& name : texts) names += (names.empty() ? "" : ", ") + name;
    converter.reportNote("Note: " + shownFolder + " also holds " + names +
                         "; they are not converted, check them by hand.");
}
