#include <algorithm>
#include <fstream>
#include <ostream>
#include <system_error>
#include <vector>

#include "base/FailureReason.h"
#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/FolderListing.h"
#include "base/OutputFolder.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
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
const char* const kSoundFound = "Found Sounds dir!\nNow Copying...\n";

// A file counts as present when it can be opened for reading; a folder does not.
bool isReadableFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) return false;
    return std::ifstream(path, std::ios::binary).is_open();
}

// What a destination that this run has written already means for a copy to it.
enum class Destination {
    Free,
    CopiedAlready,  // a copy of the same file (the title text of City.scn is City.txt)
    Taken,          // another output of the run, reported
};

Destination checkDestination(ScenarioConverter& converter, const fs::path& from, const fs::path& to) {
    const ScenarioConverter::Output* earlier = converter.outputAt(to);
    if (earlier == nullptr) return Destination::Free;
    if (!earlier->copiedFrom.empty() && isSameFile(earlier->copiedFrom, from)) return Destination::CopiedAlready;
    converter.reportReplacement(from, "copied", *earlier);
    return Destination::Taken;
}

void copyReportingFailure(ScenarioConverter& converter, const fs::path& from, const fs::path& to) {
    const Outcome copy = copyFileContents(from, to);
    if (copy.ok()) {
        converter.recordOutput(to, from);
    } else {
        converter.reportProblem("Error: " + copy.problem() + "!");
    }
}

// The sound folder is created in the output folder and every file directly inside the
// scenario's one is copied into it; a file named Sound is itself copied into the folder.
// A file named like a temporary file is not copied: the next run would take it for one.
void copySoundFolder(ScenarioConverter& converter, const fs::path& source, const fs::path& destination) {
    if (checkDestination(converter, source, destination) != Destination::Free) return;
    std::error_code error;
    fs::create_directory(destination, error);
    std::error_code checkError;
    if (!fs::is_directory(destination, checkError)) {
        // Something other than a folder holds the name: the system says "File exists" of
        // that, unless the name changed hands after the folder was made.
        converter.reportProblem("Error: could not create " + displayPath(destination) +
                                failureReason(destination, error ? error : checkError, std::errc::file_exists) + "!");
        return;
    }
    std::vector<fs::path> files;
    if (fs::is_directory(source, error)) {
        const FolderListing listing = listFolder(source);
        for (const FolderEntry& entry : listing.entries) {
            if (entry.isRegularFile) files.push_back(entry.path);
        }
        if (!listing.outcome.ok()) converter.reportProblem("Error: " + listing.outcome.problem() + "!");
    } else {
        files.push_back(source);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        if (isTemporaryName(displayPath(file.filename()))) {
            converter.reportProblem("Warning: " + displayPath(file) +
                                    " not copied, it is named like a temporary file of this tool!");
            continue;
        }
        const fs::path to = destination / file.filename();
        if (checkDestination(converter, file, to) == Destination::Free) copyReportingFailure(converter, file, to);
    }
}

}  // namespace

int ScenarioConverter::copyCompanionFiles(const fs::path& scenarioFolder, const std::string& baseName) {
    const fs::path converted = outputFolderFor(scenarioFolder);
    bool titleFound = false;
    // A title text that is another companion (Events.scn's Events.txt) is handled once:
    // copied once, or refused with one warning.
    std::vector<fs::path> handled;
    for (const CompanionFile& file : kCompanionFiles) {
        const bool isTitle = file.name[0] == '\0';
        if (file.needsTitle && !titleFound) continue;
        const std::string name = isTitle ? baseName + ".txt" : file.name;
        const fs::path source = findIgnoringCase(scenarioFolder, name);
        if (!isReadableFile(source)) continue;
        if (isTitle) titleFound = true;
        if (std::any_of(handled.begin(), handled.end(), [&](const fs::path& h) { return isSameFile(h, source); })) {
            continue;
        }
        handled.push_back(source);
        const fs::path destination = converted / pathFromUtf8(name);
        if (checkDestination(*this, source, destination) != Destination::Free) continue;
        console() << file.found;
        copyReportingFailure(*this, source, destination);
    }

    const fs::path sound = findIgnoringCase(scenarioFolder, kSoundFolder);
    std::error_code error;
    if (fs::exists(sound, error)) {
        console() << kSoundFound;
        copySoundFolder(*this, sound, converted / kSoundFolder);
    }
    return 1;
}
