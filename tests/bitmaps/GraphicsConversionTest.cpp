#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "GraphicsConversionSupport.h"
#include "kit/FileSizeLimit.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

TEST_F(GraphicsConversion, ConvertsAllSixBitmapsIntoSevenFilesAndLeavesTheScenarioAlone) {
    writeScenarioBitmaps();
    std::vector<Bytes> before;
    for (const char* name : kSteps) before.push_back(readFileBytes(scenario / name));

    EXPECT_EQ(convert(), consoleOf());
    EXPECT_FALSE(problemReported);
    EXPECT_EQ(convertedFiles(), (std::vector<std::string>{"Cities.bmp", "Icons.bmp", "Improvements.bmp", "People.bmp",
                                                          "Terrain1.bmp", "Terrain2.bmp", "Units.bmp"}));
    for (const char* name : kTemplateBitmapNames) {
        const Bytes output = readFileBytes(converted / name);
        const Bytes original = readFileBytes(templates / name);
        ASSERT_EQ(output.size(), original.size()) << name;
        EXPECT_TRUE(std::equal(original.begin(), original.begin() + 54, output.begin())) << name;
        EXPECT_NE(output, original) << name << " has cells pasted in";
    }
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(readFileBytes(scenario / kSteps[i]), before[i]) << kSteps[i];
    const Bytes units = readFileBytes(converted / "Units.bmp");
    EXPECT_EQ(pixelAt(units, 1, 11), pixelAt(before[0], 1, 1));
    EXPECT_EQ(pixelAt(units, 0, 0), pixelAt(readFileBytes(templates / "Units.bmp"), 0, 0));
    EXPECT_TRUE(sameCell(readFileBytes(converted / "Improvements.bmp"), 92, 53, before[2], 345, 23, 34, 18));

    // A second run over the Converted folder, whose Units.bmp is now larger than its
    // template, gives the same files.
    std::vector<Bytes> first;
    for (const char* name : kTemplateBitmapNames) first.push_back(readFileBytes(converted / name));
    writeFileBytes(converted / "Units.bmp", Bytes(2000000, 0x5A));
    convert();
    EXPECT_FALSE(problemReported);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(readFileBytes(converted / kTemplateBitmapNames[i]), first[i]);
}

TEST_F(GraphicsConversion, EachStepRunsOnlyForAPictureTheScenarioHolds) {
    const struct {
        std::vector<std::string> pictures;
        std::vector<std::string> made;
    } cases[] = {
        {{}, {}},
        {{"Icons.bmp"}, {"Icons.bmp", "Improvements.bmp"}},  // Improvements.bmp comes only with Icons.bmp
        {{"Cities.bmp"}, {"Cities.bmp"}},
    };
    for (const auto& c : cases) {
        fs::remove_all(scenario);
        fs::create_directories(converted);
        writeScenarioBitmaps(c.pictures);
        EXPECT_EQ(convert(), consoleOf({}, c.pictures));
        EXPECT_FALSE(problemReported);
        EXPECT_EQ(convertedFiles(), c.made);
    }
}

TEST_F(GraphicsConversion, NamesAreMatchedIgnoringCaseAndDestinationsKeepTheTableSpelling) {
    writeFileBytes(scenario / "UNITS.BMP", bitmap(640, 480, 5));
    fs::rename(templates / "Units.bmp", templates / "units.bmp");
    EXPECT_EQ(convert(), consoleOf({}, {"Units.bmp"}));
    ASSERT_EQ(convertedFiles(), (std::vector<std::string>{"Units.bmp"}));
    const Bytes units = readFileBytes(converted / "Units.bmp");
    EXPECT_EQ(pixelAt(units, 1, 11), pixelAt(readFileBytes(scenario / "UNITS.BMP"), 1, 1));
}

// Every picture of a step is checked before any file is made: a refused step makes none,
// and names each picture it refuses.
TEST_F(GraphicsConversion, RefusedPicturesLeaveNoFileOfTheirStep) {
    writeScenarioBitmaps();
    writeFileBytes(scenario / "Units.bmp", makeBitmap({640, 480, 16}));
    writeFileBytes(templates / "Cities.bmp", makeBitmap({640, 480, 24, 1}));
    writeFileBytes(templates / "Improvements.bmp", makeBitmap({640, 380}));
    writeFileBytes(scenario / "Terrain1.bmp", asBytes("Terrain of the scenario, in words, not a picture"));
    const Bytes terrain1 = readFileBytes(templates / "Terrain1.bmp");
    writeFileBytes(templates / "Terrain1.bmp", Bytes(terrain1.begin(), terrain1.end() - 1));
    fs::remove(templates / "Terrain2.bmp");
    auto templateRefusal = [&](const char* name, const std::string& problem, const char* step) {
        return refusal("template " + (templates / name).string(), problem, step);
    };
    EXPECT_EQ(convert(), consoleOf({
        {"Units.bmp", refusal(scenario / "Units.bmp", "is a picture of 16 bits per pixel (1, 4, 8, 24 or 32 are read)",
                                      "Units.bmp")},
        {"Cities.bmp", templateRefusal("Cities.bmp", "is a compressed picture (uncompressed needed)", "Cities.bmp")},
        {"Icons.bmp", templateRefusal("Improvements.bmp", "is 640 pixels wide (585 needed)", "Icons.bmp")},
        {"Terrain1.bmp", refusal(scenario / "Terrain1.bmp", "is not a picture (neither a BMP nor a GIF file)",
                                 "Terrain1.bmp") + "\n" +
                             templateRefusal("Terrain1.bmp",
                                             "is cut short (its pixel rows run past the end of the file)",
                                             "Terrain1.bmp")},
        {"Terrain2.bmp", templateRefusal("Terrain2.bmp", "not found", "Terrain2.bmp")},
    }));
    EXPECT_TRUE(problemReported);
    EXPECT_EQ(convertedFiles(), (std::vector<std::string>{"People.bmp"}));
}

TEST_F(GraphicsConversion, PicturesOfExactlyTheNeededRowsConvertAndOneRowLessIsRefused) {
    const struct {
        const char* step;
        const char* templateName;
        int sourceRows, templateRows, templateWidth;
    } needs[] = {{"Units.bmp", "Units.bmp", 343, 455, 640},   {"Cities.bmp", "Cities.bmp", 471, 471, 640},
                 {"Icons.bmp", "Icons.bmp", 293, 293, 640},   {"Icons.bmp", "Improvements.bmp", 293, 358, 585},
                 {"People.bmp", "People.bmp", 163, 162, 640}, {"Terrain1.bmp", "Terrain1.bmp", 479, 479, 640},
                 {"Terrain2.bmp", "Terrain2.bmp", 479, 479, 640}};
    for (const auto& need : needs) {
        writeFileBytes(scenario / need.step, bitmap(640, need.sourceRows, 31));
        writeFileBytes(templates / need.templateName, bitmap(need.templateWidth, need.templateRows, 32));
    }
    EXPECT_EQ(convert(), consoleOf());
    auto refusedAt = [&](int rows) {
        const std::string tooSmall = "is too small (" + std::to_string(rows) + " rows, at least " +
                                     std::to_string(rows + 1) + " needed)";
        return convert().find(tooSmall) != std::string::npos;
    };
    for (const auto& need : needs) {
        SCOPED_TRACE(need.templateName);
        writeFileBytes(scenario / need.step, bitmap(640, need.sourceRows - 1, 31));
        EXPECT_TRUE(refusedAt(need.sourceRows - 1));
        writeFileBytes(scenario / need.step, bitmap(640, need.sourceRows, 31));
        writeFileBytes(templates / need.templateName, bitmap(need.templateWidth, need.templateRows - 1, 32));
        EXPECT_TRUE(refusedAt(need.templateRows - 1));
        writeFileBytes(templates / need.templateName, bitmap(need.templateWidth, need.templateRows, 32));
    }
}

TEST_F(GraphicsConversion, UnwritableUncreatableOrSelfOverwritingDestinationsAreRefused) {
    auto unitsRefused = [](const std::string& problem) {
        return consoleOf({{"Units.bmp", "Error: " + problem + ", Units.bmp not converted!"}}, {"Units.bmp"});
    };
    writeScenarioBitmaps({"Units.bmp"});
    const fs::path units = converted / "Units.bmp";
    const Bytes earlier = asBytes("an earlier conversion");
    writeFileBytes(units, earlier);
    {
        FileSizeLimit disk(1000);  // files fill up after 1000 bytes
        if (disk.active()) {
            EXPECT_EQ(convert(), unitsRefused("could not write " + units.string() + " (File too large)"));
            EXPECT_TRUE(problemReported);
        }
    }
    EXPECT_EQ(readFileBytes(units), earlier) << "the earlier conversion is kept";
    EXPECT_EQ(std::distance(fs::directory_iterator(converted), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    fs::remove_all(converted);
    writeFileBytes(converted, asBytes("a file where the folder should be"));
    EXPECT_EQ(convert(), unitsRefused("could not create " + units.string() + " (Not a directory)"));
    EXPECT_TRUE(problemReported);

    // Templates taken from the Converted folder itself: each copy would overwrite its template.
    fs::remove(converted);
    writeTemplateFolder(converted, 3);
    const Bytes templateBefore = readFileBytes(units);
    EXPECT_EQ(convert(Conflicts, converted), unitsRefused(units.string() + " is one of the pictures it is made from"));
    EXPECT_EQ(readFileBytes(units), templateBefore);
}
