// Times the rules merge of a 50 MiB scenario rules text that does not fit the merge plan (a
// huge caravan section, and a huge section that the conversion does not take, before the
// terrain) against a plain copy of the same file, and measures the peak resident memory of
// the merge. Each measured run happens in a fresh child process (this program, started
// again), so that the peak memory is the merge's alone, not the generator's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "driver/ScenarioConverter.h"
#include "kit/RulesSample.h"
#include "kit/TempFolder.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTargetRatio = 2.0;
constexpr double kTargetPeakMiB = 16.0;
constexpr std::size_t kScenarioBytes = 50u * 1024 * 1024;

// --- child side ---------------------------------------------------------------------------

bool mergeOnce(const fs::path& scenario, const fs::path& templateRules, const fs::path& output) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    converter.edition = Conflicts;
    RulesTextInput scenarioRules(scenario);
    RulesTextInput templateInput(templateRules);
    RulesTextOutput out(output);
    converter.mergeRules(scenarioRules, out, templateInput);
    // The run must have taken the section-by-section path, which tells of the extra section.
    return out.close() && converter.problemReported();
}


// Runs one kind of work `repeats` times; prints the best time and the peak memory.
int runChild(const std::string& work, const fs::path& scenario, const fs::path& templateRules, const fs::path& output,
             int repeats) {
    return timeInChild(repeats, output, [&] {
        return work == "merge" ? mergeOnce(scenario, templateRules, output) : plainCopyOnce(scenario, output);
    });
}

// --- parent side --------------------------------------------------------------------------

Measure measureRun(const std::string& work, const fs::path& scenario, const fs::path& templateRules,
                   const fs::path& output, int repeats) {
    return measureInChild({"bench_rules", "--child", work, scenario.string(), templateRules.string(), output.string(),
                           std::to_string(repeats)});
}

// A Conflicts scenario's sections, the caravan section and an extra one before the terrain
// grown to share about `bytes` between them.
std::string hugeScenarioRules(std::size_t bytes) {
    std::vector<SampleRulesSection> sections = planSections(Conflicts);
    const std::size_t usual = writeSampleSections(sections, 1).size();
    const int lineBytes = 36;  // about, for lines numbered in the hundred thousands
    const int lines = static_cast<int>((bytes - std::min(bytes, usual)) / 2 / lineBytes);
    for (auto at = sections.begin(); at != sections.end(); ++at) {
        if (at->header == "@CARAVAN") at->lines = lines;
        if (at->header == "@TERRAIN") at = sections.insert(at, {"@EXTRA", lines, 0}) + 1;
    }
    return writeSampleSections(sections, 1);
}

void writeRulesFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << withCrLf(text);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 7 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argv[2], argv[3], argv[4], argv[5], std::atoi(argv[6]));
    }
    TempFolder folder("tavorel-bench-rules");
    const fs::path scenario = folder / "Rules.txt";
    const fs::path templateRules = folder / "template.txt";
    const fs::path output = folder / "out.txt";
    writeRulesFile(scenario, hugeScenarioRules(kScenarioBytes));
    writeRulesFile(templateRules, makeTemplateRules(1));

    // Warm the page cache once, so that neither side pays for the first read alone.
    measureRun("copy", scenario, templateRules, output, 1);
    const Measure copy = measureRun("copy", scenario, templateRules, output, 3);
    const Measure merge = measureRun("merge", scenario, templateRules, output, 3);
    if (!copy.ok || !merge.ok) {
        std::cout << "rules merge: a measured run failed\n";
        return 1;
    }
    const double ratio = merge.seconds / copy.seconds;
    std::printf("rules merge, section by section: scenario rules of %.1f MiB (huge caravan and extra sections)\n",
                fs::file_size(scenario) / kMiB);
    std::printf("  merge               %10.3f s   peak resident %.1f MiB\n", merge.seconds, merge.peakMiB);
    std::printf("  plain stream copy   %10.3f s   peak resident %.1f MiB   merge / copy = %.2f\n", copy.seconds,
                copy.peakMiB, ratio);
    std::printf("  targets: time within %.1fx of the plain copy: %s; peak under %.0f MiB: %s\n", kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED", kTargetPeakMiB,
                merge.peakMiB < kTargetPeakMiB ? "met" : "MISSED");
    return 0;
}
