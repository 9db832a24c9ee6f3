// Runs whose outputs cannot be made or written: each says so plainly, ends with the exit
// code that tells it, leaves the scenario's own files as they were, and prints no step's
// "Done!" over an output that it did not write in full.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <system_error>

#include "FaultWorld.h"
#include "SmallFileSystem.h"
#include "driver/ExitCodes.h"
#include "kit/BitmapSample.h"
#include "kit/FileSizeLimit.h"

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string scenarioOutputName() { return faultWorldOptions().baseName + ".scn"; }

}  // namespace

TEST(OutputFaults, ConvertedTakenByAFileRefusesTheRun) {
    FaultWorld world;
    world.writeScenario();
    ASSERT_TRUE(writeFileBytes(world.converted(), {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'l', 'd', 'e', 'r'}));
    const FileSnapshot before = snapshotFiles(world.scenarioFolder());  // that file included

    const RunResult result = world.run();
    EXPECT_EQ(result.exitCode, exit_code::Refused);
    EXPECT_EQ(result.console,
              "Error: could not create " + (world.converted() / scenarioOutputName()).string() + " (Not a directory)!\n");
    EXPECT_EQ(snapshotFiles(world.scenarioFolder()), before);
}

// A second run meets a disk on which no file grows past one byte: every output fails,
// each is named, and the first run's conversion stays as it was, file for file.
TEST(OutputFaults, OutputsThatCannotBeWrittenAreEachReportedAndKeepTheEarlierConversion) {
    FaultWorld world;
    world.writeScenario();
    ASSERT_EQ(world.run().exitCode, exit_code::Converted);
    const FileSnapshot before = snapshotFiles(world.scenarioFolder());

    RunResult result;
    {
        FileSizeLimit disk(1);
        if (!disk.active()) GTEST_SKIP() << disk.problem();
        result = world.run();
    }
    EXPECT_EQ(result.exitCode, exit_code::SomethingSkipped);
    const fs::path scenarioOutput = world.converted() / scenarioOutputName();
    // The system's reason is that of a file grown past its limit.
    EXPECT_TRUE(contains(result.console, "Converting SCN file...\nError: could not write " + scenarioOutput.string() +
                                             " (File too large)!\n"))
        << result.console;
    EXPECT_TRUE(contains(result.console, "Converting Rules.txt\nError: could not write " +
                                             (world.converted() / "Rules.txt").string() + " (File too large)!\n"))
        << result.console;
    // Each output is named, with the reason, but Improvements.bmp: its step stops at
    // Icons.bmp, its first.
    for (const auto& [name, bytes] : FaultWorld::referenceOutputs()) {
        if (name == "Improvements.bmp") continue;
        const std::string output = (world.converted() / name).make_preferred().string();
        EXPECT_TRUE(contains(result.console, output + " (File too large)")) << name << " not named in\n" << result.console;
    }
    EXPECT_FALSE(contains(result.console, "Done!"));
    EXPECT_TRUE(contains(result.console, "Conversion Terminated\n"));
    EXPECT_EQ(snapshotFiles(world.scenarioFolder()), before) << "an output, or a temporary file, changed";
}

// The lines of `console` that tell of a failure ("Error: ...") but do not name a path in
// `converted`, followed at once by `reason`; empty when every one does.
std::string failureLinesWithoutReason(const std::string& console, const fs::path& converted, const std::string& reason) {
    std::istringstream lines(console);
    std::string wrong;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Error: ", 0) != 0) continue;
        const std::size_t at = line.find(" " + reason);
        const std::size_t path = line.rfind(" " + converted.string() + "/", at);
        if (at == std::string::npos || path == std::string::npos || line.find(' ', path + 1) != at) {
            wrong += line + "\n";
        }
    }
    return wrong;
}

// Converted is a file system too small for everything: the run fills it at different
// steps, from the companion files (4 KB: the first one fits) and the scenario file on
// (48 KB) to the later pictures (2.4 MB). Each output is whole or absent, no temporary
// file is left, and each failure names its file and the system's reason.
TEST(OutputFaults, FullFileSystemIsReportedWhereverItFills) {
    for (const std::int64_t kilobytes : {4, 48, 200, 1200, 2400}) {
        SCOPED_TRACE(std::to_string(kilobytes) + " KB");
        FaultWorld world;
        world.writeScenario();
        SmallFileSystem disk(world.converted(), kilobytes);
        if (!disk.mounted()) GTEST_SKIP() << disk.problem();
        const FileSnapshot before = snapshotScenarioFiles(world.scenarioFolder());

        const RunResult result = world.run();
        EXPECT_EQ(result.exitCode, exit_code::SomethingSkipped);
        EXPECT_TRUE(contains(result.console, "Error: could not ")) << result.console;
        EXPECT_EQ(failureLinesWithoutReason(result.console, world.converted(), "(No space left on device)"), "");
        EXPECT_TRUE(contains(result.console, "Conversion Terminated\n"));
        EXPECT_EQ(unreportedBrokenOutputs(result, world.converted()), "") << result.console;
        for (const auto& [name, bytes] : snapshotFiles(world.converted())) {
            const auto reference = FaultWorld::referenceOutputs().find(name);
            EXPECT_TRUE(reference != FaultWorld::referenceOutputs().end() && reference->second == bytes)
                << name << " is no whole output";
        }
        EXPECT_EQ(snapshotScenarioFiles(world.scenarioFolder()), before);
        if (kilobytes == 4) {
            EXPECT_TRUE(contains(result.console, "Error: could not copy ")) << result.console;
        }
        if (kilobytes == 48) {
            EXPECT_TRUE(contains(result.console, "Converting SCN file...\nError: could not write "));
        }
    }
}
