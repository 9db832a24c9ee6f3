// Times the scenario file conversion against a plain copy of the same file and measures
// the peak resident memory of the conversion, for a typical scenario and for one whose
// tail is 256 MiB. Each measured run happens in a fresh child process (this program,
// started again), so that the peak memory is the conversion's alone, not the generator's.
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
#include "kit/ScenarioSample.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTargetRatio = 1.5;
constexpr double kTargetPeakMiB = 16.0;

// --- child side ---------------------------------------------------------------------------


bool convertOnce(const fs::path& input, const fs::path& output) {
    std::ifstream in(input, std::ios::binary);
    std::ostringstream console;
    ScenarioConverter converter(console);
    if (converter.probeScenario(in, nullptr) != ScenarioRefusal::None) return false;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    converter.convertScenarioFile(in, out);
    out.close();
    return !out.fail();
}


bool kernelCopyOnce(const fs::path& input, const fs::path& output) {
    std::error_code error;
    fs::copy_file(input, output, fs::copy_options::overwrite_existing, error);
    return !error;
}

// Runs one kind of work `repeats` times; prints the best time in seconds and the peak
// resident memory in KiB.
int runChild(const std::string& work, const fs::path& input, const fs::path& output, int repeats) {
    return timeInChild(repeats, output, [&] {
        return work == "convert" ? convertOnce(input, output)
               : work == "copy"  ? plainCopyOnce(input, output)
                                 : kernelCopyOnce(input, output);
    });
}

// --- parent side --------------------------------------------------------------------------

Measure measureRun(const std::string& work, const fs::path& input, const fs::path& output, int repeats) {
    return measureInChild(
        {"bench_scenario", "--child", work, input.string(), output.string(), std::to_string(repeats)});
}

std::string formatSeconds(double seconds) {
    char text[32];
    if (seconds < 0.01) {
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1000);
    } else {
        std::snprintf(text, sizeof text, "%.3f s", seconds);
    }
    return text;
}

// `withTargets`: the time target holds for large files, where the copying dominates; a
// typical file converts in well under a millisecond, mostly in per-step overhead.
bool benchScenario(const std::string& label, const ScenarioSampleOptions& options, int repeats, bool withTargets,
                   const fs::path& folder) {
    const fs::path input = folder / "input.scn";
    const fs::path output = folder / "output.scn";
    if (!writeScenarioFile(input, options)) {
        std::cout << label << ": could not write the sample\n";
        return false;
    }
    // Warm the page cache once, so that neither side pays for the first read alone.
    measureRun("copy", input, output, 1);
    const Measure copy = measureRun("copy", input, output, repeats);
    const Measure convert = measureRun("convert", input, output, repeats);
    const Measure kernel = measureRun("copy_file", input, output, repeats);
    fs::remove(input);
    fs::remove(output);
    if (!copy.ok || !convert.ok || !kernel.ok) {
        std::cout << label << ": a measured run failed\n";
        return false;
    }
    const double ratio = convert.seconds / copy.seconds;
    std::printf("%s: %lld bytes in (%.1f MiB)\n", label.c_str(), static_cast<long long>(scenarioFileSize(options)),
                scenarioFileSize(options) / kMiB);
    std::printf("  conversion          %12s   peak resident %.1f MiB\n", formatSeconds(convert.seconds).c_str(),
                convert.peakMiB);
    std::printf("  plain stream copy   %12s   peak resident %.1f MiB   conversion / copy = %.2f\n",
                formatSeconds(copy.seconds).c_str(), copy.peakMiB, ratio);
    std::printf("  copy_file           %12s   conversion / copy_file = %.2f\n", formatSeconds(kernel.seconds).c_str(),
                convert.seconds / kernel.seconds);
    if (!withTargets) return true;
    std::printf("  targets: time within %.1fx of the plain copy: %s; peak under %.0f MiB: %s\n", kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED", kTargetPeakMiB,
                convert.peakMiB < kTargetPeakMiB ? "met" : "MISSED");
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 6 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    }
    TempFolder folder("tavorel-bench-scenario");

    ScenarioSampleOptions typical;  // map 80 x 50, 100 units, 20 cities
    ScenarioSampleOptions large = typical;
    large.tailBytes = 256u * 1024 * 1024;

    bool ok = benchScenario("typical scenario (map 80 x 50, 100 units, 20 cities)", typical, 200, false, folder.path());
    ok = benchScenario("large scenario (tail 256 MiB)", large, 3, true, folder.path()) && ok;
    return ok ? 0 : 1;
}
