// The graphics driver: for each of the six scenario pictures that the scenario folder
// holds, copy the template(s) of its step into the output folder, pasting the scenario's
// cells into the rows of each copy on their way through memory: outside the pasted cells,
// the copy is byte for byte the template. A step either makes all its destination files or none.
#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <system_error>

#include "base/FailureReason.h"
#include "base/PathText.h"
#include "bitmaps/LayoutExtents.h"
#include "bitmaps/PictureSearch.h"
#include "bitmaps/SourcePictureDecoding.h"
#include "bitmaps/StepDestinations.h"
#include "bitmaps/TemplatePicture.h"
#include "driver/ScenarioConverter.h"

namespace fs = std::filesystem;

namespace {

struct TemplateFile {
    const char* name;  // nullptr: the step has no further template
    PictureExtent extent;
};

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
    {"Icons.bmp",
     kIconsSourceExtent,
     {{{"Icons.bmp", kIconsDestinationExtent}, {"Improvements.bmp", kImprovementsExtent}}},
     runIcons},
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

class GraphicsStepRun {
public:
    GraphicsStepRun(ScenarioConverter& converter, const fs::path& scenarioFolder, const GraphicsStep& step,
                    PictureMemory& memory)
        : converter_(converter), folder_(scenarioFolder), step_(step), memory_(memory) {}

    void run() {
        std::ostream& console = converter_.console();
        InputFile sourceFile;
        sourcePath_ = searchScenarioPicture(console, folder_, step_.bitmap, sourceFile);
        if (!sourceFile.is_open()) return;
        console << "Now Converting...\n";
        // Every picture of the step is checked before any file is made, so that a refused
        // step leaves nothing half-converted behind.
        StepDestinations destinations(converter_, step_.bitmap, sourcePath_);
        const bool sourceUsable = loadSource(sourceFile);
        const bool templatesUsable = loadTemplates(destinations);
        if (!sourceUsable || !templatesUsable || !destinations.areNew()) return;
        if (!destinations.write(step_.layout, memory_.source)) {
            destinations.remove();
            return;
        }
        console << "Done!\n";
    }

private:
    void report(const std::string& what) { reportStepProblem(converter_, step_.bitmap, what); }

    // The band of the scenario's picture is read, whatever its kind, into the rows of a
    // 24-bit picture.
    bool loadSource(InputFile& sourceFile) {
        const Outcome read = decodeSourcePicture(sourceFile, step_.sourceExtent, memory_.source);
        if (read.ok()) return true;
        report(displayPath(sourcePath_) + " " + read.problem());
        return false;
    }

    bool loadTemplates(StepDestinations& destinations) {
        bool usable = true;
        std::size_t count = 0;
        for (const TemplateFile& wanted : step_.templates) {
            if (wanted.name == nullptr) break;
            StepPicture& picture = destinations.add(memory_.templates[count++]);
            picture.templatePath = openIgnoringCase(converter_.templateFolder, wanted.name, picture.templateFile);
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

    ScenarioConverter& converter_;
    const fs::path& folder_;
    const GraphicsStep& step_;
    PictureMemory& memory_;
    fs::path sourcePath_;
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

// Only the headers are read: a template is checked for what every scenario's layout needs of
// it, so that a run refuses once what each of its scenarios would otherwise report.
std::vector<ScenarioConverter::TemplateProblem> ScenarioConverter::checkTemplatePictures(
    const fs::path& templateFolder) {
    std::vector<TemplateProblem> problems;
    for (const GraphicsStep& step : kGraphicsSteps) {
        for (const TemplateFile& wanted : step.templates) {
            if (wanted.name == nullptr) break;
            InputFile file;
            const fs::path path = openIgnoringCase(templateFolder, wanted.name, file);
            if (!file.is_open()) {
                std::error_code absent;
                if (fs::exists(path, absent))
                    problems.push_back({path, "cannot be read" + failureReason(path, file.error())});
                continue;
            }
            BmpHeader header;
            const Outcome checked = checkTemplateHeader(file, wanted.extent, header);
            if (!checked.ok()) problems.push_back({path, checked.problem()});
        }
    }
    return problems;
}
