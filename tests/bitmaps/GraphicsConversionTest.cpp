#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "driver/RunConversion.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const char* const kSteps[6] = {"Units.bmp", "Cities.bmp", "Icons.bmp",
                               "People.bmp", "Terrain1.bmp", "Terrain2.bmp"};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string doneLines(const std::string& name) {
    return "Searching " + name + "...Found!\nNow Converting...\nDone!\n";
}
std::string notFoundLine(const std::string& name) { return "Searching " + name + "...Not Found!\n"; }
std::string refusedLines(const std::string& name, const std::string& problemLine) {
    return "Searching " + name + "...Found!\nNow Converting...\n" + problemLine + "\n";
}

Bytes pictureWithRows(std::int32_t width, std::int32_t rows, std::uint64_t seed) {
    BitmapSampleOptions options;
    options.width = width;
    options.height = rows;
    options.seed = seed;
    return makeBitmap(options);
}

class GraphicsConversion : public ::testing::Test {
protected:
    TempFolder scratch{"tavorel-graphics"};
    const fs::path templates = scratch.path() / "template";
    const fs::path scenario = scratch.path() / "scenario";
    const fs::path converted = scenario / "Converted";
    std::ostringstream console;
    bool problemReported = false;

    void SetUp() override {
        writeTemplateFolder(templates, 3);
        fs::create_directories(converted);
    }

    void writeScenarioBitmaps(std::initializer_list<const char*> names) {
        std::uint64_t seed = 20;
        for (const char* name : names) writeFileBytes(scenario / name, pictureWithRows(640, 480, seed++));
    }
    void writeAllScenarioBitmaps() {
        writeScenarioBitmaps({"Units.bmp", "Cities.bmp", "Icons.bmp", "People.bmp", "Terrain1.bmp",
                              "Terrain2.bmp"});
    }

    std::string convert(ScenarioEdition edition = Conflicts) {
        console.str("");
        ScenarioConverter converter(console);
        converter.templateFolder = templates;
        converter.edition = edition;
        EXPECT_EQ(converter.convertGraphics(scenario), 1);
        problemReported = converter.problemReported();
        return console.str();
    }

    std::vector<std::string> convertedFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(converted)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string allDoneBut(const std::string& step, const std::string& stepLines) const {
        std::string expected;
        for (const char* name : kSteps) expected += name == step ? stepLines : doneLines(name);
        return expected;
    }
};

}  // namespace

TEST_F(GraphicsConversion, ConvertsAllSixBitmapsIntoSevenFilesAndLeavesTheScenarioAlone) {
    writeAllScenarioBitmaps();
    std::vector<Bytes> before;
    for (const char* name : kSteps) before.push_back(readFileBytes(scenario / name));

    std::string expected;
    for (const char* name : kSteps) expected += doneLines(name);
    EXPECT_EQ(convert(), expected);
    EXPECT_FALSE(problemReported);
    EXPECT_EQ(convertedFiles(),
              (std::vector<std::string>{"Cities.bmp", "Icons.bmp", "Improvements.bmp", "People.bmp",
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
}

TEST_F(GraphicsConversion, FolderWithoutBitmapsMakesNothing) {
    std::string expected;
    for (const char* name : kSteps) expected += notFoundLine(name);
    EXPECT_EQ(convert(), expected);
    EXPECT_TRUE(startsWith(expected, "Searching Units.bmp...Not Found!\nSearching Cities.bmp"));
    EXPECT_TRUE(convertedFiles().empty());
    EXPECT_FALSE(problemReported);
}

TEST_F(GraphicsConversion, ImprovementsComesOnlyWithIcons) {
    writeScenarioBitmaps({"Icons.bmp"});
    EXPECT_EQ(convert(), notFoundLine("Units.bmp") + notFoundLine("Cities.bmp") + doneLines("Icons.bmp") +
                             notFoundLine("People.bmp") + notFoundLine("Terrain1.bmp") +
                             notFoundLine("Terrain2.bmp"));
    EXPECT_EQ(convertedFiles(), (std::vector<std::string>{"Icons.bmp", "Improvements.bmp"}));

    fs::remove_all(converted);
    fs::remove(scenario / "Icons.bmp");
    fs::create_directories(converted);
    writeScenarioBitmaps({"Cities.bmp"});
    convert();
    EXPECT_EQ(convertedFiles(), (std::vector<std::string>{"Cities.bmp"}));
}

TEST_F(GraphicsConversion, NamesAreMatchedIgnoringCaseAndDestinationsKeepTheTableSpelling) {
    writeFileBytes(scenario / "UNITS.BMP", pictureWithRows(640, 480, 5));
    fs::rename(templates / "Units.bmp", templates / "units.bmp");
    EXPECT_TRUE(startsWith(convert(), doneLines("Units.bmp"))) << console.str();
    EXPECT_EQ(convertedFiles(), (std::vector<std::string>{"Units.bmp"}));
    EXPECT_EQ(pixelAt(readFileBytes(converted / "Units.bmp"), 1, 11),
              pixelAt(readFileBytes(scenario / "UNITS.BMP"), 1, 1));
}

TEST_F(GraphicsConversion, SecondRunOverAnExistingConvertedFolderGivesTheSameFiles) {
    writeAllScenarioBitmaps();
    writeFileBytes(converted / "Units.bmp", Bytes(2000000, 0x5A));  // larger than the template
    convert();
    std::vector<Bytes> first;
    for (const char* name : kTemplateBitmapNames) first.push_back(readFileBytes(converted / name));
    EXPECT_EQ(first[0].size(), readFileBytes(templates / "Units.bmp").size());
    convert();
    EXPECT_FALSE(problemReported);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(readFileBytes(converted / kTemplateBitmapNames[i]), first[i]);
}

TEST_F(GraphicsConversion, RefusedScenarioPictureLeavesNoFileAndNoDone) {
    writeAllScenarioBitmaps();
    BitmapSampleOptions eightBit;
    eightBit.bitsPerPixel = 8;
    writeFileBytes(scenario / "Units.bmp", makeBitmap(eightBit));
    writeFileBytes(scenario / "People.bmp", asBytes("People of the scenario, in words, not a picture"));

    const std::string units = "Error: " + (scenario / "Units.bmp").string() +
                              " is a picture of 8 bits per pixel (24 needed), Units.bmp not converted!";
    const std::string people = "Error: " + (scenario / "People.bmp").string() +
                               " is not a bitmap, People.bmp not converted!";
    std::string expected;
    for (const char* name : kSteps) {
        const std::string step = name;
        expected += step == "Units.bmp"    ? refusedLines(step, units)
                    : step == "People.bmp" ? refusedLines(step, people)
                                           : doneLines(step);
    }
    EXPECT_EQ(convert(), expected);
    EXPECT_TRUE(problemReported);
    const std::vector<std::string> files = convertedFiles();
    EXPECT_EQ(std::count(files.begin(), files.end(), "Units.bmp"), 0);
    EXPECT_EQ(std::count(files.begin(), files.end(), "People.bmp"), 0);
    EXPECT_EQ(files.size(), 5u);
}

TEST_F(GraphicsConversion, RefusedTemplateLeavesNoFileOfItsStep) {
    writeAllScenarioBitmaps();
    writeFileBytes(templates / "Improvements.bmp", pictureWithRows(640, 380, 9));
    Bytes cutShort = readFileBytes(templates / "Terrain1.bmp");
    cutShort.resize(cutShort.size() - 1);
    writeFileBytes(templates / "Terrain1.bmp", cutShort);
    BitmapSampleOptions compressed;
    compressed.compression = 1;
    writeFileBytes(templates / "Cities.bmp", makeBitmap(compressed));

    const std::string output = convert();
    EXPECT_NE(output.find(refusedLines(
                  "Cities.bmp", "Error: template " + (templates / "Cities.bmp").string() +
                                    " is a compressed picture (uncompressed needed), Cities.bmp not converted!")),
              std::string::npos)
        << output;
    EXPECT_NE(output.find(refusedLines(
                  "Icons.bmp", "Error: template " + (templates / "Improvements.bmp").string() +
                                   " is 640 pixels wide (585 needed), Icons.bmp not converted!")),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("Error: template " + (templates / "Terrain1.bmp").string() +
                          " is cut short (its pixel rows run past the end of the file), Terrain1.bmp not "
                          "converted!\nSearching Terrain2.bmp"),
              std::string::npos)
        << output;
    EXPECT_TRUE(problemReported);
    EXPECT_EQ(convertedFiles(),
              (std::vector<std::string>{"People.bmp", "Terrain2.bmp", "Units.bmp"}));
}

TEST_F(GraphicsConversion, MissingTemplateIsReportedAndItsStepMakesNoFile) {
    writeAllScenarioBitmaps();
    fs::remove(templates / "Terrain2.bmp");
    const std::string line = "Error: template " + (templates / "Terrain2.bmp").string() +
                             " not found, Terrain2.bmp not converted!";
    EXPECT_EQ(convert(), allDoneBut("Terrain2.bmp", refusedLines("Terrain2.bmp", line)));
    EXPECT_TRUE(problemReported);
    EXPECT_FALSE(fs::exists(converted / "Terrain2.bmp"));
}

TEST_F(GraphicsConversion, PicturesOfExactlyTheNeededRowsConvertAndOneRowLessIsRefused) {
    const struct {
        const char* step;
        const char* templateName;
        int sourceRows, templateRows, templateWidth;
    } needs[] = {{"Units.bmp", "Units.bmp", 343, 455, 640},     {"Cities.bmp", "Cities.bmp", 471, 471, 640},
                 {"Icons.bmp", "Icons.bmp", 293, 293, 640},     {"Icons.bmp", "Improvements.bmp", 293, 358, 585},
                 {"People.bmp", "People.bmp", 163, 162, 640},   {"Terrain1.bmp", "Terrain1.bmp", 479, 479, 640},
                 {"Terrain2.bmp", "Terrain2.bmp", 479, 479, 640}};
    for (const auto& need : needs) {
        writeFileBytes(scenario / need.step, pictureWithRows(640, need.sourceRows, 31));
        writeFileBytes(templates / need.templateName, pictureWithRows(need.templateWidth, need.templateRows, 32));
    }
    std::string expected;
    for (const char* name : kSteps) expected += doneLines(name);
    EXPECT_EQ(convert(), expected);

    for (const auto& need : needs) {
        SCOPED_TRACE(need.templateName);
        writeFileBytes(scenario / need.step, pictureWithRows(640, need.sourceRows - 1, 31));
        EXPECT_NE(convert().find("is too small (" + std::to_string(need.sourceRows - 1) + " rows"), std::string::npos);
        writeFileBytes(scenario / need.step, pictureWithRows(640, need.sourceRows, 31));
        writeFileBytes(templates / need.templateName, pictureWithRows(need.templateWidth, need.templateRows - 1, 32));
        EXPECT_NE(convert().find("is too small (" + std::to_string(need.templateRows - 1) + " rows"),
                  std::string::npos);
        writeFileBytes(templates / need.templateName, pictureWithRows(need.templateWidth, need.templateRows, 32));
    }
}

TEST_F(GraphicsConversion, TopDownAndTrailingBytesPicturesConvertByTheirHeaders) {
    writeFileBytes(scenario / "Units.bmp", makeCodedBitmap(640, 480, kSourceTag));
    convert();
    const Bytes fromBottomUp = readFileBytes(converted / "Units.bmp");
    writeFileBytes(scenario / "Units.bmp", makeCodedBitmap(640, -480, kSourceTag));
    convert();
    EXPECT_EQ(readFileBytes(converted / "Units.bmp"), fromBottomUp);

    BitmapSampleOptions trailing;
    trailing.trailingBytes = 333;
    trailing.seed = 8;
    const Bytes templateBytes = makeBitmap(trailing);
    writeFileBytes(templates / "Units.bmp", templateBytes);
    convert();
    const Bytes out = readFileBytes(converted / "Units.bmp");
    ASSERT_EQ(out.size(), templateBytes.size());
    EXPECT_TRUE(std::equal(templateBytes.end() - 333, templateBytes.end(), out.end() - 333));
    EXPECT_EQ(pixelAt(out, 1, 11), codedPixel(1, 1, kSourceTag));
    EXPECT_EQ(pixelAt(out, 584, 448), codedPixel(584, 342, kSourceTag));
    EXPECT_FALSE(problemReported);
}

TEST_F(GraphicsConversion, FailedWriteIsReportedAndTheHalfWrittenFileRemoved) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that refuses writes";
    writeScenarioBitmaps({"Units.bmp"});
    std::error_code error;
    fs::create_symlink("/dev/full", converted / "Units.bmp", error);
    if (error) GTEST_SKIP() << "no symbolic links here";
    const std::string line =
        "Error: could not write " + (converted / "Units.bmp").string() + ", Units.bmp not converted!";
    EXPECT_TRUE(startsWith(convert(), refusedLines("Units.bmp", line) + "Searching Cities.bmp"))
        << console.str();
    EXPECT_TRUE(problemReported);
    EXPECT_FALSE(fs::exists(fs::symlink_status(converted / "Units.bmp")));
}

TEST_F(GraphicsConversion, UncreatableOrSelfOverwritingDestinationsAreRefused) {
    writeScenarioBitmaps({"Units.bmp"});
    fs::remove_all(converted);
    writeFileBytes(converted, asBytes("a file where the folder should be"));
    EXPECT_NE(convert().find(refusedLines(
                  "Units.bmp", "Error: could not create " + (converted / "Units.bmp").string() +
                                   ", Units.bmp not converted!")),
              std::string::npos);
    EXPECT_TRUE(problemReported);

    // Templates taken from the Converted folder itself: each copy would overwrite its template.
    fs::remove(converted);
    fs::create_directories(converted);
    writeTemplateFolder(converted, 3);
    const Bytes templateBefore = readFileBytes(converted / "Units.bmp");
    console.str("");
    ScenarioConverter converter(console);
    converter.templateFolder = converted;
    converter.convertGraphics(scenario);
    EXPECT_NE(console.str().find((converted / "Units.bmp").string() +
                                 " is one of the pictures it is made from, Units.bmp not converted!"),
              std::string::npos)
        << console.str();
    EXPECT_EQ(readFileBytes(converted / "Units.bmp"), templateBefore);
}

TEST_F(GraphicsConversion, GraphicsOnlyModeConvertsForTheSwitchedEdition) {
    writeAllScenarioBitmaps();
    std::ostringstream first;
    EXPECT_EQ(runConversion({"/g1", scenario.string()}, first, templates), 1);
    std::string expected = "Graphic only conversion selected\nCiv2Classic type selected\n";
    for (const char* name : kSteps) expected += doneLines(name);
    EXPECT_EQ(first.str(), expected);
    const Bytes citiesG1 = readFileBytes(converted / "Cities.bmp");
    const Bytes unitsG1 = readFileBytes(converted / "Units.bmp");
    EXPECT_EQ(citiesG1, (convert(Classic), readFileBytes(converted / "Cities.bmp")));

    std::ostringstream second;
    EXPECT_EQ(runConversion({"/g2", scenario.string()}, second, templates), 1);
    EXPECT_TRUE(startsWith(second.str(), "Graphic only conversion selected\nFantastic Worlds type selected\n" +
                                             doneLines("Units.bmp")));
    const Bytes citiesG2 = readFileBytes(converted / "Cities.bmp");
    EXPECT_NE(citiesG2, citiesG1);
    EXPECT_EQ(citiesG2, (convert(FantasticWorlds), readFileBytes(converted / "Cities.bmp")));
    EXPECT_EQ(readFileBytes(converted / "Units.bmp"), unitsG1);
}

TEST_F(GraphicsConversion, FullRunWithARefusedBitmapEndsWithExitCodeTwo) {
    ScenarioFolderOptions options;
    const fs::path scenarioFile = writeScenarioFolder(scenario, options);
    BitmapSampleOptions narrow;
    narrow.width = 320;
    writeFileBytes(scenario / "Terrain1.bmp", makeBitmap(narrow));
    std::ostringstream full;
    EXPECT_EQ(runConversion({scenarioFile.string()}, full, templates), 2);
    EXPECT_NE(full.str().find(refusedLines(
                  "Terrain1.bmp", "Error: " + (scenario / "Terrain1.bmp").string() +
                                      " is 320 pixels wide (640 needed), Terrain1.bmp not converted!") +
                  doneLines("Terrain2.bmp")),
              std::string::npos)
        << full.str();
    EXPECT_FALSE(fs::exists(converted / "Terrain1.bmp"));
    EXPECT_TRUE(fs::exists(converted / "Terrain2.bmp"));
}
