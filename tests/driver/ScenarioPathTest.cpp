#include <gtest/gtest.h>

#include "driver/ScenarioPath.h"

TEST(ScenarioPath, SplitsDriveDirectoryNameAndExtension) {
    const ScenarioPath parts = splitScenarioPath("C:\\Games\\Scen\\Rome.scn");
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\Games\\Scen\\");
    EXPECT_EQ(parts.name, "Rome");
    EXPECT_EQ(parts.extension, ".scn");
    EXPECT_EQ(parts.folder(), "C:\\Games\\Scen\\");
    EXPECT_EQ(parts.fileName(), "Rome.scn");
}

TEST(ScenarioPath, PathWithoutFolderGivesEmptyFolder) {
    const ScenarioPath parts = splitScenarioPath("Scen.scn");
    EXPECT_EQ(parts.folder(), "");
    EXPECT_EQ(parts.name, "Scen");
    EXPECT_EQ(parts.extension, ".scn");
}

TEST(ScenarioPath, BothSlashesSeparateAndTheLastOneWins) {
    const ScenarioPath parts = splitScenarioPath("/home/me/old.games\\scen/Rome.v2.scn");
    EXPECT_EQ(parts.drive, "");
    EXPECT_EQ(parts.directory, "/home/me/old.games\\scen/");
    EXPECT_EQ(parts.name, "Rome.v2");
    EXPECT_EQ(parts.extension, ".scn");
}

TEST(ScenarioPath, DotInAFolderIsNoExtension) {
    const ScenarioPath parts = splitScenarioPath("D:\\my.scenarios\\Rome");
    EXPECT_EQ(parts.name, "Rome");
    EXPECT_EQ(parts.extension, "");
    EXPECT_EQ(parts.fileName(), "Rome");
}

TEST(ScenarioPath, DriveRelativePath) {
    const ScenarioPath parts = splitScenarioPath("X:Rome.scn");
    EXPECT_EQ(parts.drive, "X:");
    EXPECT_EQ(parts.directory, "");
    EXPECT_EQ(parts.folder(), "X:");
    EXPECT_EQ(parts.fileName(), "Rome.scn");
}

TEST(ScenarioPath, LongNamesAreKeptWhole) {
    const std::string longName(300, 'n');
    const ScenarioPath parts = splitScenarioPath("C:\\" + std::string(400, 'd') + "\\" + longName + ".scenario");
    EXPECT_EQ(parts.name, longName);
    EXPECT_EQ(parts.extension, ".scenario");
    EXPECT_EQ(parts.directory.size(), 402u);
}
