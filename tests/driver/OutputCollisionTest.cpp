// A run never replaces an output that it made itself, nor the scenario's own files: a
// scenario whose title text shares its name with another output, and folders linked back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/OutputFolderLock.h"
#include "base/ReplacingOutput.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

// A folder layout: the sample scenario in root/scen (its file Sample.scn) and the template
// in root/template, changed by `arrange`, which returns false where the system makes no
// links. In `arguments` and `lines`, {scen} stands for the scenario folder, {root} for root.
struct Layout {
    const char* what;
    bool (*arrange)(const fs::path& root);
    Strings arguments;
    int exitCode;
    Strings lines;       // each in the console once
    const char* absent;  // in no line of the console
    void (*check)(const fs::path& scen);
};

// The scenario file renamed, so that its title text is the folder's file of that base name.
template <const char* name>
bool renamed(const fs::path& root) {
    fs::remove(root / "scen" / name);
    fs::remove(root / "scen" / "Sample.txt");
    fs::rename(root / "scen" / "Sample.scn", root / "scen" / name);
    return true;
}
constexpr char kRulesScn[] = "Rules.scn", kCityScn[] = "City.scn", kEventsScn[] = "Events.scn",
               kEventsTxt[] = "Events.txt", kCityTxt[] = "City.txt";

// Converted holds the converted file, not the scenario's file of that name.
template <const char* name>
void grown(const fs::path& scen) { EXPECT_GT(readFileBytes(scen / "Converted" / name).size(), readFileBytes(scen / name).size()); }

bool linked(const fs::path& link) {
    std::error_code noLinks;
    fs::create_directory_symlink(".", link, noLinks);
    return !noLinks;
}

// `link` made a link to a file of 4096 bytes whose read fails with "Invalid argument" (Linux:
// the speed of the loopback device, which has none); false where there is no such file.
bool linkedToAFileThatFailsWhenRead(const fs::path& link) {
#ifdef _WIN32
    (void)link;
    return false;  // Wine would reach the Linux file, and word its failure in Windows' words
#else
    const fs::path speed = "/sys/class/net/lo/speed";
    if (!fs::is_regular_file(speed) || std::ifstream(speed).get() != EOF) return false;
    fs::remove(link);
    std::error_code noLinks;
    fs::create_symlink(speed, link, noLinks);
    return !noLinks;
#endif
}

// A title text that is another companion is that one file, copied once.
void companionsCopied(const fs::path& scen) {
    for (const char* name : {"City.txt", "Events.txt", "Title.gif"}) {
        EXPECT_EQ(readFileBytes(scen / "Converted" / name), readFileBytes(scen / name)) << name;
    }
}

const Layout kLayouts[] = {
    {"the title text is the scenario's own Rules.txt", renamed<kRulesScn>, {"{scen}/Rules.scn"},
     exit_code::SomethingSkipped,
     {"Copying identical files\nFound Events.txt!\nNow Copying...\nWarning: {scen}/Rules.txt not copied, it "
      "would replace the converted Rules.txt!\nFound Title Image!\nNow Copying...\n"},
     "Error",
     [](const fs::path& scen) {
         EXPECT_NE(readFileBytes(scen / "Converted" / "Rules.txt"), readFileBytes(scen / "Rules.txt"));
         EXPECT_NE(readFileText(scen / "Converted" / "Rules.txt").find("@COSMIC"), std::string::npos);
     }},
    {"the title text is City.txt", renamed<kCityScn>, {"{scen}/City.scn"}, exit_code::Converted,
     {"Copying identical files\nFound Events.txt!\nNow Copying...\nFound Scenario Title!\nNow Copying...\n"
      "Found Title Image!\nNow Copying...\nFound Sounds dir!\nNow Copying...\nConversion Terminated\n"},
     "Warning", companionsCopied},
    {"the title text is Events.txt", renamed<kEventsScn>, {"{scen}/Events.scn"}, exit_code::Converted,
     {"Copying identical files\nFound Events.txt!\nNow Copying...\nFound Title Image!\nNow Copying...\n"
      "Found City.txt!\nNow Copying...\nFound Sounds dir!\nNow Copying...\nConversion Terminated\n"},
     "Warning", companionsCopied},
    {"a template Rules.txt cut short, with lines missing from a section too: refused before anything",
     [](const fs::path& root) {
         std::string rules = readFileText(root / "template" / "Rules.txt");
         rules.erase(rules.find("@IMPROVE"));
         const std::size_t from = rules.find('\n', rules.find("@COSMIC2")) + 1;
         std::size_t to = from;
         for (int line = 0; line < 4; ++line) to = rules.find('\n', to) + 1;
         writeFileText(root / "template" / "Rules.txt", rules.erase(from, to - from));
         return true;
     },
     {"{scen}/Sample.scn"}, exit_code::Refused,
     {"Error: template {root}/template/Rules.txt has 168 rules lines besides comments and empty lines (528 needed), "
      "nothing converted!\n"},
     "Converting", nullptr},
    {"a template Rules.txt that fails when it is read",
     [](const fs::path& root) { return linkedToAFileThatFailsWhenRead(root / "template" / "Rules.txt"); },
     {"{scen}/Sample.scn"}, exit_code::Refused,
     {"Error: template {root}/template/Rules.txt cannot be read (Invalid argument), nothing converted!\n"}, "Converting",
     nullptr},
    {"a scenario Rules.txt that fails when it is read",
     [](const fs::path& root) { return linkedToAFileThatFailsWhenRead(root / "scen" / "Rules.txt"); },
     {"{scen}/Sample.scn"}, exit_code::SomethingSkipped,
     {"Converting Rules.txt\nError: could not read {scen}/Rules.txt (Invalid argument)!\n"}, "Warning",
     [](const fs::path& scen) { EXPECT_FALSE(fs::exists(scen / "Converted" / "Rules.txt")); }},
    {"Converted/Sound a link to Converted, Rules.txt and Events.txt in the Sound folder",
     [](const fs::path& root) {
         fs::create_directories(root / "scen" / "Converted");
         writeFileText(root / "scen" / "Sound" / "Rules.txt", "sound rules");
         writeFileText(root / "scen" / "Sound" / "Events.txt", "sound events");
         return linked(root / "scen" / "Converted" / "Sound");
     },
     {"{scen}/Sample.scn"}, exit_code::SomethingSkipped,
     {"Warning: {scen}/Sound/Events.txt not copied, it would replace the copied Events.txt!\n",
      "Warning: {scen}/Sound/Rules.txt not copied, it would replace the converted Rules.txt!\n"},
     "Error",
     [](const fs::path& scen) {
         EXPECT_EQ(readFileBytes(scen / "Converted" / "Events.txt"), readFileBytes(scen / "Events.txt"));
         EXPECT_NE(readFileText(scen / "Converted" / "Rules.txt").find("@COSMIC"), std::string::npos);
     }},
    {"the scenario file named Events.txt", renamed<kEventsTxt>, {"{scen}/Events.txt"}, exit_code::SomethingSkipped,
     {"Warning: {scen}/Events.txt not copied, it would replace the converted Events.txt!\n", "Found Title Image!\n"},
     "Found Events.txt", grown<kEventsTxt>},
    {"the scenario file named City.txt", renamed<kCityTxt>, {"{scen}/City.txt"}, exit_code::SomethingSkipped,
     {"Warning: {scen}/City.txt not copied, it would replace the converted City.txt!\n", "Found Events.txt!\n"},
     "Found City.txt", grown<kCityTxt>},
    {"Converted a link back to the scenario folder, beside a file named like a temporary",
     [](const fs::path& root) {
         writeFileText(root / "scen" / ".tavorel-0123456789abcdef-1.partial", "the user's own");
         return linked(root / "scen" / "Converted");
     },
     {"{scen}/Sample.scn"}, exit_code::Refused, {"Error: {scen}/Converted/Sample.scn is the scenario file itself!\n"},
     "Done", [](const fs::path& scen) { EXPECT_FALSE(fs::exists(scen / kOutputFolderLockName)); }},
    {"an output's name taken by a folder in Converted",
     [](const fs::path& root) { return fs::create_directories(root / "scen" / "Converted" / "City.txt"); },
     {"{scen}/Sample.scn"}, exit_code::SomethingSkipped,
     {"Error: could not copy {scen}/City.txt to {scen}/Converted/City.txt (Is a directory)!\n"}, "Warning",
     [](const fs::path& scen) {
         for (const auto& entry : fs::directory_iterator(scen / "Converted")) {
             EXPECT_FALSE(isTemporaryName(entry.path().filename().string())) << entry.path();
         }
     }},
    {"an output folder named with --out whose Rules.txt is a link to the scenario's",
     [](const fs::path& root) {
         std::error_code noLinks;
         fs::create_directory(root / "out");
         fs::create_symlink(root / "scen" / "Rules.txt", root / "out" / "Rules.txt", noLinks);
         return !noLinks;
     },
     {"--out", "{root}/out", "{scen}/Sample.scn"}, exit_code::SomethingSkipped,
     {"Error: {root}/out/Rules.txt is the scenario's own rules text, Rules.txt not converted!\n"}, "Warning",
     [](const fs::path& scen) { EXPECT_TRUE(fs::is_symlink(scen.parent_path() / "out" / "Rules.txt")); }},
    {"the bitmaps alone, with the scenario's own folder for outputs", nullptr, {"--out", "{scen}", "/g1", "{scen}"},
     exit_code::GraphicsOnly, {"{scen}/Units.bmp is one of the pictures it is made from"}, "Done", nullptr},
#ifndef _WIN32  // Windows lists folders through their long form, which has room for this one
    {"a folder run with a subfolder whose path is too long to be listed",
     [](const fs::path& root) {
         const fs::path back = fs::current_path();
         fs::current_path(root);
         for (int level = 0; level < 18; ++level) {
             fs::create_directory(std::string(250, 'd'));
             fs::current_path(std::string(250, 'd'));
         }
         fs::current_path(back);
         return true;
     },
     {"{root}"}, exit_code::SomethingSkipped,
     {"Error: could not read the folder {root}/" + std::string(250, 'd'), std::string(250, 'd') + " (File name too long)!\n",
      "Converted 1 scenarios: 1 complete, 0 with problems, 0 refused\n"},
     "refused:", nullptr},
#endif
};

std::string withFolders(std::string text, const fs::path& root) {
    if (text.find('{') == std::string::npos) return text;  // an option such as /g1
    for (char& c : text) c = c == '/' ? static_cast<char>(fs::path::preferred_separator) : c;
    for (const auto& [name, path] : {std::pair{"{scen}", root / "scen"}, std::pair{"{root}", root}}) {
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name)) {
            text.replace(at, std::string(name).size(), path.string());
        }
    }
    return text;
}

// The scenario folder's files, but for those in Converted.
FileTree scenarioFiles(const fs::path& scen) {
    FileTree tree = readFileTree(scen);
    for (auto it = tree.begin(); it != tree.end();) it = it->first.rfind("Converted/", 0) == 0 ? tree.erase(it) : ++it;
    return tree;
}

}  // namespace

// Each layout gives its messages and exit code, and leaves the scenario's own files as they
// were.
TEST(OutputCollision, FolderLayoutsWithLinksAndSharedNamesKeepEveryFileTheirOwn) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.what);
        TempFolder root;
        writeTemplateFolder(root / "template", 3);
        writeScenarioFolder(root / "scen", ScenarioFolderOptions{});
        if (layout.arrange != nullptr && !layout.arrange(root.path())) continue;
        const FileTree before = scenarioFiles(root / "scen");
        Strings arguments;
        for (const std::string& argument : layout.arguments) arguments.push_back(withFolders(argument, root.path()));
        std::ostringstream console;
        EXPECT_EQ(runConversion(arguments, console, root / "template"), layout.exitCode);
        const std::string text = console.str();
        for (const std::string& line : layout.lines) {
            const std::string expected = withFolders(line, root.path());
            const std::size_t at = text.find(expected);
            EXPECT_TRUE(at != std::string::npos && text.find(expected, at + 1) == std::string::npos) << expected << "\n" << text;
        }
        EXPECT_EQ(text.find(layout.absent), std::string::npos) << text;
        EXPECT_TRUE(scenarioFiles(root / "scen") == before);
        if (layout.check != nullptr) layout.check(root / "scen");
    }
}
