#pragma once

#include <filesystem>
#include <optional>

#include "base/OutputFolderLock.h"

class RunConsole;

// Makes the output folder of a run on `scenarioFolder` (`namedFolder`, or Converted in the
// scenario folder) ready: created, locked in `lock` for the rest of the run, and cleared of
// what a killed run left. False, with the message printed, when another run holds it.
bool prepareOutputFolder(const std::filesystem::path& scenarioFolder, const std::filesystem::path& namedFolder,
                         std::optional<OutputFolderLock>& lock, RunConsole& console);
