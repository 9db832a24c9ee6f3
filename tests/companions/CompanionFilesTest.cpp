#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "driver/ScenarioConverter.h"
#include "kit/BitmapSample.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class CompanionTest : public ::testing::Test {
protected:
    // A scenario folder with companions only; `name` may hold blanks and shell characters.
    fs::path makeScenario(const std::string& name = "scen") {
        ScenarioFolderOptions options;
        options.withBitmaps = false;
        options.withRules = false;
        scenario = folder / name;
        writeScenarioFolder(scenario, options);
        fs::create_directories(scenario / "Converted");
        return scenario;
    }
    void copy() { converter.copyCompanionFiles(scenario, "Sample"); }
    bool sameBytes(const std::string& relative, const std::string& convertedRelative) {
        const auto original = readFileBytes(scenario / relative);
        return !original.empty() && original == readFileBytes(scenario / "Converted" / convertedRelative);
    }

    TempFolder folder;
    fs::path scenario;
    std::ostringstream console;
    ScenarioConverter converter{console};
};

const char* const kAllFound =
    "Found Events.txt!\nNow Copying...\n"
    "Found Scenario Title!\nNow Copying...\n"
    "Found Title Image!\nNow Copying...\n"
    "Found City.txt!\nNow Copying...\n"
    "Found Sounds dir!\nNow Copying...\n";

}  // namespace

TEST_F(CompanionTest, CopiesEveryItemInOrder) {
    makeScenario();
    copy();
    EXPECT_EQ(console.str(), kAllFound);
    EXPECT_FALSE(converter.problemReported());
    for (const char* name : {"Events.txt", "Sample.txt", "Title.gif", "City.txt"}) {
        EXPECT_TRUE(sameBytes(name, name)) << name;
    }
    EXPECT_TRUE(sameBytes("Sound/Advance.wav", "Sound/Advance.wav"));
    EXPECT_TRUE(sameBytes("Sound/Battle.wav", "Sound/Battle.wav"));
}

TEST_F(CompanionTest, SecondRunReplacesTheCopies) {
    makeScenario();
    copy();
    writeFileBytes(scenario / "Converted" / "City.txt", {'o', 'l', 'd', ' ', 'c', 'o', 'p', 'y', '!', '!'});
    std::ostringstream secondConsole;
    ScenarioConverter secondRun(secondConsole);
    secondRun.copyCompanionFiles(scenario, "Sample");
    EXPECT_TRUE(sameBytes("City.txt", "City.txt"));
    EXPECT_EQ(secondConsole.str(), kAllFound);
    EXPECT_FALSE(secondRun.problemReported());
}

TEST_F(CompanionTest, TitleImageNeedsTheTitleText) {
    makeScenario();
    fs::remove(scenario / "Sample.txt");
    copy();
    EXPECT_EQ(console.str(),
              "Found Events.txt!\nNow Copying...\nFound City.txt!\nNow Copying...\n"
              "Found Sounds dir!\nNow Copying...\n");
    EXPECT_FALSE(fs::exists(scenario / "Converted" / "Title.gif"));
}

TEST_F(CompanionTest, NothingToCopyPrintsNothing) {
    scenario = folder / "empty";
    fs::create_directories(scenario / "Converted");
    copy();
    EXPECT_EQ(console.str(), "");
    EXPECT_TRUE(fs::is_empty(scenario / "Converted"));
}

TEST_F(CompanionTest, SoundFileIsCopiedIntoANewFolder) {
    makeScenario();
    fs::remove_all(scenario / "Sound");
    writeFileBytes(scenario / "Sound", {1, 2, 3, 4});
    copy();
    EXPECT_NE(console.str().find("Found Sounds dir!\n"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(scenario / "Converted" / "Sound"));
    EXPECT_TRUE(sameBytes("Sound", "Sound/Sound"));
}

TEST_F(CompanionTest, SoundSubfoldersAreNotCopied) {
    makeScenario();
    fs::create_directories(scenario / "Sound" / "Extra");
    writeFileBytes(scenario / "Sound" / "Extra" / "deep.wav", {9});
    copy();
    EXPECT_FALSE(fs::exists(scenario / "Converted" / "Sound" / "Extra"));
    EXPECT_TRUE(sameBytes("Sound/Advance.wav", "Sound/Advance.wav"));
}

TEST_F(CompanionTest, NamesAreFoundWhateverTheirCase) {
    makeScenario();
    fs::rename(scenario / "Events.txt", scenario / "EVENTS.TXT");
    fs::rename(scenario / "City.txt", scenario / "city.txt");
    copy();
    EXPECT_EQ(console.str(), kAllFound);
    EXPECT_TRUE(sameBytes("EVENTS.TXT", "Events.txt"));
    EXPECT_TRUE(sameBytes("city.txt", "City.txt"));
}

TEST_F(CompanionTest, FolderNamesWithShellCharactersWork) {
#ifdef _WIN32
    makeScenario("it's a scen & more; $(touch x) `y` %PATH%");  // Windows forbids quotes in names
#else
    makeScenario("it's a \"scen\" & more; $(touch x) `y` %PATH%");
#endif
    copy();
    EXPECT_EQ(console.str(), kAllFound);
    EXPECT_TRUE(sameBytes("Events.txt", "Events.txt"));
    EXPECT_FALSE(fs::exists(folder / "x"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "x"));
}

TEST_F(CompanionTest, FailedCopyIsReported) {
    makeScenario();
    fs::create_directories(scenario / "Converted" / "City.txt");  // a folder where the copy should go
    copy();
    EXPECT_TRUE(converter.problemReported());
    EXPECT_NE(console.str().find("Found City.txt!\nNow Copying...\nError: could not copy "), std::string::npos);
    EXPECT_TRUE(sameBytes("Events.txt", "Events.txt"));  // the other items still arrive
}
