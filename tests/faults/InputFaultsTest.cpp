// Runs whose inputs are out of reach: a scenario folder that cannot be written to, and a
// template folder that lacks one of its templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "FaultWorld.h"
#include "SmallFileSystem.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Room for the sample scenario folder and for everything converted from it.
constexpr std::int64_t kScenarioFolderKilobytes = 16 * 1024;

}  // namespace

// Where nothing can be written, Converted cannot be made, or nothing made in it, and the
// run is refused with the system's reason.
TEST(InputFaults, ReadOnlyScenarioFolderRefusesTheRun) {
    for (const bool convertedThere : {false, true}) {
        FaultWorld world;
        SmallFileSystem disk(world.scenarioFolder(), kScenarioFolderKilobytes);
        world.writeScenario();
        if (convertedThere && !disk.mounted()) GTEST_SKIP() << disk.problem();
        if (convertedThere) fs::create_directory(world.converted());
        if (disk.mounted()) {
            if (!disk.makeReadOnly()) GTEST_SKIP() << disk.problem();
        } else {
            // Without a mount, permission bits are all there is; they do not bind root.
            fs::permissions(world.scenarioFolder(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            const bool writable = std::ofstream(world.scenarioFolder() / "probe").is_open();
            if (writable) {
                fs::remove(world.scenarioFolder() / "probe");
                GTEST_SKIP() << disk.problem() << "; and permission bits do not stop this user (root) from writing";
            }
        }
        const FileSnapshot before = snapshotFiles(world.scenarioFolder());

        const RunResult result = world.run();
        EXPECT_EQ(result.exitCode, exit_code::Refused);
        // The reason is why Converted, or the output in it, could not be made.
        const std::string reason = disk.mounted() ? " (Read-only file system)" : " (Permission denied)";
        EXPECT_EQ(result.console, "Error: could not create " +
                                      (world.converted() / (faultWorldOptions().baseName + ".scn")).string() + reason + "!\n");
        EXPECT_EQ(fs::exists(world.converted()), convertedThere);
        EXPECT_EQ(snapshotFiles(world.scenarioFolder()), before);
    }
}

// The scenario's own files are only read: a read-only scenario folder with a Converted
// folder that takes writes converts as any other.
TEST(InputFaults, ReadOnlyScenarioWithWritableConvertedConvertsInFull) {
    FaultWorld world;
    SmallFileSystem disk(world.scenarioFolder(), kScenarioFolderKilobytes);
    if (!disk.mounted()) GTEST_SKIP() << disk.problem();
    world.writeScenario();
    fs::create_directory(world.converted());
    if (!disk.makeReadOnly()) GTEST_SKIP() << disk.problem();
    SmallFileSystem outputDisk(world.converted(), kScenarioFolderKilobytes);
    if (!outputDisk.mounted()) GTEST_SKIP() << outputDisk.problem();
    const FileSnapshot before = snapshotScenarioFiles(world.scenarioFolder());

    const RunResult result = world.run();
    EXPECT_EQ(result.exitCode, exit_code::Converted) << result.console;
    EXPECT_EQ(snapshotFiles(world.converted()), FaultWorld::referenceOutputs());
    EXPECT_EQ(snapshotScenarioFiles(world.scenarioFolder()), before);
}

// A scenario on a read-only file system converts with --out, named by its file or by its
// folder as a collection, into the named folder alone, as it would into Converted.
TEST(InputFaults, ReadOnlyScenarioConvertsIntoTheOutFolder) {
    FaultWorld world;
    SmallFileSystem disk(world.scenarioFolder(), kScenarioFolderKilobytes);
    if (!disk.mounted()) GTEST_SKIP() << disk.problem();
    world.writeScenario();
    if (!disk.makeReadOnly()) GTEST_SKIP() << disk.problem();
    const FileSnapshot before = snapshotFiles(world.scenarioFolder());

    const fs::path scenarioFile = world.scenarioFile();
    const fs::path out = world.templateFolder().parent_path() / "out";
    for (const fs::path& named : {scenarioFile, world.scenarioFolder()}) {
        std::error_code ignored;
        fs::remove_all(out, ignored);
        std::ostringstream console;
        const int exitCode = runConversion({"--out", out.string(), named.string()}, console, world.templateFolder());
        EXPECT_EQ(exitCode, exit_code::Converted) << console.str();
        EXPECT_EQ(snapshotFiles(out), FaultWorld::referenceOutputs()) << named.string();
    }
    EXPECT_EQ(snapshotFiles(world.scenarioFolder()), before);
}

// Each template in turn is missing: its step, and only its step, is skipped with a line
// that names the template; every other output is made as without the fault.
TEST(InputFaults, MissingTemplateSkipsItsStepOnly) {
    struct Case {
        const char* templateName;
        const char* step;                 // what the message says is not converted
        std::vector<std::string> outputs;  // what the step would have made
    };
    const Case cases[] = {
        {"Rules.txt", "Rules.txt", {"Rules.txt"}},
        {"Units.bmp", "Units.bmp", {"Units.bmp"}},
        {"Cities.bmp", "Cities.bmp", {"Cities.bmp"}},
        {"Icons.bmp", "Icons.bmp", {"Icons.bmp", "Improvements.bmp"}},
        {"Improvements.bmp", "Icons.bmp", {"Icons.bmp", "Improvements.bmp"}},
        {"People.bmp", "People.bmp", {"People.bmp"}},
        {"Terrain1.bmp", "Terrain1.bmp", {"Terrain1.bmp"}},
        {"Terrain2.bmp", "Terrain2.bmp", {"Terrain2.bmp"}},
    };
    FaultWorld world;
    world.writeScenario();
    const FileSnapshot before = snapshotScenarioFiles(world.scenarioFolder());
    for (const Case& missing : cases) {
        SCOPED_TRACE(missing.templateName);
        const fs::path templatePath = world.templateFolder() / missing.templateName;
        const fs::path hidden = world.templateFolder() / "aside";
        fs::rename(templatePath, hidden);
        fs::remove_all(world.converted());

        const RunResult result = world.run();
        fs::rename(hidden, templatePath);
        EXPECT_EQ(result.exitCode, exit_code::SomethingSkipped);
        EXPECT_TRUE(contains(result.console, "Error: template " + templatePath.string() + " not found, " +
                                                 missing.step + " not converted!\n"))
            << result.console;
        EXPECT_EQ(unreportedBrokenOutputs(result, world.converted()), "");
        for (const auto& [name, bytes] : FaultWorld::referenceOutputs()) {
            const bool ofTheStep = std::find(missing.outputs.begin(), missing.outputs.end(), name) != missing.outputs.end();
            EXPECT_EQ(fs::exists(world.converted() / name), !ofTheStep) << name;
        }
        EXPECT_EQ(snapshotScenarioFiles(world.scenarioFolder()), before);
    }
}
