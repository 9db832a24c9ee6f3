#include "driver/CollectionRun.h"

#include <algorithm>
#include <exception>
#include <ostream>
#include <system_error>

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/PathText.h"
#include "base/OutputFolder.h"
#include "driver/ExitCodes.h"
#include "driver/RunConsole.h"
#include "driver/RunReporting.h"
#include "driver/ScenarioRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kScenarioEnding = ".scn";

bool isScenarioName(const std::string& name) {
    return name.size() >= kScenarioEnding.size() &&
           equalIgnoringCase(name.substr(name.size() - kScenarioEnding.size()), kScenarioEnding);
}

// A folder of the collection is entered unless it is reached through a link (which could
// lead back to a parent, or out of the collection), holds the outputs of an earlier run,
// or is the folder that this run writes into.
bool isEntered(const FolderEntry& entry, const fs::path& skippedFolder) {
    if (!entry.isFolder) return false;
    if (equalIgnoringCase(displayPath(entry.path.filename()), kConvertedFolder)) return false;
    std::error_code error;
    return skippedFolder.empty() || !fs::equivalent(entry.path, skippedFolder, error);
}

// One scenario exactly as the program given its path would run it, down to the message
// of an unexpected failure, which then ends this scenario only.
int convertOne(const ScenarioLocation& scenario, RunConsole& console, const fs::path& templateFolder,
               const fs::path& outputFolder, ScenarioReport* report) {
    try {
        return runScenario(scenario, console, templateFolder, outputFolder, report);
    } catch (const std::exception& error) {
        console.problem(std::string("Error: ") + error.what() + "\n");
        return exit_code::Refused;
    }
}

// A scenario that did not convert completely, as the summary names it.
struct Incomplete {
    std::string line;  // "  with problems: <path>" or "  refused: <path>"
    std::size_t problemCount;
    std::string firstProblemLine;
};

}  // namespace

ScenarioSearch findScenarioFiles(const fs::path& folder, const fs::path& skippedFolder) {
    ScenarioSearch search;
    std::vector<fs::path>& found = search.files;
    // Folders still to be listed, relative to `folder`; an explicit list rather than
    // recursion, so that the depth of a collection costs no stack.
    std::vector<fs::path> pending{fs::path()};
    while (!pending.empty()) {
        const fs::path relativeFolder = pending.back();
        pending.pop_back();
        const fs::path listed = folder / relativeFolder;
        const FolderListing listing = listFolder(listed);
        for (const FolderEntry& entry : listing.entries) {
            const fs::path relative = relativeFolder / entry.path.filename();
            if (isEntered(entry, skippedFolder)) {
                pending.push_back(relative);
            } else if (entry.isRegularFile && isScenarioName(displayPath(entry.path.filename()))) {
                found.push_back(relative);
            }
        }
        if (!listing.outcome.ok()) search.problems.push_back(listing.outcome.problem());
    }
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return a.generic_u8string() < b.generic_u8string();
    });
    return search;
}

int runCollection(const fs::path& folder, const std::string& shownFolder, RunConsole& console,
                  const fs::path& templateFolder, const fs::path& outputFolder, RunReport* report) {
    const ScenarioSearch search = findScenarioFiles(folder, outputFolder);
    for (const std::string& problem : search.problems) console.problem("Error: " + problem + "!\n");
    const std::vector<fs::path>& scenarios = search.files;
    if (scenarios.empty()) {
        console.problem("No scenario file found in " + shownFolder + "\n");
        if (report != nullptr) report->messages = console.messages();
        return exit_code::Refused;
    }
    if (report != nullptr) report->messages = console.messages();

    // The scenarios that did not convert completely, in the order they were converted.
    std::vector<Incomplete> notComplete;
    std::size_t withProblems = 0;
    std::size_t refused = 0;
    const std::size_t total = scenarios.size();
    for (std::size_t k = 0; k < total; ++k) {
        const fs::path& relative = scenarios[k];
        // The path as the user would type it: the folder argument, then the path inside it.
        const std::string scenarioPath = displayPath(folder / relative);
        console.startScenario("[" + std::to_string(k + 1) + "/" + std::to_string(total) + "] " + scenarioPath + "\n");
        fs::path outputs;
        if (!outputFolder.empty()) {
            const fs::path subfolder = relative.parent_path();
            outputs = subfolder.empty() ? outputFolder : outputFolder / subfolder;
        }
        ScenarioReport* account = report == nullptr ? nullptr : &report->scenarios.emplace_back();
        const int code =
            convertOne(locateScenario(folder / relative, scenarioPath), console, templateFolder, outputs, account);
        if (account != nullptr) recordScenarioEnd(*account, scenarioPath, code, console);
        if (code == exit_code::Converted) continue;
        const bool skipped = code == exit_code::SomethingSkipped;
        ++(skipped ? withProblems : refused);
        notComplete.push_back({(skipped ? "  with problems: " : "  refused: ") + scenarioPath,
                               console.problemCount(), console.firstProblemLine()});
    }

    const std::size_t complete = total - withProblems - refused;
    std::ostream& summary = console.always();
    summary << "Converted " << total << " scenarios: " << complete << " complete, " << withProblems
            << " with problems, " << refused << " refused\n";
    for (const Incomplete& scenario : notComplete) {
        summary << scenario.line << "\n";
        if (scenario.problemCount > 0) summary << "    " << scenario.firstProblemLine << "\n";
        if (scenario.problemCount > 1) summary << "    (and " << scenario.problemCount - 1 << " more)\n";
    }
    const bool everyFolderRead = search.problems.empty();
    return complete == total && everyFolderRead ? exit_code::Converted : exit_code::SomethingSkipped;
}
