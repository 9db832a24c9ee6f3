// Times the conversion of a whole collection (sample scenarios of every edition in nested
// folders) against a plain recursive copy of the same folders, made in the same run, and
// measures the peak resident memory of collections of different sizes: it must be that of
// one scenario, whatever the number of scenarios. Each peak is that of a fresh child process
// (this program, started again) that converts one collection and reads its peak from /proc.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "driver/RunConversion.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr double kTargetRatio = 1.3;
constexpr int kScenarios = 50;
constexpr int kRepeats = 3;

// One scenario a folder, three and four folders deep, as in the collections users keep.
void writeCollection(const fs::path& root, int count) {
    const ScenarioEdition editions[] = {Classic, Conflicts, FantasticWorlds};
    for (int i = 0; i < count; ++i) {
        ScenarioFolderOptions options;
        options.baseName = "Scenario" + std::to_string(i);
        options.scenario.edition = editions[i % 3];
        options.scenario.seed = 100 + static_cast<std::uint64_t>(i);
        fs::path folder = root / ("group" + std::to_string(i % 5)) / ("set" + std::to_string(i % 4));
        if (i % 2 == 1) folder /= "scenario" + std::to_string(i);
        writeScenarioFolder(folder / options.baseName, options);
    }
}

// Every Converted folder under `root`, so that each conversion starts from the same state.
void removeOutputs(const fs::path& root) {
    std::vector<fs::path> outputs;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_directory() && entry.path().filename() == "Converted") outputs.push_back(entry.path());
    }
    for (const fs::path& output : outputs) fs::remove_all(output);
}


// --- child side: converts one collection, prints its exit code and peak in KiB ---------------

int runChild(const char* collection, const char* templates) {
    std::ostream nowhere(nullptr);
    const int code = runConversion({collection}, nowhere, templates);
    std::cout << code << ' ' << peakResidentKiB() << '\n';
    return 0;
}

// --- parent side -----------------------------------------------------------------------------

// The peak resident memory, in KiB, of a child process that converts `collection`; -1 when
// the child failed.
long peakOfChild(const fs::path& collection, const fs::path& templates) {
    std::string reply;
    if (!runSelfAsChild({"bench_collection", "--child", collection.string(), templates.string()}, reply)) return -1;
    int code = -1;
    long peak = -1;
    std::istringstream parse(reply);
    if (!(parse >> code >> peak) || code != 0) return -1;
    return peak;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of this process so far, user and system, in seconds: unlike the elapsed
// time, it hardly moves with the machine's other work.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Measure {
    double elapsed = 1e30;
    double processor = 1e30;
    template <typename Work>
    void keepBest(Work work) {
        const double processorStart = processorSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        elapsed = std::min(elapsed, secondsSince(start));
        processor = std::min(processor, processorSeconds() - processorStart);
    }
};

struct Timings {
    Measure conversion;
    Measure copy;
    int exitCode = 0;
};

// The two are measured by turns, each run after the disk has taken the previous one's
// writes, and each keeps its best time: the machine's other work then weighs on both alike.
// Each run writes into a fresh folder (the conversion through --out), since a file system
// can take longer to make files just after many were deleted.
Timings timeBoth(const fs::path& collection, const fs::path& templates, const fs::path& scratch) {
    std::ostream nowhere(nullptr);  // a stream without a buffer drops the messages
    Timings best;
    for (int i = 0; i < kRepeats; ++i) {
        const fs::path copy = scratch / ("copy" + std::to_string(i));
        const fs::path outputs = scratch / ("outputs" + std::to_string(i));
        sync();
        best.copy.keepBest([&] { fs::copy(collection, copy, fs::copy_options::recursive); });
        sync();
        best.conversion.keepBest([&] {
            best.exitCode = runConversion({"--out", outputs.string(), collection.string()}, nowhere, templates);
        });
    }
    return best;
}

std::uintmax_t bytesUnder(const fs::path& root) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) total += entry.file_size();
    }
    return total;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return runChild(argv[2], argv[3]);
    TempFolder folder("tavorel-bench-collection");
    const fs::path templates = folder / "template";
    const fs::path collection = folder / "collection";
    const fs::path small = folder / "small";
    writeTemplateFolder(templates, 1);
    writeCollection(collection, kScenarios);
    writeCollection(small, 1);
    const double collectionMiB = bytesUnder(collection) / (1024.0 * 1024.0);
    const Timings timings = timeBoth(collection, templates, folder.path());
    const double ratio = timings.conversion.elapsed / timings.copy.elapsed;

    std::printf("collection of %d scenarios in nested folders, %.1f MiB\n", kScenarios, collectionMiB);
    std::printf("  conversion (exit code %d)      %8.3f s elapsed  %8.3f s processor\n", timings.exitCode,
                timings.conversion.elapsed, timings.conversion.processor);
    std::printf("  recursive copy                %8.3f s elapsed  %8.3f s processor\n", timings.copy.elapsed,
                timings.copy.processor);
    std::printf("  conversion / copy: %.2f elapsed, %.2f processor\n", ratio,
                timings.conversion.processor / timings.copy.processor);

    // The peaks: of one scenario alone, then of the whole collection.
    removeOutputs(small);
    removeOutputs(collection);
    const long onePeak = peakOfChild(small, templates);
    const long allPeak = peakOfChild(collection, templates);
    const bool peaksMeasured = onePeak > 0 && allPeak > 0;
    if (peaksMeasured) {
        std::printf("  peak resident memory: one scenario %.1f MiB, %d scenarios %.1f MiB\n", onePeak / 1024.0,
                    kScenarios, allPeak / 1024.0);
    } else {
        std::printf("  peak resident memory: a measuring run failed\n");
    }
    std::printf("  targets: time within %.1fx of the copy: %s; peak of the collection within 1 MiB of one "
                "scenario's: %s\n",
                kTargetRatio, ratio <= kTargetRatio ? "met" : "MISSED",
                !peaksMeasured ? "not measured" : allPeak - onePeak <= 1024 ? "met" : "MISSED");
    std::fflush(stdout);
    return timings.exitCode == 0 && peaksMeasured ? 0 : 1;
}
