// A run never replaces an output that it made itself: a scenario whose title text shares
// its name with another output.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Converted {
    int exitCode = 0;
    std::string console;
};

// Converts the sample scenario of `folder`, its file renamed to `fileName`; the title
// text is then whichever file of the folder has the scenario's base name.
Converted convertAs(const TempFolder& root, const std::string& fileName) {
    writeTemplateFolder(root / "template", 3);
    const fs::path scenario = root / "scen";
    writeScenarioFolder(scenario, ScenarioFolderOptions{});
    fs::remove(scenario / "Sample.txt");
    fs::rename(scenario / "Sample.scn", scenario / fileName);
    std::ostringstream console;
    Converted result;
    result.exitCode = runConversion({(scenario / fileName).string()}, console, root / "template");
    result.console = console.str();
    return result;
}

}  // namespace

// The title text of Rules.scn is the scenario's own rules text: copied, it would replace
// the merged Rules.txt.
TEST(OutputCollision, TitleTextThatWouldReplaceTheConvertedRulesIsNotCopied) {
    TempFolder reference;
    convertAs(reference, "Sample.scn");
    TempFolder root;
    const fs::path scenario = root / "scen";
    const Converted run = convertAs(root, "Rules.scn");

    EXPECT_EQ(run.exitCode, exit_code::SomethingSkipped);
    EXPECT_TRUE(contains(run.console, "Copying identical files\nFound Events.txt!\nNow Copying...\nWarning: " +
                                          (scenario / "Rules.txt").string() +
                                          " not copied, it would replace the converted Rules.txt!\n"
                                          "Found Title Image!\nNow Copying...\n"))
        << run.console;
    EXPECT_EQ(readFileBytes(scenario / "Converted" / "Rules.txt"),
              readFileBytes(reference / "scen" / "Converted" / "Rules.txt"));
    EXPECT_NE(readFileBytes(scenario / "Converted" / "Rules.txt"), readFileBytes(scenario / "Rules.txt"));
}

// The title text of City.scn is City.txt, and that of Events.scn Events.txt: one file,
// copied once, without a word; the title image follows the title text as ever.
TEST(OutputCollision, TitleTextThatIsAnotherCompanionIsCopiedOnce) {
    struct Case {
        const char* fileName;
        const char* companions;  // the lines of the companion step
    };
    const Case cases[] = {
        {"City.scn",
         "Found Events.txt!\nNow Copying...\nFound Scenario Title!\nNow Copying...\n"
         "Found Title Image!\nNow Copying...\nFound Sounds dir!\nNow Copying...\n"},
        {"Events.scn",
         "Found Events.txt!\nNow Copying...\nFound Title Image!\nNow Copying...\n"
         "Found City.txt!\nNow Copying...\nFound Sounds dir!\nNow Copying...\n"},
    };
    for (const Case& sample : cases) {
        SCOPED_TRACE(sample.fileName);
        TempFolder root;
        const Converted run = convertAs(root, sample.fileName);
        EXPECT_EQ(run.exitCode, exit_code::Converted) << run.console;
        EXPECT_TRUE(contains(run.console, std::string("Copying identical files\n") + sample.companions +
                                              "Conversion Terminated\n"))
            << run.console;
        for (const char* name : {"City.txt", "Events.txt", "Title.gif"}) {
            EXPECT_EQ(readFileBytes(root / "scen" / "Converted" / name), readFileBytes(root / "scen" / name)) << name;
        }
    }
}
