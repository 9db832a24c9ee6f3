// Two runs into one output folder at once: the one holding the folder's lock converts, the
// other is refused and touches nothing. The test takes the runs' own lock itself.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "RunTool.h"
#include "base/OutputFolderLock.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

TEST(OutputLock, ARunIntoAFolderThatAnotherRunWritesIntoIsRefusedAndTearsNothing) {
    TempFolder root;
    writeTemplateFolder(root / "template", 3);
    writeScenarioFolder(root / "other", ScenarioFolderOptions{});
    const std::string scenario = writeScenarioFolder(root / "scen", ScenarioFolderOptions{}).string();
    const fs::path converted = root / "scen" / "Converted";
    std::ostringstream console;
    const auto run = [&](const std::vector<std::string>& arguments, int exitCode) {
        console.str("");
        EXPECT_EQ(runConversion(arguments, console, root / "template"), exitCode);
        return console.str();
    };
    run({scenario}, exit_code::Converted);
    const FileTree complete = readFileTree(converted);
    writeFileText(converted / ".tavorel-0123456789abcdef-1.partial", "an output being written");
    {
        const OutputFolderLock first(converted);
        ASSERT_EQ(first.state(), OutputFolderLock::State::Held);
        const FileTree during = readFileTree(converted);
        const std::string refusal = "Error: another conversion is writing into " + converted.string() + "!\n";
        EXPECT_EQ(run({scenario}, exit_code::Refused), refusal);
        EXPECT_EQ(run({"/g1", (root / "scen").string()}, exit_code::Refused),
                  "Graphic only conversion selected\nCiv2Classic type selected\n" + refusal);
        // In a folder run the scenario counts as refused, and the run goes on.
        EXPECT_NE(run({root.path().string()}, exit_code::SomethingSkipped)
                      .find("[2/2] " + scenario + "\n" + refusal + "Converted 2 scenarios: 1 complete, 0 with problems, 1 refused\n"),
                  std::string::npos);
        if (canRunTool()) {
            const ToolRun other = runTool({scenario}, root / "template");
            EXPECT_EQ(other.exitCode, 255);
            EXPECT_EQ(other.output, refusal);
        }
        EXPECT_TRUE(readFileTree(converted) == during);
    }
    // The lock given back, the next run removes the temporary, and so a lock file that a
    // killed run left; a completed run leaves none.
    EXPECT_FALSE(fs::exists(converted / kOutputFolderLockName));
    writeFileText(converted / kOutputFolderLockName, "");
    run({scenario}, exit_code::Converted);
    EXPECT_TRUE(readFileTree(converted) == complete);
}
