#include <gtest/gtest.h>

#include "driver/ScenarioPath.h"

TEST(ScenarioPath, SplitsIntoDriveDirectoryNameAndExtension) {
    const struct {
        const char* argument;
        const char *drive, *directory, *name, *extension;
    } cases[] = {
        {"C:\\Games\\Scen\\Rome.scn", "C:", "\\Games\\Scen\\", "Rome", ".scn"},
        {"Scen.scn", "", "", "Scen", ".scn"},                                  // no folder part
        {"X:Rome.scn", "X:", "", "Rome", ".scn"},                              // drive-relative
        {"D:\\my.scenarios\\Rome", "D:", "\\my.scenarios\\", "Rome", ""},     // a dot in a folder
        {"/home/me/old.games\\scen/Rome.v2.scn", "", "/home/me/old.games\\scen/", "Rome.v2", ".scn"},
    };
    for (const auto& c : cases) {
        const ScenarioPath parts = splitScenarioPath(c.argument);
        EXPECT_EQ(parts.drive, c.drive) << c.argument;
        EXPECT_EQ(parts.directory, c.directory) << c.argument;
        EXPECT_EQ(parts.name, c.name) << c.argument;
        EXPECT_EQ(parts.extension, c.extension) << c.argument;
        EXPECT_EQ(parts.folder(), std::string(c.drive) + c.directory) << c.argument;
        EXPECT_EQ(parts.fileName(), std::string(c.name) + c.extension) << c.argument;
    }
}

TEST(ScenarioPath, LongNamesAreKeptWhole) {
    const std::string longName(300, 'n');
    const ScenarioPath parts = splitScenarioPath("C:\\" + std::string(400, 'd') + "\\" + longName + ".scenario");
    EXPECT_EQ(parts.name, longName);
    EXPECT_EQ(parts.extension, ".scenario");
    EXPECT_EQ(parts.directory.size(), 402u);
}
