// Arbitrary command lines, in a scratch folder that holds no scenario: the path is split
// into parts that add up to it, and the run ends with one of the program's exit codes.
//
// The arguments are made harmless first, since the run creates folders where they point:
// a leading "/" is dropped (but "/g1" and "/g2" stay switches where a switch is read) and
// ".." becomes "__", so every path stays inside the scratch folder, which is emptied after
// each run.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzStart.h"
#include "driver/RunConversion.h"
#include "driver/ScenarioPath.h"
#include "kit/Files.h"
#include "kit/RulesSample.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// `switchPlace` is true where the program reads a switch.
std::string keptInside(std::string argument, bool switchPlace) {
    if (switchPlace && (argument == "/g1" || argument == "/g2")) return argument;
    const std::size_t first = argument.find_first_not_of('/');
    argument.erase(0, first == std::string::npos ? argument.size() : first);
    for (std::size_t at = argument.find(".."); at != std::string::npos; at = argument.find("..", at)) {
        argument.replace(at, 2, "__");
    }
    return argument;
}

// Where the program reads the switch: the first "/g1" or "/g2" that is not the folder of
// "--out" or "--templates" or the file of "--report", as the program sees the options once
// they are kept inside ("/--out" becomes "--out"). Anywhere else "/g1" is a path, and is
// kept inside too.
std::size_t switchPlace(const std::vector<std::string>& arguments) {
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string seen = keptInside(arguments[at], false);
        if (seen == "--out" || seen == "--templates" || seen == "--report") {
            ++at;
        } else if (arguments[at] == "/g1" || arguments[at] == "/g2") {
            return at;
        }
    }
    return arguments.size();
}

void checkSplit(const std::string& argument) {
    const ScenarioPath parts = splitScenarioPath(argument);
    FUZZ_EXPECT(parts.drive + parts.directory + parts.name + parts.extension == argument);
    FUZZ_EXPECT(parts.drive.empty() || (parts.drive.size() == 2 && parts.drive[1] == ':'));
    FUZZ_EXPECT(parts.directory.empty() || parts.directory.back() == '/' || parts.directory.back() == '\\');
    FUZZ_EXPECT(parts.fileName().find_first_of("/\\") == std::string::npos);
    FUZZ_EXPECT(parts.extension.empty() ||
                (parts.extension[0] == '.' && parts.extension.find('.', 1) == std::string::npos));
    FUZZ_EXPECT(parts.folder() == parts.drive + parts.directory);
}

// A template folder outside the scratch folder, with a whole Rules.txt alone: runs pass the
// check of their templates and go on to the steps.
const fs::path& templateFolder() {
    static const TempFolder folder("tavorel-fuzz-templates");
    static const bool written = writeFileText(folder.path() / "Rules.txt", makeTemplateRules(1));
    FUZZ_EXPECT(written);
    return folder.path();
}

const fs::path& scratchFolder() {
    static const TempFolder folder("tavorel-fuzz-command-line");
    return folder.path();
}

void emptyScratchFolder() {
    std::error_code ignored;
    for (fs::directory_iterator it(scratchFolder(), ignored), end; !ignored && it != end; it.increment(ignored)) {
        fs::remove_all(it->path(), ignored);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzRun(argc, argv, FuzzSeedKind::CommandLine, 512, true);
    fs::current_path(scratchFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = decodeArgumentsFuzzInput(data, size);
    checkSplit(arguments.empty() ? std::string() : arguments[0]);
    const std::size_t switchAt = switchPlace(arguments);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        arguments[i] = keptInside(arguments[i], i == switchAt);
    }

    std::ostringstream console;
    const int code = runConversion(arguments, console, templateFolder());
    fuzzConsole() = console.str();
    FUZZ_EXPECT(code == 1 || code == -1 || code == 0 || code == 2);
    // Nothing is converted where there is nothing to convert. A message that names an
    // argument ("Unknown option ...") shows it as it came, so one that holds the word is
    // left out of the check.
    const bool argumentSaysDone = std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument.find("Done!") != std::string::npos;
    });
    FUZZ_EXPECT(argumentSaysDone || console.str().find("Done!") == std::string::npos);
    emptyScratchFolder();
    return 0;
}
