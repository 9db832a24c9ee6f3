#include "driver/CollectionRun.h"

#include <algorithm>
#include <exception>
#include <ostream>
#include <system_error>

#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/OutputFolder.h"
#include "base/PathText.h"
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
    std::sort(found.begin(), found.end(),
              [](const fs::path& a, const fs::path& b) { return a.generic_u8string() < b.generic_u8string(); });
    return search;
}

namespace {

// A scenario of the collection: where it is, and where its outputs go.
struct Member {
    ScenarioLocation scenario;
    fs::path outputs;  // empty for Converted beside it
};

struct Collection {
    std::vector<Member> members;
    bool searchedWhole = true;  // every folder read, and each held a scenario file
};

// The scenarios that the paths name, in their order: a scenario file itself, or those under
// a folder, each shown as the folder argument joined with its path inside the folder. A
// folder that could not be read whole, or that holds no scenario file, is told at once.
Collection collect(const std::vector<std::string>& paths, RunConsole& console, const fs::path& outputFolder) {
    Collection collection;
    for (const std::string& path : paths) {
        const fs::path target = pathFromUtf8(path);
        std::error_code notAFolder;
        if (!fs::is_directory(target, notAFolder)) {
            collection.members.push_back({locateScenario(path, target), outputFolder});
            continue;
        }
        const ScenarioSearch search = findScenarioFiles(target, outputFolder);
        for (const std::string& problem : search.problems) console.problem("Error: " + problem + "!\n");
        if (search.files.empty()) console.problem("No scenario file found in " + path + "\n");
        collection.searchedWhole = collection.searchedWhole && search.problems.empty() && !search.files.empty();
        for (const fs::path& relative : search.files) {
            fs::path outputs;
            if (!outputFolder.empty()) {
                const fs::path subfolder = relative.parent_path();
                outputs = subfolder.empty() ? outputFolder : outputFolder / subfolder;
            }
            collection.members.push_back({locateScenario(target / relative, displayPath(target / relative)), outputs});
        }
    }
    return collection;
}

}  // namespace

int runCollection(const std::vector<std::string>& paths, RunConsole& console, const fs::path& templateFolder,
                  const fs::path& outputFolder, RunReport* report) {
    const Collection collection = collect(paths, console, outputFolder);
    if (report != nullptr) report->messages = console.messages();
    const std::vector<Member>& members = collection.members;
    if (members.empty()) return exit_code::Refused;

    // The scenarios that did not convert completely, in the order they were converted.
    std::vector<Incomplete> notComplete;
    std::size_t withProblems = 0;
    std::size_t refused = 0;
    const std::size_t total = members.size();
    for (std::size_t k = 0; k < total; ++k) {
        const ScenarioLocation& scenario = members[k].scenario;
        console.startScenario("[" + std::to_string(k + 1) + "/" + std::to_string(total) + "] " + scenario.shown + "\n");
        ScenarioReport* account = report == nullptr ? nullptr : &report->scenarios.emplace_back();
        const int code = convertOne(scenario, console, templateFolder, members[k].outputs, account);
        if (account != nullptr) recordScenarioEnd(*account, scenario.shown, code, console);
        if (code == exit_code::Converted) continue;
        const bool skipped = code == exit_code::SomethingSkipped;
        ++(skipped ? withProblems : refused);
        notComplete.push_back({(skipped ? "  with problems: " : "  refused: ") + scenario.shown, console.problemCount(),
                               console.firstProblemLine()});
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
    return complete == total && collection.searchedWhole ? exit_code::Converted : exit_code::SomethingSkipped;
}
