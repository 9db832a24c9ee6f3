#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunTool.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kHelpScreen =
    "Tavorel 1.0 HELP SCREEN \n(Well, it doesn't say a lot but in the future... who knows)\n"
    "USAGE: Tavorel <fname>\nWhere <dir>is the file name of scenario to convert\n";
const std::string kUsage = "USAGE: Tavorel [--quiet] [--out <folder>] [/g1 | /g2] <scenario file or folder>\n";
const std::string kOpenError =
    "Error in opening Scenario File!\nPlease check for existance of file and\nremember to use full path & extension\n";
const std::string kRefusal = "Warning! Not a real scn file or not supported scn version!\n";
const std::string kBadRefusal = kRefusal + "{W}/c/broken/Bad.scn: 3 bytes, too short to hold a version byte\n";
const std::string kMissing = ": No such file or directory\n";
const std::string kUnitsProblem = "Error: {W}/c/bad/Units.bmp is not a bitmap, Units.bmp not converted!\n";
const std::string kBadProblems =
    kUnitsProblem + "Error: {W}/c/bad/Cities.bmp is not a bitmap, Cities.bmp not converted!\n";
// The complete help starts so, then names every mode, option and exit code.
const std::vector<std::string> kHelp{kHelpScreen + "\n" + kUsage, "Tavorel <folder> ", "Tavorel /g2 <folder> ",
                                     "--out <folder> ", "--quiet, -q ", "--version ", "--help, -h, /? ",
                                     "working directory", "\n   0  ", "\n   1  ", "\n   2  ", "\n  -1  "};

// {W} is the world folder; the working folder is {W}/template, which holds a complete
// scenario in --dash. The collection {W}/c holds, in this order, a scenario whose Units.bmp
// and Cities.bmp are no bitmaps, a refused one and a complete one.
struct CommandCase {
    std::vector<std::string> arguments;
    int exitCode;                            // as the parent process sees it: -1 arrives as 255
    std::string output = {};                 // exact, unless `mentions` is given:
    std::vector<std::string> mentions = {};  // the first starts the output, each is in it
    const char* made = nullptr;              // a file that the run makes
};

const CommandCase kCases[] = {
    {{}, 1, kHelpScreen},
    {{"--help"}, 0, "", kHelp},
    {{"-h"}, 0, "", kHelp},
    {{"/?"}, 0, "", kHelp},
    {{"--quiet", "--out", "{W}/o", "--help", "x.scn"}, 0, "", kHelp},
    {{"--version"}, 0, "Tavorel V1.2\n"},
    {{"--Version"}, 1, "Unknown option --Version\n" + kUsage},
    {{"-q", "--bogus", "{W}/c/good/Sample.scn"}, 1, "Unknown option --bogus\n" + kUsage},
    {{"--dash/Sample.scn"}, 1, "Unknown option --dash/Sample.scn\n" + kUsage},
    {{"./--dash/Sample.scn"}, 0, "", {"Tavorel V1.2\nScenario File: Sample.scn\n", "\nConversion Terminated\n"}},
    {{"-Q", "{W}/c/good/Sample.scn"}, 255, kOpenError + "-Q" + kMissing},  // not an option, but the path
    {{"-q"}, 1, kUsage},
    {{"/g1", "-q"}, 1, "USAGE: Tavorel /g1 <folder of the scenario's bitmaps>\n"},
    {{"-q", "{W}/c/good/Sample.scn"}, 0, "", {}, "{W}/c/good/Converted/Rules.txt"},
    {{"--quiet", "{W}/c/bad/Sample.scn"}, 2, kBadProblems},
    {{"-q", "{W}/c/broken/Bad.scn"}, 255, kBadRefusal},
    {{"-q", "{W}/nowhere/Missing.scn"}, 255, kOpenError + "{W}/nowhere/Missing.scn" + kMissing},
    {{"-q", "--out", "{W}/o1", "{W}/c/bad/Sample.scn"}, 2, kBadProblems, {}, "{W}/o1/Sample.scn"},
    {{"--out", "{W}/o2", "-q", "/g2", "{W}/c/good"}, 1, "", {}, "{W}/o2/Terrain2.bmp"},
    {{"/g1", "--quiet", "{W}/c/bad"}, 1, kBadProblems},
    {{"-q", "{W}/empty"}, 255, "No scenario file found in {W}/empty\n"},
    {{"-q", "{W}/c"}, 2,
     "[1/3] {W}/c/bad/Sample.scn\n" + kBadProblems + "[2/3] {W}/c/broken/Bad.scn\n" + kBadRefusal +
         "Converted 3 scenarios: 1 complete, 1 with problems, 1 refused\n  with problems: {W}/c/bad/Sample.scn\n    " +
         kUnitsProblem + "    (and 1 more)\n  refused: {W}/c/broken/Bad.scn\n    " + kRefusal},
    {{"--out", "{W}/o3", "-q", "{W}/c"}, 2, "", {"[1/3] {W}/c/bad/Sample.scn\n" + kUnitsProblem}, "{W}/o3/good/Sample.scn"},
};

std::string withWorld(std::string text, const std::string& world) {
    for (std::size_t at = text.find("{W}"); at != std::string::npos; at = text.find("{W}", at + world.size())) {
        text.replace(at, 3, world);
    }
    return text;
}

}  // namespace

TEST(CommandLine, EveryOptionThroughTheBuiltTool) {
    if (!canRunTool()) GTEST_SKIP() << "this platform's binary is run by the Windows check of CI";
    const TempFolder world("tavorel-command-line");
    const std::string w = world.path().string();
    writeTemplateFolder(world / "template", 4);
    writeScenarioFolder(world / "template" / "--dash", {});
    for (const char* folder : {"c/good", "c/bad"}) writeScenarioFolder(world / folder, {});
    for (const char* picture : {"Units.bmp", "Cities.bmp"}) writeFileBytes(world / "c" / "bad" / picture, {'B', 'M'});
    for (const char* folder : {"c/broken", "empty"}) fs::create_directories(world / folder);
    writeFileBytes(world / "c" / "broken" / "Bad.scn", {1, 2, 3});

    for (const CommandCase& c : kCases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) arguments.push_back(withWorld(argument, w));
        const ToolRun run = runTool(arguments, world / "template");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.errors, "");
        if (c.mentions.empty()) EXPECT_EQ(run.output, withWorld(c.output, w));
        else EXPECT_EQ(run.output.rfind(withWorld(c.mentions[0], w), 0), 0u) << run.output;
        for (const std::string& mention : c.mentions) EXPECT_NE(run.output.find(withWorld(mention, w)), std::string::npos) << mention;
        EXPECT_TRUE(c.made == nullptr || fs::exists(withWorld(c.made, w)));
    }
}
