#include "driver/OutputFolderSetup.h"

#include <system_error>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OutputFolder.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "driver/RunConsole.h"

namespace fs = std::filesystem;

// The folder is created where it does not exist yet; whether that worked shows when the
// first output file is created in it; a folder the user named may need its parents too.
// Its lock is taken for the rest of the run: false, with the message printed, when
// another run holds it. Under the lock, the temporary files that a run killed in the
// middle left in it, and in its Sound folder, are removed; not where either is a folder of
// the scenario itself, linked back, whose files are the scenario's own (nothing is written
// there, and no lock is taken).
bool prepareOutputFolder(const fs::path& scenarioFolder, const fs::path& namedFolder,
                         std::optional<OutputFolderLock>& lock, RunConsole& console) {
    const fs::path converted = outputFolderFor(scenarioFolder, namedFolder);
    std::error_code ignored;
    if (namedFolder.empty()) {
        fs::create_directory(converted, ignored);
    } else {
        fs::create_directories(converted, ignored);
    }
    const fs::path scenarioSide = scenarioFolder.empty() ? fs::path(".") : scenarioFolder;
    if (isSameFile(converted, scenarioSide)) return true;
    lock.emplace(converted);
    if (lock->state() == OutputFolderLock::State::HeldElsewhere) {
        console.problem("Error: another conversion is writing into " + displayPath(converted) + "!\n");
        return false;
    }
    if (lock->state() != OutputFolderLock::State::Held) return true;
    removeStaleTemporaries(converted);
    if (!isSameFile(converted / kSoundFolder, findIgnoringCase(scenarioFolder, kSoundFolder))) {
        removeStaleTemporaries(converted / kSoundFolder);
    }
    return true;
}
