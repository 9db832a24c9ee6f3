#include "kit/SampleWorld.h"

#include <cctype>
#include <fstream>
#include <vector>

#include "base/PathText.h"
#include "kit/BitmapSample.h"
#include "kit/PictureKinds.h"
#include "kit/Random.h"
#include "kit/RulesSample.h"

namespace fs = std::filesystem;

const char* const kScenarioBitmapNames[6] = {"Units.bmp",  "Cities.bmp",   "Icons.bmp",
                                             "People.bmp", "Terrain1.bmp", "Terrain2.bmp"};
const char* const kTemplateBitmapNames[7] = {"Units.bmp",    "Cities.bmp",   "Icons.bmp",       "People.bmp",
                                             "Terrain1.bmp", "Terrain2.bmp", "Improvements.bmp"};

namespace {

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::uint8_t> randomBytes(std::size_t size, std::uint64_t seed) {
    SampleRandom random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = random.byte();
    return bytes;
}

}  // namespace

std::string gifNameOf(const std::string& bitmapName) {
    std::string name = fs::path(bitmapName).stem().string() + ".GIF";
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

void writeTemplateFolder(const fs::path& folder, std::uint64_t seed) {
    fs::create_directories(folder);
    writeText(folder / "Rules.txt", withCrLf(makeTemplateRules(seed)));
    std::uint64_t pictureSeed = seed * 100 + 50;
    for (const char* name : kTemplateBitmapNames) {
        BitmapSampleOptions picture;
        picture.seed = pictureSeed++;
        if (std::string(name) == "Improvements.bmp") {
            picture.width = kImprovementsWidth;
            picture.height = kImprovementsHeight;
        }
        writeFileBytes(folder / name, makeBitmap(picture));
    }
}

fs::path writeScenarioFolder(const fs::path& folder, const ScenarioFolderOptions& options) {
    fs::create_directories(folder);
    const std::uint64_t seed = options.scenario.seed;
    const fs::path scenarioPath = folder / pathFromUtf8(options.baseName + ".scn");
    writeScenarioFile(scenarioPath, options.scenario);

    if (options.withRules) {
        ScenarioRulesOptions rules;
        rules.edition = options.scenario.edition;
        rules.caravanLines = options.caravanLines;
        rules.seed = seed;
        const std::string text =
            options.rulesSections.empty() ? makeScenarioRules(rules) : writeSampleSections(options.rulesSections, seed);
        writeText(folder / "Rules.txt", withCrLf(text));
    }
    if (options.withBitmaps) {
        std::uint64_t pictureSeed = seed * 100 + 10;
        for (const char* name : kScenarioBitmapNames) {
            if (options.pictureKind != nullptr) {
                const PictureKind& kind = *options.pictureKind;
                // As the file shows it: a 24-bit twin of another kind holds the same pixels.
                const IndexedPicture picture =
                    asShown(makeIndexedPicture(640, 480, kind.colours, pictureSeed++, kind.colourBits), kind);
                writeFileBytes(folder / (kind.gif ? gifNameOf(name) : name), encodePicture(picture, kind));
                continue;
            }
            BitmapSampleOptions picture;
            picture.seed = pictureSeed++;
            writeFileBytes(folder / name, makeBitmap(picture));
        }
    }
    if (options.withCompanions) {
        writeText(folder / "Events.txt", withCrLf("@BEGINEVENTS\n@IF\nTURN\nturn=1\n@THEN\n@ENDIF\n@ENDEVENTS\n"));
        writeText(folder / pathFromUtf8(options.baseName + ".txt"),
                  withCrLf("A sample scenario\nmade for the converter's tests\n"));
        std::vector<std::uint8_t> gif = randomBytes(2048, seed + 7);
        const char signature[] = "GIF89a";
        std::copy(signature, signature + 6, gif.begin());
        writeFileBytes(folder / "Title.gif", gif);
        writeText(folder / "City.txt", withCrLf("Alpha\nBeta\nGamma\n"));
        fs::create_directories(folder / "Sound");
        writeFileBytes(folder / "Sound" / "Advance.wav", randomBytes(4000, seed + 8));
        writeFileBytes(folder / "Sound" / "Battle.wav", randomBytes(3000, seed + 9));
    }
    return scenarioPath;
}

std::vector<fs::path> writeSampleWorld(const fs::path& root, std::uint64_t seed) {
    writeTemplateFolder(root / "template", seed);
    const struct {
        const char* folder;
        ScenarioEdition edition;
        const char* pictureKind;
    } scenarios[] = {{"classic", Classic, nullptr},
                     {"conflicts", Conflicts, nullptr},
                     {"fantastic", FantasticWorlds, nullptr},
                     {"gif", Classic, "GIF87a"},
                     {"notes", Classic, nullptr}};
    std::vector<fs::path> written;
    for (const auto& scenario : scenarios) {
        ScenarioFolderOptions options;
        options.scenario.edition = scenario.edition;
        options.scenario.seed = seed;
        if (scenario.pictureKind != nullptr) options.pictureKind = &pictureKind(scenario.pictureKind);
        const bool notes = std::string(scenario.folder) == "notes";
        if (notes) {
            options.rulesSections = planSections(Classic);
            for (SampleRulesSection& section : options.rulesSections) {
                if (section.header == "@CIVILIZE") section.lines += 7;
                if (section.header == "@UNITS") section.lines += 8;
            }
        }
        written.push_back(writeScenarioFolder(root / scenario.folder, options));
        if (notes) writeText(root / scenario.folder / "PEDIA.TXT", withCrLf("@PEDIA\nA text of the scenario\n"));
    }
    return written;
}
