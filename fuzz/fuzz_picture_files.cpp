// Arbitrary picture files, as each scenario picture and as each template, through the
// graphics conversion on a scratch folder. A step either refuses, making no file, or makes
// every destination of its step; and a destination differs from its template only in the
// pixels that its layout touches: headers, row padding and bytes after the rows stay.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzStart.h"
#include "bitmaps/LayoutExtents.h"
#include "driver/ScenarioConverter.h"
#include "kit/BitmapSample.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The input holds the start of a picture; its length word makes the rest (kit/FuzzInputs.h).
constexpr std::size_t kMaxInputBytes = 16 * 1024;

struct Destination {
    const char* name;
    PictureExtent extent;
};

// What the layout of each destination may touch.
const Destination kDestinations[] = {
    {"Units.bmp", kUnitsDestinationExtent},   {"Cities.bmp", kCitiesExtent},
    {"Icons.bmp", kIconsDestinationExtent},   {"Improvements.bmp", kImprovementsExtent},
    {"People.bmp", kPeopleDestinationExtent}, {"Terrain1.bmp", kTerrain1Extent},
    {"Terrain2.bmp", kTerrain2Extent},
};

const PictureExtent& destinationExtent(const std::string& name) {
    for (const Destination& destination : kDestinations) {
        if (name == destination.name) return destination.extent;
    }
    std::abort();
}

struct Scratch {
    TempFolder root{"tavorel-fuzz-pictures"};
    fs::path scenario = root / "scen";
    fs::path templates = root / "templates";
    fs::path soundSource = root / "source.bmp";
    fs::path soundTemplate = root / "template.bmp";
    fs::path soundImprovements = root / "improvements.bmp";
    FuzzBytes templateBytes;
    FuzzBytes improvementsBytes;

    Scratch() {
        BitmapSampleOptions picture;
        picture.seed = 11;
        writeFileBytes(soundSource, makeBitmap(picture));
        picture.seed = 12;
        templateBytes = makeBitmap(picture);
        writeFileBytes(soundTemplate, templateBytes);
        picture.width = 585;
        picture.height = 380;
        picture.seed = 13;
        improvementsBytes = makeBitmap(picture);
        writeFileBytes(soundImprovements, improvementsBytes);
    }
};

Scratch& scratch() {
    static Scratch folder;
    return folder;
}

void makeEmptyFolder(const fs::path& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    FUZZ_EXPECT(fs::create_directories(folder, error));
}

void place(const fs::path& at, const FuzzBytes* fuzzed, const fs::path& sound) {
    if (fuzzed != nullptr) {
        FUZZ_EXPECT(writeFileBytes(at, *fuzzed));
    } else {
        std::error_code error;
        fs::create_symlink(sound, at, error);
        FUZZ_EXPECT(!error);
    }
}

std::int64_t read32(const FuzzBytes& bytes, std::size_t at) {
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// The destination may differ from its template only in the touched pixels, placed where
// the template's own header puts its rows: with those pixels taken over from the
// destination, the template must equal it byte for byte.
void checkDestination(const fs::path& destination, const FuzzBytes& templateBytes) {
    const FuzzBytes made = readWholeFile(destination);
    FUZZ_EXPECT(made.size() == templateBytes.size() && made.size() >= 54);
    const std::int64_t pixelData = read32(templateBytes, 10) & 0xFFFFFFFF;
    const std::int64_t width = read32(templateBytes, 18);
    const std::int64_t height = read32(templateBytes, 22);
    const std::int64_t rows = height < 0 ? -height : height;
    const std::int64_t rowBytes = (width * 3 + 3) / 4 * 4;
    const PixelBounds& touched = destinationExtent(destination.filename().string()).touched;
    FUZZ_EXPECT(touched.lastColumn < width && touched.lastRow < rows);

    FuzzBytes expected = templateBytes;
    const std::int64_t touchedBytes = 3 * std::int64_t{touched.lastColumn - touched.firstColumn + 1};
    for (std::int64_t y = touched.firstRow; y <= touched.lastRow; ++y) {
        const std::int64_t storedRow = height < 0 ? y : rows - 1 - y;
        const std::int64_t begin = pixelData + storedRow * rowBytes + 3 * std::int64_t{touched.firstColumn};
        FUZZ_EXPECT(begin + touchedBytes <= static_cast<std::int64_t>(made.size()));
        std::memcpy(expected.data() + begin, made.data() + begin, static_cast<std::size_t>(touchedBytes));
    }
    FUZZ_EXPECT(expected == made);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzRun(argc, argv, FuzzSeedKind::Pictures, kMaxInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BitmapFuzzInput input = decodeBitmapFuzzInput(data, size);
    const BitmapFuzzRole& role = kBitmapFuzzRoles[input.role];
    const std::string step = role.stepPicture;
    std::vector<std::string> templates{step};
    if (step == "Icons.bmp") templates.push_back("Improvements.bmp");

    Scratch& folders = scratch();
    makeEmptyFolder(folders.scenario);
    fs::create_directory(folders.scenario / "Converted");
    makeEmptyFolder(folders.templates);
    place(folders.scenario / step, role.isTemplate ? nullptr : &input.file, folders.soundSource);
    for (const std::string& name : templates) {
        const bool fuzzed = role.isTemplate && name == role.picture;
        place(folders.templates / name, fuzzed ? &input.file : nullptr,
              name == "Improvements.bmp" ? folders.soundImprovements : folders.soundTemplate);
    }

    std::ostringstream console;
    ScenarioConverter converter(console);
    converter.edition = input.edition;
    converter.templateFolder = folders.templates;
    FUZZ_EXPECT(converter.convertGraphics(folders.scenario) == 1);

    const std::string& messages = fuzzConsole() = console.str();
    const std::string found = "Searching " + step + "...Found!\nNow Converting...\n";
    // The other five steps find no picture in the scenario folder.
    FUZZ_EXPECT(messages.find(found) != std::string::npos);
    const bool done = messages.find(found + "Done!\n") != std::string::npos;
    FUZZ_EXPECT(done == !converter.problemReported());
    for (const std::string& name : templates) {
        const fs::path destination = folders.scenario / "Converted" / name;
        FUZZ_EXPECT(fs::exists(destination) == done);
        if (!done) continue;
        const bool fuzzed = role.isTemplate && name == role.picture;
        checkDestination(destination, fuzzed                       ? input.file
                                      : name == "Improvements.bmp" ? folders.improvementsBytes
                                                                   : folders.templateBytes);
    }
    // The picture the run was given is only read.
    const fs::path given = (role.isTemplate ? folders.templates : folders.scenario) / role.picture;
    FUZZ_EXPECT(readWholeFile(given) == input.file);
    return 0;
}
