// Converts the seven bitmaps of a sample world and, in the same run, copies the same seven
// template files plainly; prints the times and their ratio (target: at most 1.5). Plain
// copies are measured two ways: the file system's own copy, and a read of the whole file
// followed by one write. Then the seven bitmaps from scenario pictures of other kinds (GIF,
// 8-bit and run-length BMP) against the same pixels in 24-bit BMPs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "kit/PictureKinds.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 15;
constexpr int kRunsPerRound = 20;

// Milliseconds per run of one round of `work`.
template <typename Work>
double roundMilliseconds(Work work) {
    const auto start = Clock::now();
    for (int run = 0; run < kRunsPerRound; ++run) work();
    const std::chrono::duration<double, std::milli> took = Clock::now() - start;
    return took.count() / kRunsPerRound;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    TempFolder scratch("tavorel-bench-bitmaps");
    const fs::path templates = scratch.path() / "template";
    const fs::path scenario = scratch.path() / "scenario";
    const fs::path copies = scratch.path() / "copies";
    writeTemplateFolder(templates, 1);
    ScenarioFolderOptions options;
    options.withRules = false;
    options.withCompanions = false;
    writeScenarioFolder(scenario, options);
    fs::create_directories(scenario / "Converted");
    fs::create_directories(copies);

    std::ostringstream console;
    auto convert = [&] {
        console.str("");
        ScenarioConverter converter(console);
        converter.templateFolder = templates;
        converter.convertGraphics(scenario);
    };
    // Each copy replaces the file of the round before, as the conversion does.
    auto copyByFileSystem = [&] {
        for (const char* name : kTemplateBitmapNames) {
            std::error_code error;
            fs::remove(copies / name, error);
            fs::copy_file(templates / name, copies / name, error);
        }
    };
    std::vector<char> buffer(std::size_t{1} << 21);
    auto copyByStreams = [&] {
        for (const char* name : kTemplateBitmapNames) {
            std::ifstream in(templates / name, std::ios::binary);
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            std::error_code error;
            fs::remove(copies / name, error);
            std::ofstream out(copies / name, std::ios::binary);
            out.write(buffer.data(), in.gcount());
        }
    };

    convert();
    if (console.str().find("Error") != std::string::npos) {
        std::printf("bench_bitmaps: the conversion reported a problem:\n%s", console.str().c_str());
        return 1;
    }
    // The three are measured in turns, round after round, so that each sees the machine as
    // busy as the others do; each keeps its best round, the least disturbed one.
    double converting = 1e300, fileSystemCopies = 1e300, streamCopies = 1e300;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const double conversion = roundMilliseconds(convert);
        const double fileSystem = roundMilliseconds(copyByFileSystem);
        streamCopies = std::min(streamCopies, roundMilliseconds(copyByStreams));
        converting = std::min(converting, conversion);
        fileSystemCopies = std::min(fileSystemCopies, fileSystem);
        ratios.push_back(conversion / fileSystem);
    }
    std::printf("bitmaps: converting the 7 bitmaps of a sample world: %.3f ms\n", converting);
    std::printf(
        "bitmaps: plain copies of the 7 templates: %.3f ms (file system copy), "
        "%.3f ms (read and write)\n",
        fileSystemCopies, streamCopies);
    std::printf(
        "bitmaps: ratio %.2f to the file system copy, %.2f to read and write "
        "(target <= 1.5); round by round, median %.2f to the file system copy\n",
        converting / fileSystemCopies, converting / streamCopies, median(ratios));

    // The same palette pixels as 24-bit BMPs and as pictures of other kinds; each kind's
    // conversion is measured in turns with the 24-bit one, best round kept.
    const char* const kinds[] = {"24-bit BMP", "GIF87a", "GIF87a, interlaced", "8-bit BMP", "RLE8 BMP"};
    std::vector<fs::path> folders;
    for (const char* kind : kinds) {
        ScenarioFolderOptions kindOptions;
        kindOptions.withRules = false;
        kindOptions.withCompanions = false;
        kindOptions.pictureKind = &pictureKind(kind);
        folders.push_back(scratch.path() / kind);
        writeScenarioFolder(folders.back(), kindOptions);
        fs::create_directories(folders.back() / "Converted");
    }
    auto convertFolder = [&](const fs::path& folder) {
        return [&, folder] {
            console.str("");
            ScenarioConverter converter(console);
            converter.templateFolder = templates;
            converter.convertGraphics(folder);
        };
    };
    std::vector<double> best(folders.size(), 1e300);
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < folders.size(); ++i) {
            best[i] = std::min(best[i], roundMilliseconds(convertFolder(folders[i])));
            if (console.str().find("Error") != std::string::npos) {
                std::printf("bench_bitmaps: %s pictures were refused:\n%s", kinds[i], console.str().c_str());
                return 1;
            }
        }
    }
    for (std::size_t i = 0; i < folders.size(); ++i) {
        std::printf("bitmaps: the 7 bitmaps from %s sources: %.3f ms (%.2f times the 24-bit BMP sources)\n", kinds[i],
                    best[i], best[i] / best[0]);
    }
    return 0;
}
