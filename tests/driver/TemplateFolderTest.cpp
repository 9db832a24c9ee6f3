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
};

std::string inWorld(std::string text, const fs::path& world) {
    for (std::size_t at = text.find("{W}"); at != std::string::npos; at = text.find("{W}"))
        text.replace(at, 3, world.string());
    return text;
}

}  // namespace

// Which folder gives the templates, and whether they can serve, is settled before the run
// writes anything: a refused run leaves no Converted folder in any scenario.
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

        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) arguments.push_back(inWorld(argument, world.path()));
        std::ostringstream console;
        const int code = runConversion(arguments, console, world / c.working, world / c.program);
        EXPECT_EQ(code, c.exitCode) << console.str();
        const std::string start = inWorld(c.start, world.path());
        if (c.exitCode == 0) {
            EXPECT_EQ(console.str().rfind(start, 0), 0u) << console.str();
            const std::string scenario = c.working;
            // The pictures are the destination's templates with the scenario's cells, not
            // copies of the scenario's own.
            EXPECT_NE(readFileBytes(world / scenario / "Converted" / "Units.bmp"),
                      readFileBytes(world / scenario / "Units.bmp"));
            EXPECT_EQ(readFileBytes(world / scenario / "Converted" / "Improvements.bmp").size(),
                      readFileBytes(world / "dest" / "Improvements.bmp").size());
        } else {
            EXPECT_EQ(console.str(), start);
            for (const char* scenario : {"scen", "gif"}) EXPECT_FALSE(fs::exists(world / scenario / "Converted"));
        }
    }
}

// The report names the folder that gave the templates, the program's when it was taken.
TEST(TemplateFolder, ReportNamesTheProgramsFolderWhenItGaveTheTemplates) {
    const TempFolder world("tavorel-templates-report");
    writeTemplateFolder(world / "dest", 5);
    writeScenarioFolder(world / "scen", {});
    std::ostringstream console;
    const fs::path page = world / "report.html";
    EXPECT_EQ(runConversion({"--report", page.string(), (world / "scen" / "Sample.scn").string()}, console,
                            world / "scen", world / "dest"),
              0)
        << console.str();
    EXPECT_NE(readFileText(page).find("<tr><th>Templates</th><td>" + (world / "dest").string() + "</td></tr>"),
              std::string::npos);
}
