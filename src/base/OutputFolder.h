#pragma once

#include <filesystem>

// The folder, inside the scenario folder, that receives a run's outputs unless the user
// names another one (--out).
inline constexpr const char* kConvertedFolder = "Converted";

// The scenario's folder of sound files, copied into the output folder under its name.
inline constexpr const char* kSoundFolder = "Sound";

// The folder that receives the outputs of a run on `scenarioFolder`: `namedFolder`, the
// one the user named, or else Converted inside the scenario folder.
inline std::filesystem::path outputFolderFor(const std::filesystem::path& scenarioFolder,
                                             const std::filesystem::path& namedFolder) {
    return namedFolder.empty() ? scenarioFolder / kConvertedFolder : namedFolder;
}
