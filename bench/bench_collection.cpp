// Times complete runs of the tool, started as a user starts it, against their copy floor
// measured in the same run: cp -r of what the conversion reads. One scenario of the sample
// world, with pictures of each kind, against cp -r of its scenario folder and the template
// folder; a collection of scenarios in nested folders against cp -r of each scenario
// folder and the template folder, one cp per scenario. Then the peak resident memory of
// one scenario, and of the collection: it must be that of one scenario, whatever the number
// of scenarios. Each peak is that of the tool converting, as its parent is told it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "kit/PictureKinds.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr double kTargetRatio = 0.6;  // of the copy floor, for 24-bit BMP sources and for the collection
constexpr double kTargetPeakMiB = 4.0;
constexpr int kScenarios = 50;
constexpr int kCollectionTurns = 3;
constexpr int kScenarioTurns = 11;
constexpr int kCompletedRun = 0;  // the tool's exit code when everything was converted

// One scenario a folder, three and four folders deep, as in the collections users keep.
// Returns the scenario folders.
std::vector<fs::path> writeCollection(const fs::path& root, int count) {
    const ScenarioEdition editions[] = {Classic, Conflicts, FantasticWorlds};
    std::vector<fs::path> folders;
    for (int i = 0; i < count; ++i) {
        ScenarioFolderOptions options;
        options.baseName = "Scenario" + std::to_string(i);
        options.scenario.edition = editions[i % 3];
        options.scenario.seed = 100 + static_cast<std::uint64_t>(i);
        fs::path folder = root / ("group" + std::to_string(i % 5)) / ("set" + std::to_string(i % 4));
        if (i % 2 == 1) folder /= "scenario" + std::to_string(i);
        folders.push_back(folder / options.baseName);
        writeScenarioFolder(folders.back(), options);
    }
    return folders;
}

// The peak resident memory, in KiB, of the tool converting `target` (a scenario file or a
// collection) from the template folder; -1 when the run failed.
long peakOfTool(const fs::path& target, const fs::path& templates, const fs::path& outputs) {
    long peak = -1;
    if (!runProgram({TAVOREL_BINARY, "--out", outputs.string(), target.string()}, templates.string(), kCompletedRun,
                    &peak)) {
        return -1;
    }
    return peak;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Comparison {
    std::vector<double> conversion, floor, ratio;
    int exitCode = 0;
};

// The conversion and its copy floor by turns, each after the disk has taken the previous
// one's writes, so that the machine's other work weighs on both alike. Each writes into a
// fresh folder (the conversion through --out), and nothing is deleted until the end: a file
// system can take far longer to make files in the seconds after many were deleted. The
// figures are the medians of the turns.
Comparison compare(int turns, const fs::path& target, const fs::path& templates, const fs::path& scratch,
                   const std::function<void(const fs::path&)>& copyFloor) {
    Comparison result;
    for (int i = 0; i < turns; ++i) {
        const fs::path copy = scratch / ("copy" + std::to_string(i));
        const fs::path outputs = scratch / ("outputs" + std::to_string(i));
        sync();
        const double floor = secondsOf([&] { copyFloor(copy); });
        sync();
        const double conversion = secondsOf([&] {
            if (!runProgram({TAVOREL_BINARY, "--out", outputs.string(), target.string()}, templates.string(),
                            kCompletedRun)) {
                result.exitCode = 1;
            }
        });
        result.floor.push_back(floor);
        result.conversion.push_back(conversion);
        result.ratio.push_back(conversion / floor);
    }
    return result;
}

// cp -r of the folders into `to`, which is made first.
void copyFolders(const std::vector<fs::path>& folders, const fs::path& to) {
    fs::create_directories(to);
    std::vector<std::string> arguments{"cp", "-r"};
    for (const fs::path& folder : folders) arguments.push_back(folder.string());
    arguments.push_back(to.string());
    if (!runProgram(arguments)) std::printf("cp -r into %s failed\n", to.string().c_str());
}

std::uintmax_t bytesUnder(const fs::path& root) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) total += entry.file_size();
    }
    return total;
}

const char* met(bool met) { return met ? "met" : "MISSED"; }

// One scenario of the sample world with pictures of `kind` (nullptr: 24-bit BMPs), against
// cp -r of its folder and the template folder. Returns the median ratio, or -1.
double benchScenario(const char* kindName, const fs::path& templates, const fs::path& root, bool withTarget) {
    const fs::path folder = root / (std::string("scenario-") + (kindName != nullptr ? kindName : "24-bit"));
    ScenarioFolderOptions options;
    options.pictureKind = kindName != nullptr ? &pictureKind(kindName) : nullptr;
    const fs::path scenarioFile = writeScenarioFolder(folder, options);
    const Comparison c =
        compare(kScenarioTurns, scenarioFile, templates, folder.string() + "-runs", [&](const fs::path& copy) {
            copyFolders({folder, templates}, copy);
        });
    const double ratio = median(c.ratio);
    std::printf("  %-22s tool %7.2f ms%s, cp -r %7.2f ms: ratio %.2f%s%s\n",
                kindName != nullptr ? kindName : "24-bit BMP", median(c.conversion) * 1000,
                c.exitCode == 0 ? "" : " (a run FAILED)", median(c.floor) * 1000, ratio,
                withTarget ? ", target <= 0.6: " : "", withTarget ? met(ratio <= kTargetRatio) : "");
    std::fflush(stdout);
    return c.exitCode == 0 ? ratio : -1;
}

}  // namespace

int main() {
    TempFolder folder("tavorel-bench-collection");
    const fs::path templates = folder / "template";
    writeTemplateFolder(templates, 1);
    bool ok = true;

    std::printf(
        "one scenario of the sample world, complete run of the tool against cp -r of its folder and "
        "the template folder (medians of %d turns)\n",
        kScenarioTurns);
    for (const char* kind : {static_cast<const char*>(nullptr), "8-bit BMP", "RLE8 BMP", "GIF87a"}) {
        ok = benchScenario(kind, templates, folder.path(), kind == nullptr) >= 0 && ok;
    }

    const fs::path collection = folder / "collection";
    const std::vector<fs::path> scenarios = writeCollection(collection, kScenarios);
    const Comparison c = compare(kCollectionTurns, collection, templates, folder.path(), [&](const fs::path& copy) {
        for (std::size_t i = 0; i < scenarios.size(); ++i) {
            copyFolders({scenarios[i], templates}, copy / std::to_string(i));
        }
    });
    const double ratio = median(c.ratio);
    std::printf("collection of %d scenarios in nested folders, %.1f MiB (medians of %d turns)\n", kScenarios,
                bytesUnder(collection) / (1024.0 * 1024.0), kCollectionTurns);
    std::printf(
        "  tool %8.3f s%s; cp -r of each scenario folder and the template folder %8.3f s: ratio %.2f, "
        "target <= 0.6: %s\n",
        median(c.conversion), c.exitCode == 0 ? "" : " (a run FAILED)", median(c.floor), ratio,
        met(ratio <= kTargetRatio));
    ok = ok && c.exitCode == 0;

    // The peaks: of one scenario alone (24-bit BMP sources), then of the whole collection.
    const long onePeak = peakOfTool(scenarios[0] / "Scenario0.scn", templates, folder / "peak-one");
    const long allPeak = peakOfTool(collection, templates, folder / "peak-all");
    const bool peaksMeasured = onePeak > 0 && allPeak > 0;
    if (peaksMeasured) {
        std::printf(
            "peak resident memory: one scenario %.2f MiB (target <= %.0f MiB: %s), %d scenarios %.2f MiB "
            "(target: within 1 MiB of one scenario's: %s)\n",
            onePeak / 1024.0, kTargetPeakMiB, met(onePeak <= kTargetPeakMiB * 1024), kScenarios, allPeak / 1024.0,
            met(allPeak - onePeak <= 1024));
    } else {
        std::printf("peak resident memory: a measuring run failed\n");
    }
    std::fflush(stdout);
    return ok && peaksMeasured ? 0 : 1;
}
