#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "RunTool.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

using Snapshot = FileTree;

// Every file under `folder` but those in its Converted folder, by relative path.
Snapshot snapshot(const fs::path& folder) {
    Snapshot files = readFileTree(folder);
    for (auto file = files.begin(); file != files.end();) {
        file = file->first.rfind("Converted", 0) == 0 ? files.erase(file) : std::next(file);
    }
    return files;
}

std::string bitmapLines() {
    std::string lines;
    for (const char* name : kScenarioBitmapNames) {
        lines += std::string("Searching ") + name + "...Found!\nNow Converting...\nDone!\n";
    }
    return lines;
}

const char* const kCompanionLines =
    "Found Events.txt!\nNow Copying...\nFound Scenario Title!\nNow Copying...\n"
    "Found Title Image!\nNow Copying...\nFound City.txt!\nNow Copying...\n"
    "Found Sounds dir!\nNow Copying...\n";

std::string expectedFullRun(const std::string& scenarioFile, const std::string& editionLine) {
    return "Tavorel V1.2\nScenario File: " + scenarioFile + "\n" + editionLine +
           "Map Size:80x50\nTotal Units:100\nTotal Cities:20\n"
           "Converting SCN file...\nDone!\n" +
           bitmapLines() + "Converting Rules.txt\nDone!\nCopying identical files\n" + kCompanionLines +
           "Conversion Terminated\n";
}

struct EditionCase {
    ScenarioEdition edition;
    const char* bannerLine;
    std::int64_t growth;  // output size less input size for 100 units and 20 cities
};
const EditionCase kEditions[] = {
    {Classic, "Civ2 Classic Scenario Detected!\n", 25702 + 14 * 100 + 8 * 20},
    {Conflicts, "Civ2 Conflict Scenario Detected!\n", 25702 + 14 * 100 + 8 * 20},
    {FantasticWorlds, "Fantastic Worlds Scenario Detected!\n", 25432 + 14 * 100 + 8 * 20},
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!canRunTool()) GTEST_SKIP() << "this platform's binary is run by the Windows check of CI";
        writeTemplateFolder(templates(), 3);
    }
    fs::path templates() const { return world / "template"; }
    fs::path makeScenario(const fs::path& folder, ScenarioEdition edition,
                          const std::string& baseName = "Sample") {
        ScenarioFolderOptions options;
        options.baseName = baseName;
        options.scenario.edition = edition;
        options.scenario.seed = 5;
        return writeScenarioFolder(folder, options);
    }

    // Every output file of a complete run is there, with the size it must have.
    void expectCompleteOutput(const fs::path& scenario, std::int64_t growth) {
        const fs::path folder = scenario.parent_path();
        const fs::path converted = folder / "Converted";
        EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(converted / scenario.filename())),
                  static_cast<std::int64_t>(fs::file_size(scenario)) + growth);
        for (const char* name : kTemplateBitmapNames) {
            EXPECT_EQ(fs::file_size(converted / name), fs::file_size(templates() / name)) << name;
        }
        const auto rules = readFileBytes(converted / "Rules.txt");
        EXPECT_GT(rules.size(), fs::file_size(folder / "Rules.txt") / 2);
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (rules[i] == '\n') {
                ASSERT_TRUE(i > 0 && rules[i - 1] == '\r') << "bare line feed at " << i;
            }
        }
        const std::string title = scenario.stem().string() + ".txt";
        for (const std::string& name : {std::string("Events.txt"), title, std::string("Title.gif"),
                                        std::string("City.txt"), std::string("Sound/Advance.wav"),
                                        std::string("Sound/Battle.wav")}) {
            EXPECT_EQ(readFileBytes(converted / name), readFileBytes(folder / name)) << name;
        }
    }

    TempFolder world{"tavorel-e2e"};
};

}  // namespace

TEST_F(EndToEnd, FullRunOfEveryEdition) {
    for (const EditionCase& edition : kEditions) {
        const fs::path scenario = makeScenario(world / ("scen" + std::to_string(edition.edition)), edition.edition);
        const Snapshot before = snapshot(scenario.parent_path());
        const ToolRun run = runTool({scenario.string()}, templates());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, expectedFullRun("Sample.scn", edition.bannerLine));
        EXPECT_EQ(run.errors, "");
        expectCompleteOutput(scenario, edition.growth);
        EXPECT_TRUE(snapshot(scenario.parent_path()) == before) << "the scenario's own files changed";
    }
}

TEST_F(EndToEnd, SecondRunOverConvertedGivesIdenticalFiles) {
    const fs::path scenario = makeScenario(world / "scen", Classic);
    ASSERT_EQ(runTool({scenario.string()}, templates()).exitCode, 0);
    const Snapshot first = snapshot(scenario.parent_path() / "Converted");
    const ToolRun again = runTool({scenario.string()}, templates());
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.output, expectedFullRun("Sample.scn", "Civ2 Classic Scenario Detected!\n"));
    EXPECT_TRUE(snapshot(scenario.parent_path() / "Converted") == first);
}

TEST_F(EndToEnd, ShellCharactersInNamesConvertAndRunNothing) {
    const std::string folderName = "it's a \"scen\" & more; $(touch pwned) `touch pwned2` | x > y";
    const std::string baseName = "Rome & Co; $(touch pwned3)";
    const fs::path scenario = makeScenario(world / folderName, Conflicts, baseName);
    const ToolRun run = runTool({scenario.string()}, templates());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, expectedFullRun(baseName + ".scn", "Civ2 Conflict Scenario Detected!\n"));
    expectCompleteOutput(scenario, kEditions[1].growth);
    for (const fs::path& place : {templates(), world.path(), scenario.parent_path()}) {
        for (const char* trap : {"pwned", "pwned2", "pwned3", "y"}) {
            EXPECT_FALSE(fs::exists(place / trap)) << (place / trap).string();
        }
    }
}

TEST_F(EndToEnd, ScenarioPathWithoutFolderConvertsInTheWorkingDirectory) {
    const fs::path scenario = makeScenario(world / "scen", FantasticWorlds);
    fs::copy_file(scenario, templates() / "Local.scn");
    // Named, the working folder gives the templates although it is the scenario's own too.
    const ToolRun run = runTool({"--templates", ".", "Local.scn"}, templates());
    // The scenario's rules are then the template's own, which do not fit the merge plan:
    // their sections hold other numbers of lines.
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find(" lines in @COSMIC where the plan takes "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Scenario File: Local.scn\nFantastic Worlds Scenario Detected!\n"),
              std::string::npos);
    EXPECT_EQ(fs::file_size(templates() / "Converted" / "Local.scn"),
              fs::file_size(scenario) + kEditions[2].growth);
}

TEST_F(EndToEnd, GraphicsOnlyModes) {
    const fs::path scenario = makeScenario(world / "scen", Classic);
    const fs::path folder = scenario.parent_path();
    const struct {
        const char* flag;
        const char* typeLine;
    } modes[] = {{"/g1", "Civ2Classic type selected\n"}, {"/g2", "Fantastic Worlds type selected\n"}};
    for (const auto& mode : modes) {
        fs::remove_all(folder / "Converted");
        const ToolRun run = runTool({mode.flag, folder.string()}, templates());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.output, std::string("Graphic only conversion selected\n") + mode.typeLine + bitmapLines());
        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(folder / "Converted")) files += entry.is_regular_file();
        EXPECT_EQ(files, 7u);
        EXPECT_FALSE(fs::exists(folder / "Converted" / "Sample.scn"));
    }
}

TEST_F(EndToEnd, RefusedScenarioExitsWithMinusOne) {
    const std::string missing = (world / "nowhere" / "Missing.scn").string();
    const ToolRun run = runTool({missing}, templates());
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output,
              "Error in opening Scenario File!\nPlease check for existance of file and\n"
              "remember to use full path & extension\n" + missing + ": No such file or directory\n");
    EXPECT_EQ(run.errors, "");
}

TEST_F(EndToEnd, HelpScreen) {
    const ToolRun run = runTool({}, templates());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output.rfind("Tavorel 1.0 HELP SCREEN \n", 0), 0u);
}
