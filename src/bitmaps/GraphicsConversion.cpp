// The graphics driver: for each of the six scenario pictures that the scenario folder
// holds, copy the template(s) of its step into the output folder, pasting the scenario's
// cells into the rows of each copy on their way through memory: outside the pasted cells,
// the copy is byte for byte the template. A step either makes all its destination files or none.
#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "bitmaps/LayoutExtents.h"
#include "bitmaps/SourcePicture.h"
#include "bitmaps/TemplatePicture.h"
#include "driver/ScenarioConverter.h"

namespace fs = std::filesystem;

namespace {

using LayoutCall = int (*)(ScenarioConverter& converter, const SourcePicture& source,
                           TemplatePicture* const* destinations);

struct TemplateFile {
    const char* name;  // nullptr: the step has no further template
    PictureExtent extent;
};

constexpr std::size_t kMaxTemplates = 2;

struct GraphicsStep {
    const char* bitmap;  // the scenario's picture, and the template of the same name
    PictureExtent sourceExtent;
    std::array<TemplateFile, kMaxTemplates> templates;  // copied in this order
    LayoutCall layout;
};

// The layouts, called with the step's destination pictures in the order of its templates.
int runUnits(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertUnits(s, *d[0]);
}
int runCities(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertCities(s, *d[0]);
}
int runIcons(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertIcons(s, *d[0], *d[1]);
}
int runPeople(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertPeople(s, *d[0]);
}
int runTerrain1(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertTerrain1(s, *d[0]);
}
int runTerrain2(ScenarioConverter& c, const SourcePicture& s, TemplatePicture* const* d) {
    return c.convertTerrain2(s, *d[0]);
}

constexpr TemplateFile kNoTemplate{nullptr, {}};

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

constexpr std::int64_t largestSourceBand() {
    std::int64_t largest = 0;
    for (const GraphicsStep& step : kGraphicsSteps) {
        largest = std::max(largest, step.sourceExtent.bandBytes());
    }
    return largest;
}

// The pictures of a step: the scenario's, and the templates. They live for the whole
// conversion, so that every step reuses the memory of the one before; the scenario's
// pictures, whose bands differ in size from step to step, share one allocation from the
// start. A template needs only the memory of one window.
struct PictureMemory {
    PictureMemory() { source.reserve(largestSourceBand()); }

    SourcePicture source;
    std::array<TemplatePicture, kMaxTemplates> templates;
};

// One destination file of a step: its template, and the copy of it that the layout edits.
struct StepPicture {
    fs::path templatePath;
    std::ifstream templateFile;
    TemplatePicture* picture = nullptr;
    fs::path destinationPath;
    fs::file_type found = fs::file_type::none;  // what the destination path held before
    std::optional<ReplacingOutput> destination;  // replaces the file of its name when complete
};

// Opens folder/name, or else the entry of the folder that matches the name ignoring case;
// the exact spelling is tried first, so that the folder is scanned only when it is not
// there. Returns the path tried last.
fs::path openIgnoringCase(const fs::path& folder, const char* name, std::ifstream& file) {
    const fs::path exact = folder / name;
    file.open(exact, std::ios::binary);
    if (file.is_open()) return exact;
    const fs::path found = findIgnoringCase(folder, name);
    if (found != exact) file.open(found, std::ios::binary);
    return found;
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
        std::ifstream sourceFile;
        sourcePath_ = openIgnoringCase(folder_, step_.bitmap, sourceFile);
        if (sourceFile.is_open()) {
            console << "Found!\n";
        } else {
            // Scenarios ship their pictures as GIF files: UNITS.GIF for Units.bmp.
            const std::string gifName = fs::path(step_.bitmap).replace_extension(".gif").string();
            sourcePath_ = openIgnoringCase(folder_, gifName.c_str(), sourceFile);
            if (!sourceFile.is_open()) {
                console << "Not Found!\n";
                return;
            }
            // Named as the folder stores it, in messages too, whatever the file system.
            sourcePath_ = folder_ / pathFromUtf8(storedName(folder_, displayPath(sourcePath_.filename())));
            console << "Found " << displayPath(sourcePath_.filename()) << "!\n";
        }
        console << "Now Converting...\n";
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

    // The band of the scenario's picture is read, whatever its kind, into the rows of a
    // 24-bit picture.
    bool loadSource(std::ifstream& sourceFile) {
        const Outcome read = decodeSourcePicture(sourceFile, step_.sourceExtent, memory_.source);
        if (read.ok()) return true;
        report(displayPath(sourcePath_) + " " + read.problem());
        return false;
    }

    bool loadTemplates() {
        bool usable = true;
        for (const TemplateFile& wanted : step_.templates) {
            if (wanted.name == nullptr) break;
            StepPicture& picture = pictures_[count_];
            picture.picture = &memory_.templates[count_++];
            picture.templatePath =
                openIgnoringCase(converter_.templateFolder, wanted.name, picture.templateFile);
            picture.destinationPath = converter_.outputFolderFor(folder_) / wanted.name;
            if (!picture.templateFile.is_open()) {
                report("template " + displayPath(picture.templatePath) + " not found");
                usable = false;
                continue;
            }
            // The template's header is checked now; its rows pass through memory a window
            // at a time while the destination is written.
            const Outcome loaded = picture.picture->load(picture.templateFile, wanted.extent);
            if (!loaded.ok()) {
                report("template " + displayPath(picture.templatePath) + " " + loaded.problem());
                usable = false;
            }
        }
        return usable;
    }

    // A Converted folder that links back to the scenario or template folder would make a
    // destination overwrite the picture it is made from. A destination that is not there
    // yet is none of them.
    bool destinationsAreNew() {
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            const fs::path& destination = picture.destinationPath;
            std::error_code ignored;
            picture.found = fs::symlink_status(destination, ignored).type();
            if (picture.found == fs::file_type::not_found || picture.found == fs::file_type::none) {
                continue;
            }
            if (const ScenarioConverter::Output* earlier = converter_.outputAt(destination)) {
                converter_.reportReplacement(sourcePath_, "converted", *earlier);
                return false;
            }
            bool clash = isSameFile(destination, sourcePath_);
            for (std::size_t j = 0; j < count_; ++j) {
                clash = clash || isSameFile(destination, pictures_[j].templatePath);
            }
            if (clash) {
                report(displayPath(destination) + " is one of the pictures it is made from");
                return false;
            }
        }
        return true;
    }

    // Creates each destination file and writes it as a copy of its template, in the order
    // of the file: the bytes before the band, the band a window of rows at a time (the
    // windows of all the step's pictures read, edited together by the layout, and written),
    // the bytes after it. The files of the destination names are replaced only once every
    // destination of the step is complete.
    bool writeDestinations() {
        TemplatePicture* destinations[kMaxTemplates] = {};
        std::int64_t windows = 0;
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            picture.destination.emplace(picture.destinationPath);
            made_ = i + 1;
            if (!picture.destination->isOpen()) {
                report("could not create " + displayPath(picture.destinationPath));
                return false;
            }
            destinations[i] = picture.picture;
            windows = std::max(windows, picture.picture->windowCount());
        }
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            TemplatePicture& copy = *picture.picture;
            if (!copied(picture, copy.copyBeforeBand(picture.templateFile, picture.destination->stream()))) {
                return false;
            }
        }
        for (std::int64_t window = 0; window < windows; ++window) {
            for (std::size_t i = 0; i < count_; ++i) {
                StepPicture& picture = pictures_[i];
                if (!copied(picture, picture.picture->readWindow(picture.templateFile, window))) {
                    return false;
                }
            }
            if (step_.layout(converter_, memory_.source, destinations) != 1) {
                report(displayPath(sourcePath_) + " has cells outside its pictures");
                return false;
            }
            for (std::size_t i = 0; i < count_; ++i) {
                StepPicture& picture = pictures_[i];
                if (!copied(picture, picture.picture->storeHeld(picture.destination->stream()))) return false;
            }
        }
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            TemplatePicture& copy = *picture.picture;
            if (!copied(picture, copy.copyAfterBand(picture.templateFile, picture.destination->stream()))) {
                return false;
            }
            if (!copied(picture, picture.destination->finish())) return false;
        }
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            if (!copied(picture, picture.destination->commit())) return false;
            converter_.recordOutput(picture.destinationPath);
        }
        return true;
    }

    // Reports a copy of a template that failed, by the file that failed it.
    bool copied(const StepPicture& picture, bool succeeded) {
        if (succeeded) return true;
        if (picture.templateFile.fail()) {
            report("could not read " + displayPath(picture.templatePath));
        } else {
            report("could not write " + displayPath(picture.destinationPath));
        }
        return false;
    }

    // Drops the destinations not yet in place; their names keep what they held.
    void removeDestinations() {
        for (std::size_t i = 0; i < made_; ++i) pictures_[i].destination->discard();
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

std::vector<std::string> ScenarioConverter::templateBitmapNames() {
    std::vector<std::string> names;
    for (const GraphicsStep& step : kGraphicsSteps) {
        for (const TemplateFile& file : step.templates) {
            if (file.name != nullptr) names.push_back(file.name);
        }
    }
    return names;
}
