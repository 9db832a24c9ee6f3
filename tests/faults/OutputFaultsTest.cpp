// Runs whose outputs cannot be made or written: each says so plainly, ends with the exit
// code that tells it, leaves the scenario's own files as they were, and prints no step's
// "Done!" over an output that it did not write in full.
#include <gtest/gtest.h>

#include <string>
#include <system_error>

#include "FaultWorld.h"
#include "SmallFileSystem.h"
#include "driver/ExitCodes.h"
#include "kit/BitmapSample.h"

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
    EXPECT_EQ(result.console, "Error: could not create " + (world.converted() / scenarioOutputName()).string() + "!\n");
    EXPECT_EQ(snapshotFiles(world.scenarioFolder()), before);
}

// Every output is a link to a device that takes no data, as a full disk does.
TEST(OutputFaults, OutputsThatCannotBeWrittenAreEachReported) {
#if !defined(__linux__)
    GTEST_SKIP() << "/dev/full, a device that reports a full disk, is a Linux device";
#endif
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "this machine has no /dev/full, a device that reports a full disk";
    FaultWorld world;
    world.writeScenario();
    for (const auto& [name, bytes] : FaultWorld::referenceOutputs()) {
        std::error_code error;
        fs::create_directories((world.converted() / name).parent_path(), error);
        fs::create_symlink("/dev/full", world.converted() / name, error);
        if (error) GTEST_SKIP() << "cannot make a link to /dev/full here: " << error.message();
    }
    const FileSnapshot before = snapshotScenarioFiles(world.scenarioFolder());

    const RunResult result = world.run();
    EXPECT_EQ(result.exitCode, exit_code::SomethingSkipped);
    const fs::path scenarioOutput = world.converted() / scenarioOutputName();
    EXPECT_TRUE(contains(result.console, "Converting SCN file...\nError: could not write " + scenarioOutput.string() + "!\n"))
        << result.console;
    EXPECT_TRUE(contains(result.console, "Converting Rules.txt\nError: could not write " +
                                             (world.converted() / "Rules.txt").string() + "!\n"))
        << result.console;
    // Each output is named, but Improvements.bmp: its step stops at Icons.bmp, its first.
    for (const auto& [name, bytes] : FaultWorld::referenceOutputs()) {
        if (name == "Improvements.bmp") continue;
        EXPECT_TRUE(contains(result.console, (world.converted() / name).string() + "!") ||
                    contains(result.console, (world.converted() / name).string() + ", "))
            << name << " not named in\n" << result.console;
    }
    EXPECT_TRUE(contains(result.console, "Conversion Terminated\n"));
    EXPECT_EQ(unreportedBrokenOutputs(result, world.converted()), "");
    EXPECT_EQ(snapshotScenarioFiles(world.scenarioFolder()), before);
}

// Converted is a file system too small for everything: the run fills it at different
// steps, from the scenario file on (48 KB) to the later pictures (2.4 MB).
TEST(OutputFaults, FullFileSystemIsReportedWhereverItFills) {
    for (const std::int64_t kilobytes : {48, 200, 1200, 2400}) {
        SCOPED_TRACE(std::to_string(kilobytes) + " KB");
        FaultWorld world;
        world.writeScenario();
        SmallFileSystem disk(world.converted(), kilobytes);
        if (!disk.mounted()) GTEST_SKIP() << disk.problem();
        const FileSnapshot before = snapshotScenarioFiles(world.scenarioFolder());

        const RunResult result = world.run();
        EXPECT_EQ(result.exitCode, exit_code::SomethingSkipped);
        EXPECT_TRUE(contains(result.console, "Error: could not ")) << result.console;
        EXPECT_TRUE(contains(result.console, "Conversion Terminated\n"));
        EXPECT_EQ(unreportedBrokenOutputs(result, world.converted()), "") << result.console;
        EXPECT_EQ(snapshotScenarioFiles(world.scenarioFolder()), before);
        if (kilobytes == 48) {
            EXPECT_TRUE(contains(result.console, "Converting SCN file...\nError: could not write "));
        }
    }
}
