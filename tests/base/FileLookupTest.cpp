#include <gtest/gtest.h>

#include <fstream>

#include "base/FileLookup.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

TEST(FileLookup, ExactSpellingFirstThenIgnoringCase) {
    TempFolder folder;
    std::ofstream(folder / "RULES.TXT") << "x";
    if (fs::exists(folder / "rules.txt")) GTEST_SKIP() << "the file system ignores letter case itself";
    EXPECT_EQ(findIgnoringCase(folder.path(), "Rules.txt"), folder / "RULES.TXT");
    std::ofstream(folder / "Rules.txt") << "y";
    EXPECT_EQ(findIgnoringCase(folder.path(), "Rules.txt"), folder / "Rules.txt");
}

// Of several spellings, the first in name order is taken, whatever order the folder
// lists them in.
TEST(FileLookup, FirstOfSeveralSpellingsIsTaken) {
    TempFolder folder;
    for (const char* name : {"rules.txt", "Rules.TXT", "RULES.TXT", "rULES.txt"}) std::ofstream(folder / name) << name;
    if (fs::exists(folder / "Rules.txt")) GTEST_SKIP() << "the file system ignores letter case itself";
    EXPECT_EQ(findIgnoringCase(folder.path(), "Rules.txt"), folder / "RULES.TXT");
    fs::remove(folder / "RULES.TXT");
    EXPECT_EQ(findIgnoringCase(folder.path(), "Rules.txt"), folder / "Rules.TXT");
}

TEST(FileLookup, MissingNameGivesTheExactSpelling) {
    TempFolder folder;
    EXPECT_EQ(findIgnoringCase(folder.path(), "Units.bmp"), folder / "Units.bmp");
    EXPECT_EQ(findIgnoringCase(folder / "no-such-folder", "Units.bmp"),
              folder / "no-such-folder" / "Units.bmp");
}

// The stored spelling is what the folder holds, on every file system.
TEST(FileLookup, StoredNameIsTheFolderEntrysSpelling) {
    TempFolder folder;
    std::ofstream(folder / "UNITS.GIF") << "x";
    EXPECT_EQ(storedName(folder.path(), "Units.gif"), "UNITS.GIF");
    EXPECT_EQ(storedName(folder.path(), "UNITS.GIF"), "UNITS.GIF");
    EXPECT_EQ(storedName(folder.path(), "Cities.gif"), "Cities.gif");
}
