#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "../bitmaps/GraphicsConversionSupport.h"
#include "driver/RunConversion.h"
#include "kit/SampleWorld.h"

namespace fs = std::filesystem;

TEST_F(GraphicsConversion, FullRunWithARefusedPictureEndsWithExitCodeTwo) {
    const fs::path scenarioFile = writeScenarioFolder(scenario, ScenarioFolderOptions());
    writeFileBytes(scenario / "Terrain1.bmp", makeBitmap({320, 480}));
    std::ostringstream full;
    EXPECT_EQ(runConversion({scenarioFile.string()}, full, templates), 2);
    const std::string refused = refusal(scenario / "Terrain1.bmp", "is 320 pixels wide (640 needed)", "Terrain1.bmp");
    EXPECT_NE(full.str().find(consoleOf({{"Terrain1.bmp", refused}})), std::string::npos) << full.str();
    EXPECT_FALSE(fs::exists(converted / "Terrain1.bmp"));
    EXPECT_TRUE(fs::exists(converted / "Terrain2.bmp"));
}

TEST_F(GraphicsConversion, GraphicsOnlyModeConvertsForTheSwitchedEdition) {
    writeScenarioBitmaps();
    std::ostringstream first;
    EXPECT_EQ(runConversion({"/g1", scenario.string()}, first, templates), 1);
    EXPECT_EQ(first.str(), "Graphic only conversion selected\nCiv2Classic type selected\n" + consoleOf());
    const Bytes citiesG1 = readFileBytes(converted / "Cities.bmp");
    const Bytes unitsG1 = readFileBytes(converted / "Units.bmp");
    EXPECT_EQ(citiesG1, (convert(Classic), readFileBytes(converted / "Cities.bmp")));

    std::ostringstream second;
    EXPECT_EQ(runConversion({"/g2", scenario.string()}, second, templates), 1);
    EXPECT_EQ(second.str(), "Graphic only conversion selected\nFantastic Worlds type selected\n" + consoleOf());
    const Bytes citiesG2 = readFileBytes(converted / "Cities.bmp");
    EXPECT_NE(citiesG2, citiesG1);
    EXPECT_EQ(citiesG2, (convert(FantasticWorlds), readFileBytes(converted / "Cities.bmp")));
    EXPECT_EQ(readFileBytes(converted / "Units.bmp"), unitsG1);
}
