#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/PathText.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/SampleWorld.h"
#include "kit/ScenarioSample.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const char* const kHelpScreen =
    "Tavorel 1.0 HELP SCREEN \n(Well, it doesn't say a lot but in the future... who knows)\n"
    "USAGE: Tavorel <fname>\n"
    "Where <dir>is the file name of scenario to convert\n";

std::string openError(const std::string& path) {
    return "Error in opening Scenario File!\nPlease check for existance of file and\n"
           "remember to use full path & extension\n" + path + ": No such file or directory\n";
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override { writeTemplateFolder(folder / "template", 2); }
    int run(const std::vector<std::string>& arguments) {
        console.str("");
        return runConversion(arguments, console, folder / "template");
    }
    fs::path scenarioWith(const std::vector<std::uint8_t>& bytes, const std::string& name = "Rome.scn") {
        fs::create_directories(folder / "scen");
        writeFileBytes(folder / "scen" / name, bytes);
        return folder / "scen" / name;
    }
    bool startsWith(const std::string& prefix) const { return console.str().rfind(prefix, 0) == 0; }

    TempFolder folder;
    std::ostringstream console;
};

}  // namespace

TEST_F(RunTest, HelpScreenForNoArgument) {
    EXPECT_EQ(run({}), exit_code::HelpShown);
    EXPECT_EQ(console.str(), kHelpScreen);
}

TEST_F(RunTest, GraphicsSwitchesSelectTheEditionFamily) {
    fs::create_directories(folder / "pictures");
    EXPECT_EQ(run({"/g1", (folder / "pictures").string()}), exit_code::GraphicsOnly);
    EXPECT_TRUE(startsWith("Graphic only conversion selected\nCiv2Classic type selected\n"));
    EXPECT_FALSE(fs::exists(folder / "pictures" / "Converted"));  // made, nothing written in it, removed

    EXPECT_EQ(run({"/g2", (folder / "pictures").string()}), exit_code::GraphicsOnly);
    EXPECT_TRUE(startsWith("Graphic only conversion selected\nFantastic Worlds type selected\n"));
}

TEST_F(RunTest, GraphicsSwitchWithoutFolderShowsUsage) {
    const int code = run({"/g2"});
    EXPECT_NE(code, exit_code::Converted);
    EXPECT_TRUE(startsWith("USAGE: Tavorel /g2 "));
    EXPECT_EQ(console.str().find("selected"), std::string::npos);
}

TEST_F(RunTest, SwitchesAreCaseSensitive) {
    // "/G1" is a scenario path, which does not exist; its named output folder is not made.
    EXPECT_EQ(run({"--out", (folder / "out").string(), "/G1"}), exit_code::Refused);
    EXPECT_EQ(console.str(), openError("/G1"));
    EXPECT_FALSE(fs::exists(folder / "out"));
}

TEST_F(RunTest, MissingScenarioIsRefusedAndNoFolderIsMade) {
    fs::create_directories(folder / "scen");
    EXPECT_EQ(run({(folder / "scen" / "None.scn").string()}), exit_code::Refused);
    EXPECT_EQ(console.str(), openError((folder / "scen" / "None.scn").string()));
    EXPECT_FALSE(fs::exists(folder / "scen" / "Converted"));
}

TEST_F(RunTest, UnsupportedVersionLeavesNoOutputFile) {
    auto bytes = makeScenarioFile(ScenarioSampleOptions{});
    bytes[10] = 41;
    const fs::path scenario = scenarioWith(bytes);
    EXPECT_EQ(run({scenario.string()}), exit_code::Refused);
    EXPECT_EQ(console.str(), "Warning! Not a real scn file or not supported scn version!\n" + scenario.string() +
                                 ": version byte 41; Tavorel converts versions 39 and 40\n");
    EXPECT_FALSE(fs::exists(folder / "scen" / "Converted"));
    EXPECT_EQ(readFileBytes(scenario), bytes);
}

TEST_F(RunTest, ShortScenarioIsRefusedWithItsNameAndNoOutputFile) {
    auto bytes = makeScenarioFile(ScenarioSampleOptions{});
    bytes.resize(bytes.size() - 501);
    const fs::path scenario = scenarioWith(bytes);
    EXPECT_EQ(run({scenario.string()}), exit_code::Refused);
    EXPECT_EQ(console.str(), "Error: " + scenario.string() +
                                 " is shorter than its map, unit and city counts announce!\n");
    EXPECT_FALSE(fs::exists(folder / "scen" / "Converted" / "Rome.scn"));
}

TEST_F(RunTest, OutputThatCannotBeCreatedIsRefused) {
    const fs::path scenario = scenarioWith(makeScenarioFile(ScenarioSampleOptions{}));
    writeFileBytes(folder / "scen" / "Converted", {1, 2, 3});  // a file where the folder should be
    EXPECT_EQ(run({scenario.string()}), exit_code::Refused);
    const fs::path output = folder / "scen" / "Converted" / "Rome.scn";
    EXPECT_EQ(console.str(), "Error: could not create " + output.string() + " (Not a directory)!\n");
}

TEST_F(RunTest, ScenarioWithoutRulesSkipsTheMergeQuietly) {
    ScenarioFolderOptions options;
    options.withRules = false;
    options.withBitmaps = false;
    options.withCompanions = false;
    const fs::path scenario = writeScenarioFolder(folder / "scen", options);
    EXPECT_EQ(run({scenario.string()}), exit_code::Converted);
    EXPECT_TRUE(startsWith("Tavorel V1.2\nScenario File: Sample.scn\nCiv2 Conflict Scenario Detected!\n"));
    EXPECT_NE(console.str().find("Converting Rules.txt\nCopying identical files\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "scen" / "Converted" / "Rules.txt"));
}

TEST_F(RunTest, ScenarioWithoutExtensionKeepsItsName) {
    const fs::path scenario = scenarioWith(makeScenarioFile(ScenarioSampleOptions{}), "Rome");
    EXPECT_EQ(run({scenario.string()}), exit_code::Converted);
    EXPECT_TRUE(fs::exists(folder / "scen" / "Converted" / "Rome"));
    EXPECT_NE(console.str().find("Scenario File: Rome\n"), std::string::npos);
}

// The sample world's rules fit the merge plan; with one advance more, every later section
// starts a line late: the merge writes them section by section, says so (the lines after
// those it takes too) before its "Done!", and the run ends with exit code 2.
TEST_F(RunTest, RulesThatDoNotFitThePlanAreMergedWithAWarning) {
    ScenarioFolderOptions options;
    options.scenario.edition = Classic;
    options.withBitmaps = false;
    options.withCompanions = false;
    const fs::path scenario = writeScenarioFolder(folder / "scen", options);
    EXPECT_EQ(run({scenario.string()}), exit_code::Converted);
    EXPECT_NE(console.str().find("Converting Rules.txt\nDone!\nCopying identical files\n"), std::string::npos);

    const fs::path rulesPath = folder / "scen" / "Rules.txt";
    const std::vector<std::uint8_t> bytes = readFileBytes(rulesPath);
    std::string rules(bytes.begin(), bytes.end());
    rules.insert(rules.find("@CIVILIZE\r\n") + 11, "Extra advance, 1, 2\r\n");
    writeFileBytes(rulesPath, std::vector<std::uint8_t>(rules.begin(), rules.end()));
    EXPECT_EQ(run({scenario.string()}), exit_code::SomethingSkipped);
    const std::string output = console.str();
    const std::string warning = "Converting Rules.txt\nNote: " + rulesPath.string() +
                                " has 94 lines in @CIVILIZE where the plan takes 93; the other 1 are on the "
                                "destination's lines that follow.\n" +
                                // the sample's lines after those that the plan takes, which it leaves out unsaid
                                "Warning: " + rulesPath.string() +
                                " has 23 lines in @DIFFICULTY where the conversion takes 17; 0 placed on the lines "
                                "that follow, 6 left out, check the converted Rules.txt!\n";
    const std::size_t at = output.find(warning);
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_EQ(output.substr(at + warning.size()), "Done!\nCopying identical files\nConversion Terminated\n");
    EXPECT_TRUE(fs::exists(folder / "scen" / "Converted" / "Rules.txt"));
}

// A killed run leaves its temporary files; the next run in that folder removes them, and
// nothing else.
TEST_F(RunTest, TemporaryFilesOfAKilledRunAreRemovedByTheNext) {
    ScenarioFolderOptions options;
    options.withBitmaps = false;
    options.withRules = false;
    const fs::path scenario = writeScenarioFolder(folder / "scen", options);
    const fs::path converted = folder / "scen" / "Converted";
    const std::vector<fs::path> stale{converted / ".tavorel-0123456789abcdef-3.partial",
                                      converted / "Sound" / ".tavorel-fedcba9876543210-1.partial"};
    const std::vector<fs::path> kept{converted / "notes.partial", converted / ".tavorel-notes.txt"};
    fs::create_directories(converted / "Sound");
    for (const auto& paths : {stale, kept}) {
        for (const fs::path& path : paths) writeFileBytes(path, {1, 2, 3});
    }
    EXPECT_EQ(run({scenario.string()}), exit_code::Converted) << console.str();
    for (const fs::path& path : stale) EXPECT_FALSE(fs::exists(path)) << path;
    for (const fs::path& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
}

TEST_F(RunTest, ScenarioNamedLikeATemporaryFileIsRefused) {
    const fs::path scenario = scenarioWith(makeScenarioFile(ScenarioSampleOptions{}), ".tavorel-1.partial");
    EXPECT_EQ(run({scenario.string()}), exit_code::Refused);
    EXPECT_EQ(console.str(), "Error: " + scenario.string() + " is named like a temporary file of this tool!\n");
}

// Names outside ASCII reach the run as UTF-8 bytes (the command line of every build
// gives them so) and come out in the messages and the output files as they went in.
TEST_F(RunTest, ScenarioNamesOutsideASCIIConvert) {
    const std::string folderName = u8"\u0421\u0446\u0435\u043d\u0430\u0440\u0438\u0438 \u042e\u0440\u0438\u044f";
    const std::string baseName = u8"\u6226\u7565 J\u00fcrgen";
    writeTemplateFolder(folder / "template", 3);
    ScenarioFolderOptions options;
    options.baseName = baseName;
    const fs::path scenarioFolder = folder.path() / pathFromUtf8(folderName);
    const fs::path scenario = writeScenarioFolder(scenarioFolder, options);

    EXPECT_EQ(run({displayPath(scenario)}), exit_code::Converted) << console.str();
    EXPECT_TRUE(startsWith("Tavorel V1.2\nScenario File: " + baseName + ".scn\n"));
    for (const std::string& name : {baseName + ".scn", baseName + ".txt", std::string("Units.bmp")}) {
        EXPECT_TRUE(fs::exists(scenarioFolder / "Converted" / pathFromUtf8(name))) << name;
    }

    EXPECT_EQ(run({"/g2", displayPath(scenarioFolder)}), exit_code::GraphicsOnly);
    EXPECT_EQ(console.str().find("Error"), std::string::npos) << console.str();
}
