#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/CollectionRun.h"
#include "driver/ExitCodes.h"
#include "driver/RunConsole.h"
#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {


class CollectionRunTest : public ::testing::Test {
protected:
    void SetUp() override { writeTemplateFolder(folder / "template", 2); }
    int run(const std::vector<std::string>& arguments) {
        console.str("");
        return runConversion(arguments, console, folder / "template");
    }
    fs::path scenario(const fs::path& where, ScenarioEdition edition = Classic) {
        ScenarioFolderOptions options;
        options.scenario.edition = edition;
        return writeScenarioFolder(where, options);
    }

    TempFolder folder{"tavorel-collection-run"};
    std::ostringstream console;
};

}  // namespace

TEST_F(CollectionRunTest, FindsScenarioFilesByTheirEndingInByteOrder) {
    const fs::path root = folder / "found";
    const char* const files[] = {
        "b.scn",         "A.SCN",          "c.Scn",         "sub/x.scn",
        "sub.scn/y.scn",                                     // a folder ending in .scn is entered
        "d.scnx",        "e.sc",           "f.scn.bak",     // not scenario names
        "Converted/z.scn", "sub/converted/w.scn", "sub/CoNvErTeD/v.scn",  // earlier outputs
        "outputs/o.scn",                                     // this run's own output folder
    };
    for (const char* name : files) {
        fs::create_directories((root / name).parent_path());
        writeFileBytes(root / name, {39});
    }
    std::vector<std::string> expected{"A.SCN", "b.scn", "c.Scn", "sub.scn/y.scn", "sub/x.scn"};

    // Links: a link to a scenario file counts, a link to a folder is not followed, a link
    // to nothing is no scenario. Where links cannot be made, the rest is still checked.
    std::error_code noLinks;
    fs::create_directory_symlink(root, root / "sub" / "back", noLinks);
    if (!noLinks) {
        fs::create_symlink(root / "sub" / "x.scn", root / "link.scn", noLinks);
        fs::create_symlink(root / "nothing", root / "dangling.scn", noLinks);
        expected.insert(expected.begin() + 3, "link.scn");
    }

    std::vector<std::string> found;
    const ScenarioSearch search = findScenarioFiles(root, root / "outputs");
    for (const fs::path& path : search.files) found.push_back(path.generic_string());
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(search.problems.empty());
}

TEST_F(CollectionRunTest, OutOptionWithoutFolderOrPathShowsUsage) {
    const fs::path back = fs::current_path();  // a relative folder would be made in the test's own working folder
    fs::current_path(folder.path());
    const std::vector<std::vector<std::string>> incomplete{
        {"--out"}, {"--out", ""}, {"--out", "somewhere"}, {"--out", "somewhere", ""}};
    for (const auto& arguments : incomplete) {
        EXPECT_EQ(run(arguments), exit_code::HelpShown);
        EXPECT_EQ(console.str(), "USAGE: Tavorel --out <output folder> <scenario file or folder>\n");
    }
    EXPECT_FALSE(fs::exists("somewhere"));
    fs::current_path(back);
}

// With --out, one scenario's outputs go directly into the named folder (made with its
// parents) and equal those a run without the option writes into Converted.
TEST_F(CollectionRunTest, OutFolderTakesTheOutputsOfOneScenario) {
    const fs::path scenarioFile = scenario(folder / "scen", FantasticWorlds);
    ASSERT_EQ(run({scenarioFile.string()}), exit_code::Converted);
    const std::string plainOutput = console.str();
    const FileTree converted = readFileTree(folder / "scen" / "Converted");
    fs::remove_all(folder / "scen" / "Converted");

    const fs::path out = folder / "elsewhere" / "deeper";
    EXPECT_EQ(run({"--out", out.string(), scenarioFile.string()}), exit_code::Converted);
    EXPECT_EQ(console.str(), plainOutput);
    EXPECT_TRUE(readFileTree(out) == converted);
    EXPECT_FALSE(fs::exists(folder / "scen" / "Converted"));
}

TEST_F(CollectionRunTest, OutFolderTakesTheBitmapsOfAGraphicsOnlyRun) {
    const fs::path pictures = scenario(folder / "pictures").parent_path();
    const fs::path out = folder / "bitmaps";
    EXPECT_EQ(run({"--out", out.string(), "/g1", pictures.string()}), exit_code::GraphicsOnly);
    EXPECT_EQ(console.str().rfind("Graphic only conversion selected\nCiv2Classic type selected\n", 0), 0u);
    EXPECT_EQ(readFileTree(out).size(), 7u);
    EXPECT_FALSE(fs::exists(pictures / "Converted"));
}

// An output folder inside the collection is not taken for part of it on the next run.
TEST_F(CollectionRunTest, OutFolderInsideTheCollectionIsNotConvertedAgain) {
    const fs::path root = folder / "collection";
    scenario(root / "one");
    scenario(root / "two", Conflicts);
    const fs::path out = root / "outputs";
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(run({"--out", out.string(), root.string()}), exit_code::Converted) << console.str();
        EXPECT_NE(console.str().find("Converted 2 scenarios: 2 complete, 0 with problems, 0 refused\n"),
                  std::string::npos);
    }
    EXPECT_TRUE(fs::exists(out / "one" / "Sample.scn"));
    EXPECT_TRUE(fs::exists(out / "two" / "Sample.scn"));
}

TEST_F(CollectionRunTest, FolderWithoutScenarioIsRefused) {
    fs::create_directories(folder / "nothing" / "here");
    const std::string argument = (folder / "nothing").string();
    EXPECT_EQ(run({argument}), exit_code::Refused);
    EXPECT_EQ(console.str(), "No scenario file found in " + argument + "\n");
}
