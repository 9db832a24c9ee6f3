#pragma once

// A scenario folder and a template folder for conversions of the six pictures, and the
// console such a conversion prints.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

// The six steps, in the order they run.
inline const char* const kSteps[6] = {"Units.bmp",  "Cities.bmp",   "Icons.bmp",
                                      "People.bmp", "Terrain1.bmp", "Terrain2.bmp"};

// The console of a conversion: each step whose picture the scenario holds prints "Done!",
// or its problem lines from `problems`; the others find nothing.
inline std::string consoleOf(const std::map<std::string, std::string>& problems = {},
                             const std::vector<std::string>& found = {kSteps, kSteps + 6}) {
    std::string expected;
    for (const std::string name : kSteps) {
        const auto problem = problems.find(name);
        expected += std::find(found.begin(), found.end(), name) == found.end()
                        ? "Searching " + name + "...Not Found!\n"
                        : "Searching " + name + "...Found!\nNow Converting...\n" +
                              (problem == problems.end() ? "Done!" : problem->second) + "\n";
    }
    return expected;
}

inline Bytes bitmap(int width, int rows, std::uint64_t seed) { return makeBitmap({width, rows, 24, 0, 0, seed}); }

inline std::string refusal(const std::filesystem::path& picture, const std::string& problem, const char* step) {
    return "Error: " + picture.string() + " " + problem + ", " + step + " not converted!";
}

class GraphicsConversion : public ::testing::Test {
protected:
    TempFolder scratch{"tavorel-graphics"};
    const std::filesystem::path templates = scratch.path() / "template";
    const std::filesystem::path scenario = scratch.path() / "scenario";
    const std::filesystem::path converted = scenario / "Converted";
    std::ostringstream console;
    bool problemReported = false;

    void SetUp() override {
        writeTemplateFolder(templates, 3);
        std::filesystem::create_directories(converted);
    }

    void writeScenarioBitmaps(const std::vector<std::string>& names = {kSteps, kSteps + 6}) {
        std::uint64_t seed = 20;
        for (const std::string& name : names) writeFileBytes(scenario / name, bitmap(640, 480, seed++));
    }

    std::string convert(ScenarioEdition edition = Conflicts, const std::filesystem::path& templateFolder = {}) {
        console.str("");
        ScenarioConverter converter(console);
        converter.templateFolder = templateFolder.empty() ? templates : templateFolder;
        converter.edition = edition;
        EXPECT_EQ(converter.convertGraphics(scenario), 1);
        problemReported = converter.problemReported();
        return console.str();
    }

    std::vector<std::string> convertedFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(converted)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};
