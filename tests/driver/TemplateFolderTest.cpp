#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/PictureKinds.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The world: {W}/dest, the destination's templates; {W}/scen a scenario with BMP pictures,
// {W}/gif one with GIF pictures; {W}/bare, a folder with nothing in it; and {W}/bad, a copy
// of the templates that a case spoils.
const std::string kOwnFolder =
    " is the scenario's own folder, not the destination's; start Tavorel in the destination's folder or name that "
    "folder with --templates!\n";
const std::string kFromDest = "Note: templates taken from {W}/dest, the folder that holds Tavorel.\nTavorel V1.2\n";

void spoil(const fs::path& world, const char* name, const BitmapSampleOptions& picture) {
    writeFileBytes(world / "bad" / name, makeBitmap(picture));
}

// The template rules text cut after its 527th counted line, the `longAt`th of them made
// 170 characters long: past the 510th it is read in pieces of 159, and counts twice.
template <int longAt>
void rulesWithLongLine(const fs::path& world) {
    std::istringstream lines(readFileText(world / "dest" / "Rules.txt"));
    std::string rules;
    int counted = 0;
    for (std::string line; counted < 527 && std::getline(lines, line);) {
        const std::size_t text = line.find_first_not_of(" \t\r");
        const bool counts = text != std::string::npos && line[text] != ';' && line[0] != ':';
        if (counts && ++counted == longAt) line.insert(line.size() - 1, " ;" + std::string(168 - line.size(), '-'));
        rules += line + "\n";
    }
    writeFileText(world / "bad" / "Rules.txt", rules);
}

struct TemplateCase {
    const char* what;
    std::vector<std::string> arguments;
    const char* working;
    const char* program;
    std::function<void(const fs::path&)> arrange;
    int exitCode;
    std::string start;  // the output begins so; a refusal's is the whole output
};

const TemplateCase kCases[] = {
    {"started in a BMP scenario's folder, nothing beside the program", {"{W}/scen/Sample.scn"}, "scen", "bare",
     nullptr, -1, "Error: the working directory {W}/scen" + kOwnFolder},
    {"started in a GIF scenario's folder, nothing beside the program", {"{W}/gif/Sample.scn"}, "gif", "bare", nullptr,
     -1, "Error: the working directory {W}/gif" + kOwnFolder},
    {"graphics only, in the folder converted", {"/g1", "{W}/scen"}, "scen", "bare", nullptr, -1,
     "Error: the working directory {W}/scen" + kOwnFolder},
    {"a folder run whose scenarios include the working folder's", {"{W}"}, "gif", "bare", nullptr, -1,
     "Error: the working directory {W}/gif" + kOwnFolder},
    {"started in a BMP scenario's folder, templates beside the program", {"{W}/scen/Sample.scn"}, "scen", "dest",
     nullptr, 0, kFromDest},
    {"started in a GIF scenario's folder, templates beside the program", {"{W}/gif/Sample.scn"}, "gif", "dest",
     nullptr, 0, kFromDest},
    {"a named folder: a template too narrow and one too short, each named once",
     {"--templates", "{W}/bad", "{W}/scen/Sample.scn"}, "dest", "dest",
     [](const fs::path& w) {
         spoil(w, "Units.bmp", {320, 480});
         spoil(w, "Improvements.bmp", {kImprovementsWidth, 300});
     },
     -1,
     "Error: template {W}/bad/Units.bmp is 320 pixels wide (640 needed), nothing converted!\n"
     "Error: template {W}/bad/Improvements.bmp is too small (300 rows, at least 358 needed), nothing converted!\n"},
    {"the working folder: a template of another bit depth, not passed over for the program's",
     {"{W}/scen/Sample.scn"}, "bad", "dest", [](const fs::path& w) { spoil(w, "Cities.bmp", {640, 480, 8}); }, -1,
     "Error: template {W}/bad/Cities.bmp is a picture of 8 bits per pixel (24 needed), nothing converted!\n"},
    {"the program's folder: a Rules.txt cut short", {"{W}/gif/Sample.scn"}, "bare", "bad",
     [](const fs::path& w) {
         const std::string rules = readFileText(w / "dest" / "Rules.txt");
         writeFileText(w / "bad" / "Rules.txt", rules.substr(0, rules.find("@IMPROVE")));
     },
     -1,
     "Note: templates taken from {W}/bad, the folder that holds Tavorel.\n"
     "Error: template {W}/bad/Rules.txt has 171 rules lines besides comments and empty lines (528 needed), nothing "
     "converted!\n"},
    {"the program's folder: 527 rules lines, one long where the rest's buffer reads it in two", {"{W}/scen/Sample.scn"},
     "scen", "bad", rulesWithLongLine<511>, 0,
     "Note: templates taken from {W}/bad, the folder that holds Tavorel.\nTavorel V1.2\n"},
    {"the program's folder: 527 rules lines, one long where the section's buffer reads it whole",
     {"{W}/scen/Sample.scn"}, "scen", "bad", rulesWithLongLine<510>, -1,
     "Note: templates taken from {W}/bad, the folder that holds Tavorel.\n"
     "Error: template {W}/bad/Rules.txt has 527 rules lines besides comments and empty lines (528 needed), nothing "
     "converted!\n"},
};

// {W} as the world's path, and "/" after it as the platform's separator.
std::string inWorld(std::string text, const fs::path& world) {
    if (text.find("{W}") == std::string::npos) return text;  // a switch such as /g1
    for (char& c : text) c = c == '/' ? static_cast<char>(fs::path::preferred_separator) : c;
    for (std::size_t at = text.find("{W}"); at != std::string::npos; at = text.find("{W}"))
        text.replace(at, 3, world.string());
    return text;
}

}  // namespace

// Which folder gives the templates, and whether they can serve, is settled before the run
// writes anything: a refused run leaves no Converted folder in any scenario. The report of
// a run names the folder that gave them.
TEST(TemplateFolder, ScenarioFoldersPassedOverAndTemplatesCheckedByWhatTheyHold) {
    for (const TemplateCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const TempFolder world("tavorel-templates");
        writeTemplateFolder(world / "dest", 5);
        fs::copy(world / "dest", world / "bad");
        fs::create_directories(world / "bare");
        writeScenarioFolder(world / "scen", {});
        ScenarioFolderOptions gif;
        gif.pictureKind = &pictureKind("GIF87a");
        writeScenarioFolder(world / "gif", gif);
        if (c.arrange) c.arrange(world.path());

        std::vector<std::string> arguments{"--report", (world / "report.html").string()};
        for (const std::string& argument : c.arguments) arguments.push_back(inWorld(argument, world.path()));
        std::ostringstream console;
        EXPECT_EQ(runConversion(arguments, console, world / c.working, world / c.program), c.exitCode) << console.str();
        const std::string start = inWorld(c.start, world.path());
        if (c.exitCode != 0) {
            EXPECT_EQ(console.str(), start);
            for (const char* scenario : {"scen", "gif"}) EXPECT_FALSE(fs::exists(world / scenario / "Converted"));
            continue;
        }
        EXPECT_EQ(console.str().rfind(start, 0), 0u) << console.str();
        EXPECT_NE(readFileText(world / "report.html").find("<th>Templates</th><td>" + (world / c.program).string() + "<"),
                  std::string::npos);
        // The pictures are the destination's templates with the scenario's cells, not copies
        // of the scenario's own.
        const fs::path scenario = world / c.working;
        EXPECT_NE(readFileBytes(scenario / "Converted" / "Units.bmp"), readFileBytes(scenario / "Units.bmp"));
        EXPECT_TRUE(fs::exists(scenario / "Converted" / "Improvements.bmp"));
    }
}
