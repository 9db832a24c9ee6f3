#include "driver/OutputFolderSetup.h"

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/OutputFolder.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "driver/RunConsole.h"

namespace fs = std::filesystem;

// The folder is created where it does not exist yet; whether that worked shows when the
// first output file is created in it; a folder the user named may need its parents too.
// Under the lock, the temporary files that a run killed in the middle left in it, and in
// its Sound folder, are removed; not where either is a folder of the scenario itself,
// linked back, whose files are the scenario's own (nothing is written there, and no lock
// is taken).
OutputFolderSetup::OutputFolderSetup(const fs::path& scenarioFolder, const fs::path& namedFolder, RunConsole& console) {
    const fs::path converted = outputFolderFor(scenarioFolder, namedFolder);
    folderError_ = made_.create(converted, !namedFolder.empty());
    const fs::path scenarioSide = scenarioFolder.empty() ? fs::path(".") : scenarioFolder;
    if (isSameFile(converted, scenarioSide)) return;
    lock_.emplace(converted);
    if (lock_->state() == OutputFolderLock::State::HeldElsewhere) {
        console.problem("Error: another conversion is writing into " + displayPath(converted) + "!\n");
        ready_ = false;
        return;
    }
    if (lock_->state() != OutputFolderLock::State::Held) return;
    removeStaleTemporaries(converted);
    if (!isSameFile(converted / kSoundFolder, findIgnoringCase(scenarioFolder, kSoundFolder))) {
        removeStaleTemporaries(converted / kSoundFolder);
    }
}
