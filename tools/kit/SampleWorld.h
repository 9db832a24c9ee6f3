#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kit/RulesSample.h"
#include "kit/ScenarioSample.h"

// A whole synthetic world: a template folder standing for the destination format's
// installation, and scenario folders of each edition.

// The six bitmaps a scenario folder may hold, and the seven templates.
extern const char* const kScenarioBitmapNames[6];
extern const char* const kTemplateBitmapNames[7];
constexpr std::int32_t kImprovementsWidth = 585;
constexpr std::int32_t kImprovementsHeight = 380;

// The name a scenario gives the GIF of a picture: UNITS.GIF for Units.bmp.
std::string gifNameOf(const std::string& bitmapName);

// Rules.txt (560 counted lines, CR LF) and the seven template bitmaps.
void writeTemplateFolder(const std::filesystem::path& folder, std::uint64_t seed);

struct ScenarioFolderOptions {
    std::string baseName = "Sample";  // UTF-8; the scenario file is baseName + ".scn"
    ScenarioSampleOptions scenario;   // its edition decides the rules text too
    int caravanLines = 16;
    bool withRules = true;
    // The rules text section by section (writeSampleSections); empty: one that fits the plan.
    std::vector<SampleRulesSection> rulesSections;
    bool withBitmaps = true;
    // The kind the six pictures are written in (kit/PictureKinds.h), from palette pictures
    // that depend on the seed and the kind's colour count and colour bits alone, as its
    // file shows them (asShown); GIFs are named as scenarios ship them, UNITS.GIF.
    // Without a kind: 24-bit BMPs of many colours.
    const struct PictureKind* pictureKind = nullptr;
    bool withCompanions = true;  // Events.txt, the title text, Title.gif, City.txt, Sound/
};

// Writes the scenario folder and returns the path of its scenario file.
std::filesystem::path writeScenarioFolder(const std::filesystem::path& folder, const ScenarioFolderOptions& options);

// The sample world that make_sample_world writes under `root`: the template folder, and
// scenario folders "classic", "conflicts" and "fantastic" of each edition, "gif" whose
// pictures are GIFs, and "notes", a Classic scenario whose rules have the later layout's
// 100 advances and 62 units where the plan takes 93 and 54, and which holds a PEDIA.TXT:
// it converts with notes alone. Returns the scenario files, in that order.
std::vector<std::filesystem::path> writeSampleWorld(const std::filesystem::path& root, std::uint64_t seed);
