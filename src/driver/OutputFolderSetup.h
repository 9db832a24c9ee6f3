#pragma once

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/MadeFolders.h"
#include "base/OutputFolderLock.h"

class RunConsole;

// The output folder of a run on `scenarioFolder` (`namedFolder`, or Converted in the
// scenario folder), made ready for the run's outputs: created, locked for as long as the
// object lives, and cleared of what a killed run left. When it goes, the lock is given back
// first, then the folders it made and the run left empty are removed.
class OutputFolderSetup {
public:
    // Check ready() afterwards: false, with the message printed, when another run holds it.
    OutputFolderSetup(const std::filesystem::path& scenarioFolder, const std::filesystem::path& namedFolder,
                      RunConsole& console);
    bool ready() const { return ready_; }
    // Why the folder could not be made, none when it was made or was there.
    std::error_code folderError() const { return folderError_; }

private:
    MadeFolders made_;  // before the lock, so that it goes after it
    std::optional<OutputFolderLock> lock_;
    bool ready_ = true;
    std::error_code folderError_;
};
