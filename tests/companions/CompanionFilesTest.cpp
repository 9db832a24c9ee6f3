#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

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
    EXPECT_EQ(console.str(), kAllFound) << "a subfolder is no failed copy";
    EXPECT_FALSE(converter.problemReported());
}

// A folder that bears a companion's name is no companion: nothing is found, nothing failed.
TEST_F(CompanionTest, FolderNamedLikeACompanionIsPassedOver) {
    for (const char* name : {"Events.txt", "City.txt"}) {
        SCOPED_TRACE(name);
        makeScenario(name[0] == 'E' ? "events" : "city");
        fs::remove(scenario / name);
        fs::create_directories(scenario / name);
        std::ostringstream quiet;
        ScenarioConverter run(quiet);
        run.copyCompanionFiles(scenario, "Sample");
        EXPECT_EQ(quiet.str().find(std::string("Found ") + name), std::string::npos) << quiet.str();
        EXPECT_FALSE(run.problemReported()) << quiet.str();
        EXPECT_FALSE(fs::exists(scenario / "Converted" / name));
    }
}

TEST_F(CompanionTest, SoundFolderThatCannotBeCreatedIsReported) {
    makeScenario();
    const fs::path sound = scenario / "Converted" / "Sound";
    writeFileBytes(sound, {7, 7, 7});  // a file where the folder should be
    copy();
    EXPECT_TRUE(converter.problemReported());
    EXPECT_NE(console.str().find("Found Sounds dir!\nNow Copying...\nError: could not create " + sound.string() +
                                 " (File exists)!\n"),
              std::string::npos)
        << console.str();
    EXPECT_EQ(readFileBytes(sound), (Bytes{7, 7, 7}));
}

// Converted/Sound links back to the scenario's Sound: each file would be copied onto
// itself. Each is reported, and stays as it was.
TEST_F(CompanionTest, SoundFolderLinkedBackToTheScenarioIsNotCopiedOntoItself) {
    makeScenario();
    std::error_code error;
    fs::create_directory_symlink(scenario / "Sound", scenario / "Converted" / "Sound", error);
    if (error) GTEST_SKIP() << "cannot make a folder link here: " << error.message();
    const Bytes advance = readFileBytes(scenario / "Sound" / "Advance.wav");
    const Bytes battle = readFileBytes(scenario / "Sound" / "Battle.wav");
    copy();
    EXPECT_TRUE(converter.problemReported());
    for (const char* name : {"Advance.wav", "Battle.wav"}) {
        const std::string file = (scenario / "Sound" / name).string();
        const std::string copy = (scenario / "Converted" / "Sound" / name).string();
        EXPECT_NE(console.str().find("Error: could not copy " + file + " to " + copy + " (File exists)!\n"),
                  std::string::npos)
            << console.str();
    }
    EXPECT_EQ(readFileBytes(scenario / "Sound" / "Advance.wav"), advance);
    EXPECT_EQ(readFileBytes(scenario / "Sound" / "Battle.wav"), battle);
    EXPECT_EQ(std::distance(fs::directory_iterator(scenario / "Sound"), fs::directory_iterator()), 2);
}

// A name kept for the tool's temporary files is never an output: the next run would
// remove it.
TEST_F(CompanionTest, SoundFileNamedLikeATemporaryFileIsNotCopied) {
    makeScenario();
    const fs::path odd = scenario / "Sound" / ".tavorel-0123-1.partial";
    writeFileBytes(odd, {1});
    copy();
    EXPECT_TRUE(converter.problemReported());
    EXPECT_NE(console.str().find("Warning: " + odd.string() +
                                 " not copied, it is named like a temporary file of this tool!\n"),
              std::string::npos)
        << console.str();
    EXPECT_FALSE(fs::exists(scenario / "Converted" / "Sound" / odd.filename()));
    EXPECT_TRUE(sameBytes("Sound/Battle.wav", "Sound/Battle.wav"));
}

// Each is copied under the name a destination reads, the sound folder with all its files.
TEST_F(CompanionTest, NamesAreFoundWhateverTheirCase) {
    struct Spelling {
        const char* events;
        const char* city;
        const char* sound;
    };
    const Spelling spellings[] = {{"EVENTS.TXT", "city.txt", "SOUND"}, {"events.txt", "CITY.TXT", "sound"}};
    for (const Spelling& c : spellings) {
        SCOPED_TRACE(c.sound);
        makeScenario(c.sound);
        fs::rename(scenario / "Events.txt", scenario / c.events);
        fs::rename(scenario / "City.txt", scenario / c.city);
        fs::rename(scenario / "Sound", scenario / c.sound);
        std::ostringstream quiet;
        ScenarioConverter run(quiet);
        run.copyCompanionFiles(scenario, "Sample");
        EXPECT_EQ(quiet.str(), kAllFound);
        EXPECT_TRUE(sameBytes(c.events, "Events.txt"));
        EXPECT_TRUE(sameBytes(c.city, "City.txt"));
        const FileTree sounds = readFileTree(scenario / c.sound);
        EXPECT_EQ(sounds.size(), 2u);
        EXPECT_TRUE(readFileTree(scenario / "Converted" / "Sound") == sounds);
    }
    // Where the file system tells two spellings apart, the exact one is copied.
    makeScenario("both");
    writeFileText(scenario / "CITY.TXT", "another list of cities");
    if (readFileText(scenario / "City.txt") == "another list of cities") return;  // one file in any case
    copy();
    EXPECT_TRUE(sameBytes("City.txt", "City.txt"));
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
    EXPECT_NE(console.str().find("Found City.txt!\nNow Copying...\nError: could not copy " + (scenario / "City.txt").string() +
                                 " to " + (scenario / "Converted" / "City.txt").string() + " (Is a directory)!\n"),
              std::string::npos)
        << console.str();
    EXPECT_TRUE(sameBytes("Events.txt", "Events.txt"));  // the other items still arrive
}
