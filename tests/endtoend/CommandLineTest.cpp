#include <gtest/gtest.h>

#include <algorithm>
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
const std::string kUsage =
    "USAGE: Tavorel [--quiet] [--out <folder>] [--templates <folder>] [/g1 | /g2] <scenario file or folder>...\n";
const std::string kOpenError =
    "Error in opening Scenario File!\nPlease check for existance of file and\nremember to use full path & extension\n";
const std::string kRefusal = "Warning! Not a real scn file or not supported scn version!\n";
const std::string kBadRefusal = kRefusal + "{W}/c/broken/Bad.scn: 3 bytes, too short to hold a version byte\n";
const std::string kOddRefusal = kRefusal + "{W}/odd/V41.scn: version byte 41; Tavorel converts versions 39 and 40\n";
const std::string kMissing = ": No such file or directory\n";
const std::string kUnitsProblem = "Error: {W}/c/bad/Units.bmp is not a bitmap, Units.bmp not converted!\n";
const std::string kBadProblems =
    kUnitsProblem + "Error: {W}/c/bad/Cities.bmp is not a bitmap, Cities.bmp not converted!\n";
const std::string kDashNote =
    "Note: --dash also holds PEDIA.TXT, Game.txt, menu.TXT; they are not converted, check them by hand.\n";
std::string noTemplates(const std::string& folder) {
    return "Error: " + folder +
           " holds no destination templates; start Tavorel in the destination's folder or name that folder with "
           "--templates!\n";
}
// The lines of the steps whose template bitmaps `folder` lacks: "Icons:Improvements" for the
// Improvements.bmp that the Icons step lacks.
std::string withoutTemplates(const std::string& folder, const std::vector<std::string>& steps) {
    std::string lines;
    for (const std::string& step : steps) {
        const std::size_t colon = step.find(':');
        const std::string missing = colon == std::string::npos ? step : step.substr(colon + 1);
        lines += "Error: template " + folder + "/" + missing + ".bmp not found, " + step.substr(0, colon) +
                 ".bmp not converted!\n";
    }
    return lines;
}
// The paragraph on templates and outputs, line by line as the help prints it.
const std::string kTemplatesParagraph =
    "\n\nThe templates, the destination format's Rules.txt and bitmaps, are read from\n"
    "the working directory or, when it holds none or is the scenario's own folder,\n"
    "from the folder that holds Tavorel: start Tavorel in the destination format's\n"
    "folder, keep it there, or name that folder with --templates. A run that finds\n"
    "none, or a template that no scenario could be converted with, is refused\n"
    "before it writes anything.\n"
    "The outputs go into the folder Converted beside the scenario file (with /g1\n"
    "and /g2: inside the folder given), or into the --out folder. The scenario's\n"
    "own files are only read. Lines that begin with Note: lose nothing; --quiet\n"
    "leaves them out.\n\n";
// The complete help starts so, then names every mode, option and exit code.
const std::vector<std::string> kHelp{kHelpScreen + "\n" + kUsage, "Tavorel <folder> ", "Tavorel <path> <path>... ",
                                     "Tavorel /g2 <folder> ", "--out <folder> ", "--templates <folder> ", "--report <file> ",
                                     "--quiet, -q ", "--version ", "--help, -h, /? ", kTemplatesParagraph,
                                     "\n   0  ", "\n   1  ", "\n   2  ", "\n  -1  "};

// {W} is the world folder; the working folder is {W}/template, which holds a complete
// scenario in --dash with three texts left behind (two of them in two spellings each where
// the file system tells them apart) and a folder named like a fourth. The collection {W}/c
// holds, in this order, a scenario whose Units.bmp and Cities.bmp are no bitmaps, a refused
// one and a complete one; {W}/fresh a complete scenario that only the runs started in {W}
// convert; {W}/moved one whose @UNITS stands before @ENDWONDER, with the 8 lines more that
// the spare unit places take.
struct CommandCase {
    std::vector<std::string> arguments;
    int exitCode;                            // as the parent process sees it: -1 arrives as 255
    std::string output = {};                 // exact, unless `mentions` is given:
    std::vector<std::string> mentions = {};  // the first starts the output, each is in it
    std::vector<std::string> made = {};      // files that the run makes
    std::vector<std::string> absent = {};    // files and folders that it does not make
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
    {{"-Q", "{W}/c/good/Sample.scn"}, 1, "Unknown option -Q\n" + kUsage},
    {{"{W}/c/good/Sample.scn", "-out", "{W}/o6"}, 1, "Unknown option -out\n" + kUsage, {}, {}, {"{W}/o6"}},
    {{"--dash/Sample.scn"}, 0, "", {"Tavorel V1.2\nScenario File: Sample.scn\n", kDashNote + "Conversion Terminated\n"}},
    {{"./--dash/Sample.scn", "-q"}, 0, ""},  // no note when quiet
    {{"-q"}, 1, kUsage},
    {{"/g1", "-q"}, 1, "USAGE: Tavorel /g1 <folder of the scenario's bitmaps>\n"},
    {{"/g1", "{W}/c/good", "{W}/c/bad"}, 1, "USAGE: Tavorel /g1 <folder of the scenario's bitmaps>\n"},
    {{"--templates", "{W}/template"}, 1,
     "USAGE: Tavorel --templates <folder of the destination's templates> <scenario file or folder>\n"},
    {{"-q", "{W}/c/good/Sample.scn"}, 0, "", {}, {"{W}/c/good/Converted/Rules.txt"}},
    {{"{W}/c/good", "--report"}, 1, "USAGE: Tavorel --report <report file> <scenario file or folder>\n"},
    {{"-q", "{W}/c/good/Sample.scn", "--report", "{W}/r.html"}, 0, "", {}, {"{W}/r.html"}},
    {{"-q", "{W}/c/good/sAMPLE.scn"}, 0, "", {}, {"{W}/c/good/Converted/sAMPLE.scn"}},
    // Named with "-" first and in other letters than its file: a scenario all the same, no unknown option.
    {{"-q", "--dash/sAMPLE.SCN"}, 0, "", {}, {"{W}/template/--dash/Converted/sAMPLE.SCN"}},
    {{"{W}/c/bad/Sample.scn", "--quiet"}, 2, kBadProblems},
    {{"-q", "{W}/c/broken/Bad.scn"}, 255, kBadRefusal, {}, {}, {"{W}/c/broken/Converted"}},
    {{"{W}/odd/V41.scn"}, 255, kOddRefusal, {}, {}, {"{W}/odd/Converted"}},
    {{"-q", "{W}/odd/Ten.scn"}, 255, kRefusal + "{W}/odd/Ten.scn: 10 bytes, too short to hold a version byte\n"},
    {{"{W}/odd/V0.scn"}, 255, kRefusal + "{W}/odd/V0.scn: version byte 0; Tavorel converts versions 39 and 40\n", {},
     {}, {"{W}/odd/Converted"}},
    // Out of order, its extra lines all placed all the same: a warning, which --quiet prints.
    {{"-q", "{W}/moved/Sample.scn"}, 2,
     "Warning: {W}/moved/Rules.txt has @UNITS out of order, at its line 236; check the converted Rules.txt!\n"
     "Warning: {W}/moved/Rules.txt has 62 lines in @UNITS where the conversion takes 54; 8 placed on the lines that "
     "follow, 0 left out, check the converted Rules.txt!\n"},
    {{"--out", "{W}/o4/deeper", "{W}/odd/V41.scn"}, 255, kOddRefusal, {}, {}, {"{W}/o4"}},
    {{"-q", "Missing.scn"}, 255, kOpenError + "Missing.scn" + kMissing, {}, {}, {"{W}/template/Converted"}},
    {{"-q", "--out", "{W}/o1", "{W}/c/bad/Sample.scn"}, 2, kBadProblems, {}, {"{W}/o1/Sample.scn"}},
    {{"--out", "{W}/o2", "-q", "/g2", "{W}/c/good"}, 1, "", {}, {"{W}/o2/Terrain2.bmp"}},
    {{"/g1", "--quiet", "{W}/c/bad"}, 1, kBadProblems},
    {{"-q", "/g1", "{W}/empty"}, 1, "", {}, {}, {"{W}/empty/Converted"}},
    {{"-q", "--out", "{W}/o7/deeper", "/g1", "{W}/empty"}, 1, "", {}, {}, {"{W}/o7"}},  // both made, both removed
    {{"-q", "--out", "{W}/kept", "/g1", "{W}/empty"}, 1, "", {}, {"{W}/kept"}},  // there before: stays
    {{"-q", "{W}/empty"}, 255, "No scenario file found in {W}/empty\n"},
    {{"-q", "{W}/c"}, 2,
     "[1/3] {W}/c/bad/Sample.scn\n" + kBadProblems + "[2/3] {W}/c/broken/Bad.scn\n" + kBadRefusal +
         "Converted 3 scenarios: 1 complete, 1 with problems, 1 refused\n  with problems: {W}/c/bad/Sample.scn\n    " +
         kUnitsProblem + "    (and 1 more)\n  refused: {W}/c/broken/Bad.scn\n    " + kRefusal},
    {{"--out", "{W}/o3", "-q", "{W}/c"}, 2, "", {"[1/3] {W}/c/bad/Sample.scn\n" + kUnitsProblem}, {"{W}/o3/good/Sample.scn"}},
    {{"{W}/c/good/Sample.scn", "-q", "{W}/c/broken/Bad.scn"}, 2,
     "[2/2] {W}/c/broken/Bad.scn\n" + kBadRefusal +
         "Converted 2 scenarios: 1 complete, 0 with problems, 1 refused\n  refused: {W}/c/broken/Bad.scn\n    " + kRefusal},
    {{"-q", "{W}/empty", "{W}/c/good/Sample.scn"}, 2,
     "No scenario file found in {W}/empty\nConverted 1 scenarios: 1 complete, 0 with problems, 0 refused\n"},
    {{"--out", "{W}/o5", "-q", "{W}/template/--dash/Sample.scn", "{W}/c"}, 2, "",
     {"[2/4] {W}/c/bad/Sample.scn\n" + kUnitsProblem, "\nConverted 4 scenarios: 2 complete, 1 with problems, 1 refused\n"},
     {"{W}/o5/Sample.scn", "{W}/o5/bad/Rules.txt", "{W}/o5/good/Sample.scn"}, {"{W}/o5/broken"}},
};

// Started in {W}, which holds no template, unless a folder of them is named.
const CommandCase kOutsideCases[] = {
    {{"fresh/Sample.scn"}, 255, noTemplates("."), {}, {}, {"{W}/fresh/Converted"}},
    {{"-q", "fresh"}, 255, noTemplates("."), {}, {}, {"{W}/fresh/Converted"}},
    {{"/g1", "fresh"}, 255, noTemplates("."), {}, {}, {"{W}/fresh/Converted"}},
    {{"--templates", "c/broken", "fresh/Sample.scn"}, 255, noTemplates("c/broken"), {}, {}, {"{W}/fresh/Converted"}},
    {{"--templates", "folders", "fresh/Sample.scn"}, 255, noTemplates("folders"), {}, {}, {"{W}/fresh/Converted"}},
    {{"-q", "--templates", "partial", "fresh/Sample.scn"}, 2,
     "Error: template partial/Rules.txt not found, Rules.txt not converted!\n", {}, {"{W}/fresh/Converted/Units.bmp"}},
    // A folder that holds one template alone is the destination's all the same.
    {{"-q", "--templates", "improvements", "fresh/Sample.scn"}, 2,
     withoutTemplates("improvements", {"Units", "Cities", "Icons", "People", "Terrain1", "Terrain2"}) +
         "Error: template improvements/Rules.txt not found, Rules.txt not converted!\n"},
    {{"-q", "--templates", "rules", "fresh/Sample.scn"}, 2,
     withoutTemplates("rules", {"Units", "Cities", "Icons", "Icons:Improvements", "People", "Terrain1", "Terrain2"})},
    {{"fresh/Sample.scn", "--templates", "template", "-q"}, 0, "", {}, {"{W}/fresh/Converted/Rules.txt"}},
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
    // Where the file system tells them apart: the exact spelling PEDIA.TXT named, else the first in name order.
    for (const char* text : {"PEDIA.TXT", "Pedia.txt", "menu.TXT", "Game.txt", "game.txt"}) {
        writeFileText(world / "template" / "--dash" / text, "");
    }
    fs::create_directories(world / "template" / "--dash" / "LABELS.TXT");  // a folder, no text
    for (const char* folder : {"c/good", "c/bad", "fresh"}) writeScenarioFolder(world / folder, {});
    ScenarioFolderOptions moved;
    moved.scenario.edition = Conflicts;
    moved.rulesSections = planSections(Conflicts);
    const auto section = [&moved](const char* header) {
        return std::find_if(moved.rulesSections.begin(), moved.rulesSections.end(),
                            [header](const SampleRulesSection& s) { return s.header == header; });
    };
    section("@UNITS")->lines += 8;
    std::iter_swap(section("@UNITS"), section("@ENDWONDER"));
    writeScenarioFolder(world / "moved", moved);
    for (const char* picture : {"Units.bmp", "Cities.bmp"}) writeFileBytes(world / "c" / "bad" / picture, {'B', 'M'});
    // {W}/folders holds folders named like templates, no file.
    for (const char* folder : {"c/broken", "empty", "odd", "partial", "improvements", "rules", "kept",
                               "folders/Rules.txt", "folders/Units.bmp"}) {
        fs::create_directories(world / folder);
    }
    for (const char* name : {"improvements/Improvements.bmp", "rules/Rules.txt"}) {
        fs::copy_file(world / "template" / fs::path(name).filename(), world / name);
    }
    writeFileBytes(world / "c" / "broken" / "Bad.scn", {1, 2, 3});
    writeFileBytes(world / "odd" / "V41.scn", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 41, 0});
    writeFileBytes(world / "odd" / "Ten.scn", std::vector<std::uint8_t>(10, 39));  // the version byte's offset is 10
    writeFileBytes(world / "odd" / "V0.scn", std::vector<std::uint8_t>(11, 0));
    for (const std::string name : kTemplateBitmapNames) {  // named in capitals: found all the same
        fs::copy_file(world / "template" / name, world / "partial" / (name.substr(0, name.size() - 3) + "BMP"));
    }

    const auto check = [&w](const CommandCase& c, const fs::path& workingFolder) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) arguments.push_back(withWorld(argument, w));
        const ToolRun run = runTool(arguments, workingFolder);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.errors, "");
        if (c.mentions.empty()) EXPECT_EQ(run.output, withWorld(c.output, w));
        else EXPECT_EQ(run.output.rfind(withWorld(c.mentions[0], w), 0), 0u) << run.output;
        for (const std::string& mention : c.mentions) EXPECT_NE(run.output.find(withWorld(mention, w)), std::string::npos) << mention;
        for (const std::string& file : c.made) EXPECT_TRUE(fs::exists(withWorld(file, w))) << file;
        for (const std::string& file : c.absent) EXPECT_FALSE(fs::exists(withWorld(file, w))) << file;
    };
    for (const CommandCase& c : kCases) check(c, world / "template");
    for (const CommandCase& c : kOutsideCases) check(c, world.path());
}

// The sample world converts whole: its scenario whose rules have the later layout's
// sections, and which holds a text left behind, gets notes alone and counts complete.
TEST(CommandLine, SampleWorldWithNotesConvertsComplete) {
    if (!canRunTool()) GTEST_SKIP() << "this platform's binary is run by the Windows check of CI";
    const TempFolder world("tavorel-sample-world");
    writeSampleWorld(world.path(), 1);
    const ToolRun run = runTool({".."}, world / "template");
    EXPECT_EQ(run.exitCode, 0);
    const std::string plan = " where the plan takes ";
    const std::string notes =
        "Converting Rules.txt\nNote: ../notes/Rules.txt has 100 lines in @CIVILIZE" + plan +
        "93; the other 7 are on the destination's lines that follow.\nNote: ../notes/Rules.txt has 62 lines in @UNITS" +
        plan + "54; the other 8 are on the destination's lines that follow.\nDone!\n";
    EXPECT_NE(run.output.find(notes), std::string::npos) << run.output;
    const std::string end = "Note: ../notes also holds PEDIA.TXT; they are not converted, check them by hand.\n"
                            "Conversion Terminated\nConverted 5 scenarios: 5 complete, 0 with problems, 0 refused\n";
    EXPECT_EQ(run.output.substr(run.output.size() - std::min(run.output.size(), end.size())), end);
}

// Which folder gives the templates, the program in the destination's folder or in a bare
// one: the folder named, else the working folder, else the program's folder, said so once
// (a note, which --quiet leaves out), else none.
TEST(CommandLine, TemplatesFromTheFolderNamedTheWorkingOneOrTheProgramsOwn) {
    if (!canRunTool()) GTEST_SKIP() << "this platform's binary is run by the Windows check of CI";
    const TempFolder world("tavorel-beside-program");
    const fs::path destination = world / "destination";
    writeTemplateFolder(destination, 4);
    fs::create_directories(world / "bare");
    for (const fs::path& folder : {destination, world / "bare"}) fs::copy_file(TAVOREL_BINARY, folder / "tavorel");
    for (const char* folder : {"a", "b", "c", "d"}) writeScenarioFolder(world / folder, {});
    const std::string note = "Note: templates taken from " + destination.string() + ", the folder that holds Tavorel.\n";
    const struct {
        std::vector<std::string> arguments;
        fs::path workingFolder, program;
        int exitCode;
        std::string start;  // the output begins so, and names no other template folder
    } cases[] = {
        {{"a/Sample.scn"}, world.path(), destination, 0, note + "Tavorel V1.2\n"},
        {{"-q", "b"}, world.path(), destination, 0, ""},
        {{"../c/Sample.scn"}, destination, destination, 0, "Tavorel V1.2\n"},  // the working folder first
        {{"--templates", "destination", "d/Sample.scn"}, world.path(), world / "bare", 0, "Tavorel V1.2\n"},
        {{"--templates", "bare", "d/Sample.scn"}, world.path(), destination, 255, noTemplates("bare")},
        {{"d/Sample.scn"}, world.path(), world / "bare", 255, noTemplates(".")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const ToolRun run = runTool(c.arguments, c.workingFolder, c.program / "tavorel");
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
        EXPECT_EQ(run.output.rfind(c.start, 0), 0u) << run.output;
        EXPECT_EQ(run.output.find("templates", c.start.size()), std::string::npos) << run.output;
    }
    EXPECT_EQ(readFileBytes(world / "a" / "Converted" / "Rules.txt"), readFileBytes(world / "c" / "Converted" / "Rules.txt"));
}
