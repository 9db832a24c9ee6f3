// A run never replaces an output that it made itself, nor the scenario's own files: a
// scenario whose title text shares its name with another output, and folders linked back.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/OutputFolderLock.h"
#include "base/ReplacingOutput.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Converted {
    int exitCode = 0;
    std::string console;
};

// Converts the sample scenario of `folder`, its file renamed to `fileName`; the title
// text is then whichever file of the folder has the scenario's base name.
Converted convertAs(const TempFolder& root, const std::string& fileName) {
    writeTemplateFolder(root / "template", 3);
    const fs::path scenario = root / "scen";
    writeScenarioFolder(scenario, ScenarioFolderOptions{});
    fs::remove(scenario / "Sample.txt");
    fs::rename(scenario / "Sample.scn", scenario / fileName);
    std::ostringstream console;
    Converted result;
    result.exitCode = runConversion({(scenario / fileName).string()}, console, root / "template");
    result.console = console.str();
    return result;
}

}  // namespace

// The title text of Rules.scn is the scenario's own rules text: copied, it would replace
// the merged Rules.txt.
TEST(OutputCollision, TitleTextThatWouldReplaceTheConvertedRulesIsNotCopied) {
    TempFolder reference;
    convertAs(reference, "Sample.scn");
    TempFolder root;
    const fs::path scenario = root / "scen";
    const Converted run = convertAs(root, "Rules.scn");

    EXPECT_EQ(run.exitCode, exit_code::SomethingSkipped);
    EXPECT_TRUE(contains(run.console, "Copying identical files\nFound Events.txt!\nNow Copying...\nWarning: " +
                                          (scenario / "Rules.txt").string() +
                                          " not copied, it would replace the converted Rules.txt!\n"
                                          "Found Title Image!\nNow Copying...\n"))
        << run.console;
    EXPECT_EQ(readFileBytes(scenario / "Converted" / "Rules.txt"),
              readFileBytes(reference / "scen" / "Converted" / "Rules.txt"));
    EXPECT_NE(readFileBytes(scenario / "Converted" / "Rules.txt"), readFileBytes(scenario / "Rules.txt"));
}

// The title text of City.scn is City.txt, and that of Events.scn Events.txt: one file,
// copied once, without a word; the title image follows the title text as ever.
TEST(OutputCollision, TitleTextThatIsAnotherCompanionIsCopiedOnce) {
    struct Case {
        const char* fileName;
        const char* companions;  // the lines of the companion step
    };
    const Case cases[] = {
        {"City.scn",
         "Found Events.txt!\nNow Copying...\nFound Scenario Title!\nNow Copying...\n"
         "Found Title Image!\nNow Copying...\nFound Sounds dir!\nNow Copying...\n"},
        {"Events.scn",
         "Found Events.txt!\nNow Copying...\nFound Title Image!\nNow Copying...\n"
         "Found City.txt!\nNow Copying...\nFound Sounds dir!\nNow Copying...\n"},
    };
    for (const Case& sample : cases) {
        SCOPED_TRACE(sample.fileName);
        TempFolder root;
        const Converted run = convertAs(root, sample.fileName);
        EXPECT_EQ(run.exitCode, exit_code::Converted) << run.console;
        EXPECT_TRUE(contains(run.console, std::string("Copying identical files\n") + sample.companions +
                                              "Conversion Terminated\n"))
            << run.console;
        for (const char* name : {"City.txt", "Events.txt", "Title.gif"}) {
            EXPECT_EQ(readFileBytes(root / "scen" / "Converted" / name), readFileBytes(root / "scen" / name)) << name;
        }
    }
}

namespace {

// A folder layout: the sample scenario in root/scen (its file Sample.scn) and the template
// in root/template, changed by `arrange`, which returns the arguments of the run (none
// where the system makes no links).
using Arguments = std::vector<std::string>;
struct Layout {
    const char* what;
    Arguments (*arrange)(const fs::path& root);
    int exitCode;
    std::vector<std::string> lines;  // each in the console once; {scen} stands for the scenario folder
    const char* absent;              // in no line of the console
    void (*check)(const fs::path& scen);
};

Arguments renamedScenario(const fs::path& root, const char* name) {
    fs::remove(root / "scen" / name);
    fs::remove(root / "scen" / "Sample.txt");
    fs::rename(root / "scen" / "Sample.scn", root / "scen" / name);
    return {(root / "scen" / name).string()};
}

bool linked(const fs::path& link) {
    std::error_code noLinks;
    fs::create_directory_symlink(".", link, noLinks);
    return !noLinks;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

const Layout kLayouts[] = {
    {"a template Rules.txt cut short, with lines missing from a section too",
     [](const fs::path& root) {
         std::string rules = readFileText(root / "template" / "Rules.txt");
         rules.erase(rules.find("@IMPROVE"));
         const std::size_t section = rules.find("@COSMIC2");
         std::size_t end = section;
         for (int line = 0; line < 5; ++line) end = rules.find('\n', end) + 1;
         rules.erase(rules.find('\n', section) + 1, end - rules.find('\n', section) - 1);
         writeFileText(root / "template" / "Rules.txt", rules);
         return Arguments{(root / "scen" / "Sample.scn").string()};
     },
     exit_code::SomethingSkipped,
     {"Converting Rules.txt\nWarning: {root}/template/Rules.txt has fewer lines than the rules conversion needs, "
      "the converted Rules.txt is incomplete!\nDone!\n"},
     "do not fit", nullptr},
    {"Converted/Sound a link to Converted, Rules.txt and Events.txt in the Sound folder",
     [](const fs::path& root) {
         fs::create_directories(root / "scen" / "Converted");
         if (!linked(root / "scen" / "Converted" / "Sound")) return Arguments{};
         writeFileText(root / "scen" / "Sound" / "Rules.txt", "sound rules");
         writeFileText(root / "scen" / "Sound" / "Events.txt", "sound events");
         return Arguments{(root / "scen" / "Sample.scn").string()};
     },
     exit_code::SomethingSkipped,
     {"Warning: {scen}/Sound/Events.txt not copied, it would replace the copied Events.txt!\n",
      "Warning: {scen}/Sound/Rules.txt not copied, it would replace the converted Rules.txt!\n"},
     "Error",
     [](const fs::path& scen) {
         EXPECT_EQ(readFileBytes(scen / "Converted" / "Events.txt"), readFileBytes(scen / "Events.txt"));
         EXPECT_NE(readFileText(scen / "Converted" / "Rules.txt").find("@COSMIC"), std::string::npos);
     }},
    {"the scenario file named Events.txt", [](const fs::path& root) { return renamedScenario(root, "Events.txt"); },
     exit_code::SomethingSkipped,
     {"Warning: {scen}/Events.txt not copied, it would replace the converted Events.txt!\n",
      "Found Title Image!\n"},
     "Found Events.txt",
     [](const fs::path& scen) {
         EXPECT_GT(readFileBytes(scen / "Converted" / "Events.txt").size(), readFileBytes(scen / "Events.txt").size());
     }},
    {"the scenario file named City.txt", [](const fs::path& root) { return renamedScenario(root, "City.txt"); },
     exit_code::SomethingSkipped,
     {"Warning: {scen}/City.txt not copied, it would replace the converted City.txt!\n", "Found Events.txt!\n"},
     "Found City.txt",
     [](const fs::path& scen) {
         EXPECT_GT(readFileBytes(scen / "Converted" / "City.txt").size(), readFileBytes(scen / "City.txt").size());
     }},
    {"Converted a link back to the scenario folder, beside a file named like a temporary",
     [](const fs::path& root) {
         if (!linked(root / "scen" / "Converted")) return Arguments{};
         writeFileText(root / "scen" / ".tavorel-0123456789abcdef-1.partial", "the user's own");
         return Arguments{(root / "scen" / "Sample.scn").string()};
     },
     exit_code::Refused, {"Error: {scen}/Converted/Sample.scn is the scenario file itself!\n"}, "Done",
     [](const fs::path& scen) { EXPECT_FALSE(fs::exists(scen / kOutputFolderLockName)); }},
    {"an output's name taken by a folder in Converted",
     [](const fs::path& root) {
         fs::create_directories(root / "scen" / "Converted" / "City.txt");
         return Arguments{(root / "scen" / "Sample.scn").string()};
     },
     exit_code::SomethingSkipped, {"Error: could not copy {scen}/City.txt to {scen}/Converted/City.txt!\n"}, "Warning",
     [](const fs::path& scen) {
         for (const auto& entry : fs::directory_iterator(scen / "Converted")) {
             EXPECT_FALSE(isTemporaryName(entry.path().filename().string())) << entry.path();
         }
     }},
    {"the bitmaps alone, with the scenario's own folder for outputs",
     [](const fs::path& root) { return Arguments{"--out", (root / "scen").string(), "/g1", (root / "scen").string()}; },
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
         return Arguments{root.string()};
     },
     exit_code::SomethingSkipped,
     {"Error: could not read the folder {root}/" + std::string(250, 'd'),
      "Converted 1 scenarios: 1 complete, 0 with problems, 0 refused\n"},
     "refused:", nullptr},
#endif
};

std::string withFolders(std::string text, const fs::path& root) {
    for (char& c : text) c = c == '/' ? static_cast<char>(fs::path::preferred_separator) : c;
    for (const auto& [name, path] : {std::pair{"{scen}", root / "scen"}, std::pair{"{root}", root}}) {
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name)) {
            text.replace(at, std::string(name).size(), path.string());
        }
    }
    return text;
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
        const Arguments arguments = layout.arrange(root.path());
        if (arguments.empty()) continue;
        FileTree scenario = readFileTree(root / "scen");
        std::ostringstream console;
        EXPECT_EQ(runConversion(arguments, console, root / "template"), layout.exitCode);
        for (const std::string& line : layout.lines) {
            EXPECT_EQ(count(console.str(), withFolders(line, root.path())), 1u) << withFolders(line, root.path()) << "\n" << console.str();
        }
        EXPECT_EQ(console.str().find(layout.absent), std::string::npos) << console.str();
        FileTree after = readFileTree(root / "scen");
        for (FileTree* tree : {&scenario, &after}) {
            for (auto it = tree->begin(); it != tree->end();) it = it->first.rfind("Converted/", 0) == 0 ? tree->erase(it) : std::next(it);
        }
        EXPECT_TRUE(after == scenario);
        if (layout.check != nullptr) layout.check(root / "scen");
    }
}
