#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "kit/ScenarioSample.h"

// A whole synthetic world: a template folder standing for the destination format's
// installation, and scenario folders of each edition.

// The six bitmaps a scenario folder may hold, and the seven templates.
extern const char* const kScenarioBitmapNames[6];
extern const char* const kTemplateBitmapNames[7];
constexpr std::int32_t kImprovementsWidth = 585;
constexpr std::int32_t kImprovementsHeight = 380;

// Rules.txt (560 counted lines, CR LF) and the seven template bitmaps.
void writeTemplateFolder(const std::filesystem::path& folder, std::uint64_t seed);

struct ScenarioFolderOptions {
    std::string baseName = "Sample";     // UTF-8; the scenario file is baseName + ".scn"
    ScenarioSampleOptions scenario;      // its edition decides the rules text too
    int caravanLines = 16;
    bool withRules = true;
    bool withBitmaps = true;
    bool withCompanions = true;          // Events.txt, the title text, Title.gif, City.txt, Sound/
};

// Writes the scenario folder and returns the path of its scenario file.
std::filesystem::path writeScenarioFolder(const std::filesystem::path& folder,
                                          const ScenarioFolderOptions& options);
