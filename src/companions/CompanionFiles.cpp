#include <algorithm>
#include <fstream>
#include <ostream>
#include <system_error>
#include <vector>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "driver/ScenarioConverter.h"

namespace fs = std::filesystem;

namespace {

// The files a destination scenario takes over unchanged, in the order they are looked for.
struct CompanionFile {
    const char* name;   // empty: the scenario's title text, named like the scenario file
    const char* found;  // message printed before the copy
    bool needsTitle;    // copied only when the title text was found
};
constexpr CompanionFile kCompanionFiles[] = {
    {"Events.txt", "Found Events.txt!\nNow Copying...\n", false},
    {"", "Found Scenario Title!\nNow Copying...\n", false},
    {"Title.gif", "Found Title Image!\nNow Copying...\n", true},
    {"City.txt", "Found City.txt!\nNow Copying...\n", false},
};
const char* const kSoundName = "Sound";
const char* const kSoundFound = "Found Sounds dir!\nNow Copying...\n";

// A file counts as present when it can be opened for reading; a folder does not.
bool isReadableFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) return false;
    return std::ifstream(path, std::ios::binary).is_open();
}

void copyReportingFailure(ScenarioConverter& converter, const fs::path& from, const fs::path& to) {
    if (!copyFileContents(from, to)) {
        converter.reportProblem("Error: could not copy " + from.string() + " to " + to.string() + "!");
    }
}

// The sound folder is created in Converted and every file directly inside the
// scenario's one is copied into it; a file named Sound is itself copied into the folder.
void copySoundFolder(ScenarioConverter& converter, const fs::path& source, const fs::path& destination) {
    std::error_code error;
    fs::create_directory(destination, error);
    if (!fs::is_directory(destination, error)) {
        converter.reportProblem("Error: could not create " + destination.string() + "!");
        return;
    }
    std::vector<fs::path> files;
    if (fs::is_directory(source, error)) {
        for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
            if (it->is_regular_file(error)) files.push_back(it->path());
        }
        if (error) converter.reportProblem("Error: could not read the folder " + source.string() + "!");
    } else {
        files.push_back(source);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        copyReportingFailure(converter, file, destination / file.filename());
    }
}

}  // namespace

int ScenarioConverter::copyCompanionFiles(const fs::path& scenarioFolder, const std::string& baseName) {
    const fs::path converted = outputFolderFor(scenarioFolder);
    bool titleFound = false;
    for (const CompanionFile& file : kCompanionFiles) {
        const bool isTitle = file.name[0] == '\0';
        if (file.needsTitle && !titleFound) continue;
        const std::string name = isTitle ? baseName + ".txt" : file.name;
        const fs::path source = findIgnoringCase(scenarioFolder, name);
        if (!isReadableFile(source)) continue;
        if (isTitle) titleFound = true;
        console() << file.found;
        copyReportingFailure(*this, source, converted / name);
    }

    const fs::path sound = findIgnoringCase(scenarioFolder, kSoundName);
    std::error_code error;
    if (fs::exists(sound, error)) {
        console() << kSoundFound;
        copySoundFolder(*this, sound, converted / kSoundName);
    }
    return 1;
}
