#include "kit/FuzzSeeds.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "kit/BitmapSample.h"
#include "kit/PictureKinds.h"
#include "kit/RulesSample.h"
#include "kit/ScenarioSample.h"

namespace fs = std::filesystem;

namespace {

FuzzBytes scenarioSeed(ScenarioEdition edition, std::uint16_t widthWord, std::uint16_t height, std::uint16_t units,
                       std::uint16_t cities, std::uint32_t tail, std::uint64_t seed) {
    ScenarioSampleOptions options;
    options.edition = edition;
    options.mapWidthWord = widthWord;
    options.mapHeight = height;
    options.unitCount = units;
    options.cityCount = cities;
    options.tailBytes = tail;
    options.seed = seed;
    return makeScenarioFile(options);
}

// Small maps and few records keep the files near the fixed part's 16 KB.
std::vector<FuzzBytes> scenarioSeeds() {
    std::vector<FuzzBytes> seeds{
        scenarioSeed(Classic, 8, 2, 2, 3, 12, 1),
        scenarioSeed(Classic, 9, 1, 0, 0, 0, 2),  // odd width word, no records, no tail
        scenarioSeed(FantasticWorlds, 8, 2, 2, 3, 12, 3),
        scenarioSeed(FantasticWorlds, 2, 3, 1, 1, 40, 4),
    };
    FuzzBytes shortened = seeds[0];  // one byte fewer than its counts announce
    shortened.pop_back();
    seeds.push_back(shortened);
    seeds.push_back(FuzzBytes(seeds[0].begin(), seeds[0].begin() + 11));  // the version byte, nothing more
    return seeds;
}

std::vector<FuzzBytes> rulesSeeds() {
    std::vector<FuzzBytes> seeds;
    std::uint64_t seed = 1;
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        ScenarioRulesOptions options;
        options.edition = edition;
        options.caravanLines = edition == Conflicts ? 20 : 16;
        options.seed = seed;
        seeds.push_back(
            encodeRulesFuzzInput({edition, withCrLf(makeScenarioRules(options)), withCrLf(makeTemplateRules(seed))}));
        ++seed;
    }
    // Short texts that end before the plan's counts: the headers the merge looks for,
    // a line longer than a line buffer, a 0x1A that ends the text early, lone CRs.
    const std::string longLine(200, 'x');
    seeds.push_back(encodeRulesFuzzInput(
        {Classic, "@COSMIC\r\n;c\r\n@CARAVAN\r\nA, 1\r\n: x\r\nB\r\n@ORDERS\r\n@TERRAIN\r\nx,1\r\n" + longLine + ",\n",
         "@COSMIC\n" + longLine + "\n@TERRAIN\nGrass,1,2\n\x1A" + "after the end\n"}));
    seeds.push_back(encodeRulesFuzzInput({FantasticWorlds, "@ORDERS\n@CARAVAN\nA\r\rB\n", "x\ry\n"}));

    // Texts that do not fit the plan and are written section by section: sections with
    // more and fewer lines, lines of blanks only, one missing, one out of order, one extra.
    const std::string templateText = withCrLf(makeTemplateRules(seed));
    auto changed = [&](ScenarioEdition edition, auto change) {
        std::vector<SampleRulesSection> sections = planSections(edition);
        change(sections);
        seeds.push_back(encodeRulesFuzzInput({edition, withCrLf(writeSampleSections(sections, seed)), templateText}));
    };
    auto named = [](std::vector<SampleRulesSection>& sections, const char* header) {
        return std::find_if(sections.begin(), sections.end(),
                            [header](const SampleRulesSection& s) { return s.header == header; });
    };
    changed(Conflicts, [&](auto& s) {
        named(s, "@UNITS")->lines += 8;
        named(s, "@COSMIC")->blankLines = 2;
        named(s, "@LEADERS")->lines -= 2;
    });
    changed(Classic, [&](auto& s) {
        std::iter_swap(named(s, "@LEADERS"), named(s, "@GOVERNMENTS"));
        s.erase(named(s, "@ENDWONDER"));
        s.insert(named(s, "@TERRAIN"), SampleRulesSection{"@EXTRA", 5, 1});
    });
    changed(FantasticWorlds, [&](auto& s) {
        named(s, "@CIVILIZE")->lines += 1;
        s.erase(named(s, "@CARAVAN"));
    });
    return seeds;
}

FuzzBytes firstBytes(const FuzzBytes& file, std::size_t count) {
    return FuzzBytes(file.begin(), file.begin() + std::min(count, file.size()));
}

std::vector<FuzzBytes> pictureSeeds() {
    std::vector<FuzzBytes> seeds;
    // Every role with a sound picture of its size: the header and a few rows of pixels,
    // which the decoder repeats to the full length.
    for (std::size_t role = 0; role < kBitmapFuzzRoleCount; ++role) {
        BitmapSampleOptions options;
        options.seed = role + 1;
        if (std::string(kBitmapFuzzRoles[role].picture) == "Improvements.bmp") {
            options.width = 585;
            options.height = 380;
        }
        const FuzzBytes picture = makeBitmap(options);
        const ScenarioEdition edition = role % 2 == 0 ? Conflicts : FantasticWorlds;
        seeds.push_back(encodeBitmapFuzzInput(role, edition, firstBytes(picture, 54 + 4 * 1920),
                                              static_cast<std::uint32_t>(picture.size())));
    }
    // A top-down picture with bytes after its rows, a picture one row short, a 32-bit one.
    BitmapSampleOptions topDown;
    topDown.height = -480;
    topDown.trailingBytes = 100;
    const FuzzBytes topDownPicture = makeBitmap(topDown);
    seeds.push_back(encodeBitmapFuzzInput(0, Classic, firstBytes(topDownPicture, 54 + 1920),
                                          static_cast<std::uint32_t>(topDownPicture.size())));
    const FuzzBytes picture = makeBitmap(BitmapSampleOptions{});
    seeds.push_back(encodeBitmapFuzzInput(11, Conflicts, firstBytes(picture, 54 + 1920),
                                          static_cast<std::uint32_t>(picture.size() - 1920)));
    BitmapSampleOptions deep;
    deep.bitsPerPixel = 32;
    const FuzzBytes deepPicture = makeBitmap(deep);
    seeds.push_back(encodeBitmapFuzzInput(3, FantasticWorlds, firstBytes(deepPicture, 54 + 2560),
                                          static_cast<std::uint32_t>(deepPicture.size())));
    return seeds;
}

// Whole small pictures of every kind, for the decode target: the same pixels as a 24-bit
// BMP, palette BMPs of 1, 4 and 8 bits, RLE4, RLE8, 32-bit ones, V4 and V5 headers,
// top-down, GIF87a and GIF89a, interlaced or not, a GIF frame smaller than its screen; and
// a few damaged ones.
std::vector<FuzzBytes> pictureDecodeSeeds() {
    std::vector<FuzzBytes> seeds;
    for (std::size_t i = 0; i < kPictureKindCount; ++i) {
        const PictureKind& kind = kPictureKinds[i];
        seeds.push_back(
            encodePicture(makeIndexedPicture(640, kDecodeFuzzRows, kind.colours, i + 1, kind.colourBits), kind));
    }
    const IndexedPicture picture = makeIndexedPicture(640, kDecodeFuzzRows, 256, 40);
    GifKind framed;
    framed.gif89 = framed.interlaced = true;
    framed.frameLeft = 30, framed.frameTop = 2, framed.frameWidth = 500, framed.frameHeight = 7;
    framed.background = 1;
    seeds.push_back(encodeGif(picture, framed));
    const FuzzBytes gif = seeds[pictureKindIndex("GIF87a")];
    seeds.push_back(firstBytes(gif, gif.size() / 2));  // cut short
    const FuzzBytes rle = seeds[pictureKindIndex("RLE4 BMP")];
    seeds.push_back(firstBytes(rle, rle.size() - 3));  // without its end mark
    return seeds;
}

std::vector<FuzzBytes> commandLineSeeds() {
    const std::vector<std::vector<std::string>> commandLines{
        {},
        {"--help"},
        {"/g1", "pictures"},
        {"/g2", "."},
        {"/g2"},
        {"Rome.scn"},
        {"C:\\Games\\Scen\\Rome.scn", "ignored"},
        {"scen/Rome.SCN"},
        {"Converted/a.b.scn"},
        {"x:noextension"},
        {"/G1", "pictures"},
        {"-q", "--out", "out", "/g2", "pictures"},
        {"--version"},
        {"--unknown", "Rome.scn"},
    };
    std::vector<FuzzBytes> seeds;
    for (const auto& arguments : commandLines) seeds.push_back(encodeArgumentsFuzzInput(arguments));
    return seeds;
}

}  // namespace

std::vector<FuzzBytes> makeFuzzSeeds(FuzzSeedKind kind) {
    switch (kind) {
        case FuzzSeedKind::ScenarioFile: return scenarioSeeds();
        case FuzzSeedKind::RulesTexts: return rulesSeeds();
        case FuzzSeedKind::Pictures: return pictureSeeds();
        case FuzzSeedKind::PictureDecode: return pictureDecodeSeeds();
        case FuzzSeedKind::CommandLine: return commandLineSeeds();
    }
    return {};
}

std::size_t writeFuzzSeeds(FuzzSeedKind kind, const fs::path& folder) {
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const std::vector<FuzzBytes> seeds = makeFuzzSeeds(kind);
    std::size_t written = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::string number = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1);
        if (writeFileBytes(folder / ("seed-" + number), seeds[i])) ++written;
    }
    return written;
}
