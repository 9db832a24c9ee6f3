#include "FaultWorld.h"

#include <sstream>
#include <system_error>

#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kWorldSeed = 8;

FileSnapshot snapshot(const fs::path& folder, bool skipConverted) {
    FileSnapshot files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (skipConverted && it.depth() == 0 && it->path().filename() == "Converted") {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(error)) {
            files[fs::relative(it->path(), folder).generic_string()] = readFileBytes(it->path());
        }
    }
    return files;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The console lines with which an output's step says that it wrote the output in full;
// empty for the companion files, whose copying prints no such line.
std::string doneLinesFor(const std::string& output, const std::string& scenarioFileName) {
    if (output == scenarioFileName) return "Converting SCN file...\nDone!\n";
    if (output == "Rules.txt") return "Converting Rules.txt\nDone!\n";
    for (const char* picture : kScenarioBitmapNames) {
        if (output == picture) return std::string("Searching ") + picture + "...Found!\nNow Converting...\nDone!\n";
    }
    if (output == "Improvements.bmp") return "Searching Icons.bmp...Found!\nNow Converting...\nDone!\n";
    return {};
}

}  // namespace

FileSnapshot snapshotScenarioFiles(const fs::path& folder) { return snapshot(folder, true); }
FileSnapshot snapshotFiles(const fs::path& folder) { return snapshot(folder, false); }

ScenarioFolderOptions faultWorldOptions() {
    ScenarioFolderOptions options;
    options.scenario.edition = Classic;
    options.scenario.seed = kWorldSeed;
    return options;
}

FaultWorld::FaultWorld(const fs::path& scenarioFolder)
    : templateFolder_(root_ / "template"),
      scenarioFolder_(scenarioFolder.empty() ? root_ / "scen" : scenarioFolder) {
    writeTemplateFolder(templateFolder_, kWorldSeed);
}

void FaultWorld::writeScenario() { scenarioFile_ = writeScenarioFolder(scenarioFolder_, faultWorldOptions()); }

RunResult FaultWorld::run() const {
    std::ostringstream console;
    RunResult result;
    result.exitCode = runConversion({scenarioFile_.string()}, console, templateFolder_);
    result.console = console.str();
    return result;
}

const FileSnapshot& FaultWorld::referenceOutputs() {
    static const FileSnapshot outputs = [] {
        FaultWorld world;
        world.writeScenario();
        world.run();
        return snapshotFiles(world.converted());
    }();
    return outputs;
}

std::string unreportedBrokenOutputs(const RunResult& result, const fs::path& converted) {
    const std::string scenarioFileName = faultWorldOptions().baseName + ".scn";
    std::string broken;
    for (const auto& [name, bytes] : FaultWorld::referenceOutputs()) {
        const fs::path output = (converted / name).make_preferred();
        std::error_code error;
        if (fs::is_regular_file(output, error) && readFileBytes(output) == bytes) continue;
        const std::string done = doneLinesFor(name, scenarioFileName);
        const bool reported = done.empty() ? contains(result.console, "Error: could not copy ") &&
                                                 contains(result.console, " to " + output.string() + " (")
                                           : !contains(result.console, done);
        if (!reported) broken += name + " is not written in full, and its step says nothing of it\n";
    }
    return broken;
}
