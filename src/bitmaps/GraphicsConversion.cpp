// The graphics driver: for each of the six scenario pictures that the scenario folder
// holds, copy the template(s) of its step into Converted and paste the scenario's cells
// into the copy. A step either makes all its destination files or none.
#include <array>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

#include "bitmaps/BitmapPicture.h"
#include "bitmaps/LayoutExtents.h"
#include "driver/FileLookup.h"
#include "driver/ScenarioConverter.h"

namespace fs = std::filesystem;

namespace {

const char* const kConvertedFolder = "Converted";

using LayoutCall = int (*)(ScenarioConverter& converter, const BitmapPicture& source,
                           BitmapPicture* const* destinations);

struct TemplatePicture {
    const char* name;  // nullptr: the step has no further template
    PictureExtent extent;
};

constexpr std::size_t kMaxTemplates = 2;

struct GraphicsStep {
    const char* bitmap;  // the scenario's picture, and the template of the same name
    PictureExtent sourceExtent;
    std::array<TemplatePicture, kMaxTemplates> templates;  // copied in this order
    LayoutCall layout;
};

// The layouts, called with the step's destination pictures in the order of its templates.
int runUnits(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertUnits(s, *d[0]);
}
int runCities(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertCities(s, *d[0]);
}
int runIcons(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertIcons(s, *d[0], *d[1]);
}
int runPeople(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertPeople(s, *d[0]);
}
int runTerrain1(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertTerrain1(s, *d[0]);
}
int runTerrain2(ScenarioConverter& c, const BitmapPicture& s, BitmapPicture* const* d) {
    return c.convertTerrain2(s, *d[0]);
}

constexpr TemplatePicture kNoTemplate{nullptr, {}};

// The six steps, in the order they run. No scenario Improvements.bmp is read: its cells
// come from the scenario's Icons.bmp, and its template is copied only with Icons.bmp.
constexpr GraphicsStep kGraphicsSteps[] = {
    //  scenario picture  read at             templates, copied in this order             layout
    {"Units.bmp", kUnitsSourceExtent, {{{"Units.bmp", kUnitsDestinationExtent}, kNoTemplate}}, runUnits},
    {"Cities.bmp", kCitiesExtent, {{{"Cities.bmp", kCitiesExtent}, kNoTemplate}}, runCities},
    {"Icons.bmp", kIconsSourceExtent,
     {{{"Icons.bmp", kIconsDestinationExtent}, {"Improvements.bmp", kImprovementsExtent}}}, runIcons},
    {"People.bmp", kPeopleSourceExtent, {{{"People.bmp", kPeopleDestinationExtent}, kNoTemplate}}, runPeople},
    {"Terrain1.bmp", kTerrain1Extent, {{{"Terrain1.bmp", kTerrain1Extent}, kNoTemplate}}, runTerrain1},
    {"Terrain2.bmp", kTerrain2Extent, {{{"Terrain2.bmp", kTerrain2Extent}, kNoTemplate}}, runTerrain2},
};

// The pictures of a step: the scenario's, and the templates. They live for the whole
// conversion, so that every step reuses the memory of the one before.
struct PictureMemory {
    BitmapPicture source;
    std::array<BitmapPicture, kMaxTemplates> templates;
};

// One destination file of a step: its template, and the copy of it that the layout edits.
struct StepPicture {
    fs::path templatePath;
    std::ifstream templateFile;
    BitmapPicture* picture = nullptr;
    fs::path destinationPath;
    std::ofstream destination;
};

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::exists(a, error) && fs::exists(b, error) && fs::equivalent(a, b, error);
}

class GraphicsStepRun {
public:
    GraphicsStepRun(ScenarioConverter& converter, const fs::path& scenarioFolder,
                    const GraphicsStep& step, PictureMemory& memory)
        : converter_(converter), folder_(scenarioFolder), step_(step), memory_(memory),
          notConverted_(std::string(", ") + step.bitmap + " not converted!") {}

    void run() {
        std::ostream& console = converter_.console();
        console << "Searching " << step_.bitmap << "...";
        sourcePath_ = findIgnoringCase(folder_, step_.bitmap);
        std::ifstream sourceFile(sourcePath_, std::ios::binary);
        if (!sourceFile.is_open()) {
            console << "Not Found!\n";
            return;
        }
        console << "Found!\nNow Converting...\n";
        // Every picture of the step is checked before any file is made, so that a refused
        // step leaves nothing half-converted behind.
        const bool sourceUsable = loadSource(sourceFile);
        const bool templatesUsable = loadTemplates();
        if (!sourceUsable || !templatesUsable || !destinationsAreNew()) return;
        if (!writeDestinations()) {
            removeDestinations();
            return;
        }
        console << "Done!\n";
    }

private:
    void report(const std::string& what) { converter_.reportProblem("Error: " + what + notConverted_); }

    bool loadSource(std::ifstream& sourceFile) {
        const std::string problem = memory_.source.load(sourceFile, step_.sourceExtent);
        if (problem.empty()) return true;
        report(sourcePath_.string() + " " + problem);
        return false;
    }

    bool loadTemplates() {
        bool usable = true;
        for (const TemplatePicture& wanted : step_.templates) {
            if (wanted.name == nullptr) break;
            StepPicture& picture = pictures_[count_];
            picture.picture = &memory_.templates[count_++];
            picture.templatePath = findIgnoringCase(converter_.templateFolder, wanted.name);
            picture.destinationPath = folder_ / kConvertedFolder / wanted.name;
            picture.templateFile.open(picture.templatePath, std::ios::binary);
            if (!picture.templateFile.is_open()) {
                report("template " + picture.templatePath.string() + " not found");
                usable = false;
                continue;
            }
            // The template is held whole: it is copied byte for byte before the layout runs.
            const std::string problem = picture.picture->load(picture.templateFile, wanted.extent,
                                                             BitmapPicture::Holding::WholeFile);
            if (!problem.empty()) {
                report("template " + picture.templatePath.string() + " " + problem);
                usable = false;
            }
        }
        return usable;
    }

    // A Converted folder that links back to the scenario or template folder would make a
    // destination overwrite the picture it is made from.
    bool destinationsAreNew() {
        for (std::size_t i = 0; i < count_; ++i) {
            const fs::path& destination = pictures_[i].destinationPath;
            bool clash = isSameFile(destination, sourcePath_);
            for (std::size_t j = 0; j < count_; ++j) {
                clash = clash || isSameFile(destination, pictures_[j].templatePath);
            }
            if (clash) {
                report(destination.string() + " is one of the pictures it is made from");
                return false;
            }
        }
        return true;
    }

    // Copies each template into Converted, runs the layout on the copies held in memory,
    // and writes the band of rows it touched into each copy.
    bool writeDestinations() {
        BitmapPicture* destinations[kMaxTemplates] = {};
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            // A file left by an earlier run is removed rather than truncated: a fresh file
            // costs the file system less than one that is cut back and rewritten. A link is
            // written through, as a copy would.
            std::error_code ignored;
            if (fs::is_regular_file(fs::symlink_status(picture.destinationPath, ignored))) {
                fs::remove(picture.destinationPath, ignored);
            }
            picture.destination.open(picture.destinationPath,
                                     std::ios::binary | std::ios::out | std::ios::trunc);
            made_ = i + 1;
            if (!picture.destination.is_open()) {
                report("could not create " + picture.destinationPath.string());
                return false;
            }
            if (!picture.picture->storeHeld(picture.destination)) {
                report("could not write " + picture.destinationPath.string());
                return false;
            }
            destinations[i] = picture.picture;
        }
        if (step_.layout(converter_, memory_.source, destinations) != 1) {
            report(sourcePath_.string() + " has cells outside its pictures");
            return false;
        }
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            picture.picture->storeRows(picture.destination);
            picture.destination.close();
            if (picture.destination.fail()) {
                report("could not write " + picture.destinationPath.string());
                return false;
            }
        }
        return true;
    }

    void removeDestinations() {
        for (std::size_t i = 0; i < made_; ++i) {
            pictures_[i].destination.close();
            std::error_code ignored;
            fs::remove(pictures_[i].destinationPath, ignored);
        }
    }

    ScenarioConverter& converter_;
    const fs::path& folder_;
    const GraphicsStep& step_;
    PictureMemory& memory_;
    const std::string notConverted_;
    fs::path sourcePath_;
    std::array<StepPicture, kMaxTemplates> pictures_;
    std::size_t count_ = 0;  // templates of the step
    std::size_t made_ = 0;   // destination files created so far
};

}  // namespace

int ScenarioConverter::convertGraphics(const fs::path& scenarioFolder) {
    PictureMemory memory;
    for (const GraphicsStep& step : kGraphicsSteps) {
        GraphicsStepRun(*this, scenarioFolder, step, memory).run();
    }
    return 1;
}
