#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "bitmaps/SourcePictureDecoding.h"
#include "driver/RunConversion.h"
#include "kit/ByteWriting.h"
#include "kit/FuzzSeeds.h"
#include "kit/PictureKinds.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Decodes `file` with every row of a 640-wide picture of `rows` rows wanted, into `into`
// or a fresh picture; the rows go to `rowsOut`, 1920 bytes each, top first.
Outcome decodeAll(const Bytes& file, std::int32_t rows, Bytes* rowsOut = nullptr, SourcePicture* into = nullptr) {
    SourcePicture fresh;
    SourcePicture& picture = into != nullptr ? *into : fresh;
    std::istringstream stream(asText(file));
    Outcome decoded = decodeSourcePicture(stream, wholePicture(640, rows), picture);
    if (rowsOut != nullptr && decoded.ok()) {
        rowsOut->clear();
        for (std::int32_t y = 0; y < rows; ++y) {
            const std::uint8_t* row = picture.pixel(0, y);
            rowsOut->insert(rowsOut->end(), row, row + 1920);
        }
    }
    return decoded;
}

// Checks that decoding `file` fails with `expected`, or succeeds where `expected` is empty.
void expectDecodes(const Bytes& file, std::int32_t rows, const std::string& expected) {
    const Outcome decoded = decodeAll(file, rows);
    EXPECT_EQ(decoded.ok(), expected.empty()) << expected;
    EXPECT_EQ(decoded.problem(), expected);
}

Bytes as24Bit(const IndexedPicture& picture) { return encodeBmp(picture, BmpKind()); }

// A run-length BMP of 640 × 2 pixels whose pixel data is `data`.
Bytes runLengthBmp(std::uint16_t bits, const Bytes& data) {
    Bytes bmp = encodeBmp(makeIndexedPicture(640, 2, bits == 8 ? 256 : 16, 3), {bits, true});
    const std::uint32_t offset = bmp[10] | bmp[11] << 8;
    bmp.resize(offset);
    bmp.insert(bmp.end(), data.begin(), data.end());
    return bmp;
}

}  // namespace

// Every kind of the same picture gives the rows of its 24-bit BMP, byte for byte, as its
// screen shows it. One picture object decodes every kind in turn, as a run's pictures
// share one: pixels that run-length data leaves out are black all the same.
TEST(SourcePictures, EveryKindDecodesToTheRowsOfThe24BitPictureOfTheSamePixels) {
    SourcePicture shared;
    for (std::size_t i = 0; i < kPictureKindCount; ++i) {
        const PictureKind& kind = kPictureKinds[i];
        SCOPED_TRACE(kind.name);
        const IndexedPicture picture = makeIndexedPicture(640, 40, kind.colours, 70 + i, kind.colourBits);
        Bytes expected, decoded;
        ASSERT_TRUE(decodeAll(as24Bit(asShown(picture, kind)), 40, &expected).ok());
        ASSERT_TRUE(decodeAll(encodePicture(picture, kind), 40, &decoded, &shared).ok());
        EXPECT_TRUE(decoded == expected);
    }
}

// The claimed size is checked first, and only the band is held: a screen of 65535 rows
// whose image covers its top rows decodes into the band alone.
TEST(SourcePictures, ATallScreenIsHeldOnlyAsItsBand) {
    const IndexedPicture picture = makeIndexedPicture(640, 20, 256, 6);
    Bytes gif = encodeGif(picture, GifKind());
    put16(gif, 8, 65535);  // the screen's height
    Outcome read = Outcome::success();
    SourcePicture decoded = loadSource(gif, {640, {0, 639, 0, 19}}, &read);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(decoded.rowCount(), 65535);
    EXPECT_NE(decoded.row(19), nullptr);
    EXPECT_EQ(decoded.row(20), nullptr);
}

TEST(SourcePictures, DamagedGifsAreRefusedWithTheirReason) {
    const Bytes good = encodeGif(makeIndexedPicture(640, 30, 256, 8), GifKind());
    const std::size_t image = gifImageAt(good);
    ASSERT_GT(image, 0u);
    Bytes badCode = good;  // after the first clear code, a code that no table holds yet
    for (std::size_t i = image + 13; i < image + 16; ++i) badCode[i] = 0xFF;
    Bytes emptyFrame = good;
    put16(emptyFrame, image + 5, 0);
    Bytes hugeScreen = good;
    put16(hugeScreen, 6, 65535);
    put16(hugeScreen, 8, 65535);
    Bytes noImage(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(image));
    noImage.push_back(0x3B);
    Bytes outside = good;
    put16(outside, image + 1, 1);  // one pixel right: the frame reaches past the screen
    GifKind cutInside;
    cutInside.cut = GifCut::InsideImage;
    Bytes noColours = good;
    noColours[10] &= 0x7F;  // the screen table's flag off: its bytes read as records
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)),
         "is cut short (its data ends before its first image does)"},
        {badCode, "is a damaged GIF picture (Image is defective, decoding aborted)"},
        {emptyFrame, "has an empty first image"},
        {hugeScreen, "is 65535 pixels wide (640 needed)"},
        {noImage, "holds no image"},
        {outside, "has its first image reaching outside its screen"},
        {Bytes(good.begin(), good.begin() + 9), "is cut short (its data ends before its first image does)"},
        {noColours, "is a damaged GIF picture (Wrong record type detected)"},
        {encodeGif(makeIndexedPicture(640, 30, 256, 8), cutInside),
         "is cut short (its data ends before its first image does)"},
        {Bytes(good.begin(), good.end() - 2), ""},  // no closing block, no trailer: the image is whole
    };
    for (const auto& [file, expected] : cases) expectDecodes(file, 30, expected);
}

TEST(SourcePictures, DamagedBmpsAreRefusedWithTheirReason) {
    const Bytes eightBit = encodeBmp(makeIndexedPicture(640, 2, 256, 4), {8});
    Bytes shortPalette(eightBit.begin(), eightBit.begin() + 300);
    put32(shortPalette, 10, 54);  // rows "inside" the table, which runs past the end
    Bytes emptyMask = encodeBmp(makeIndexedPicture(640, 2, 256, 4), {32, false, true});
    put32(emptyMask, 58, 0);
    Bytes splitMask = emptyMask;
    put32(splitMask, 58, 0x00F0F000);
    Bytes wholeWordMask = emptyMask;  // a mask of all 32 bits is one run too
    put32(wholeWordMask, 58, 0xFFFFFFFF);
    Bytes topDownRunLength = runLengthBmp(8, {0, 1});
    put32(topDownRunLength, 22, static_cast<std::uint32_t>(-2));
    Bytes jpeg = encodeBmp(makeIndexedPicture(640, 2, 256, 4), {24});
    Bytes rowsInHeader = eightBit;
    put32(rowsInHeader, 10, 50);
    put32(jpeg, 30, 4);
    const std::pair<Bytes, std::string> cases[] = {
        {runLengthBmp(8, {0, 1}), ""},  // nothing but the end mark: all black
        {runLengthBmp(8, {255, 7, 255, 7, 131, 7, 0, 1}), "has run-length data that runs past the end of a row"},
        {runLengthBmp(4, {255, 0x12, 255, 0x12, 131, 0x12, 0, 1}), "has run-length data that runs past the end of a row"},
        {runLengthBmp(8, {0, 0, 0, 0, 1, 7, 0, 1}), "has run-length data that runs past its last row"},
        {runLengthBmp(8, {255, 7, 255, 7, 0, 2, 131, 0, 0, 1}), "has run-length data that runs past the end of a row"},
        {runLengthBmp(8, {255, 7, 255, 7, 0, 2, 130, 0, 0, 0, 0, 1}), ""},  // a move up to the row's end
        {rowsInHeader, "has its pixel data offset inside its header"},
        {runLengthBmp(8, {0, 3, 1, 2}), "is cut short (its run-length data ends before its end mark)"},
        {runLengthBmp(8, {5, 7, 0}), "is cut short (its run-length data ends before its end mark)"},
        {runLengthBmp(4, {0, 2, 1}), "is cut short (its run-length data ends before its end mark)"},
        {topDownRunLength, "is a compressed picture stored top-down (run-length pictures are stored bottom-up)"},
        {shortPalette, "is cut short (its colour table runs past the end of the file)"},
        {Bytes(eightBit.begin(), eightBit.end() - 1), "is cut short (its pixel rows run past the end of the file)"},
        {emptyMask, "has a colour mask that is empty or not one run of bits"},
        {splitMask, "has a colour mask that is empty or not one run of bits"},
        {wholeWordMask, ""},
        {makeBitmap({640, 2, 16}), "is a picture of 16 bits per pixel (1, 4, 8, 24 or 32 are read)"},
        {jpeg, "is compressed in a way that is not read (compression 4 at 24 bits per pixel)"},
        {asBytes("BM and nothing of a header"), "is not a bitmap"},
        {asBytes("PNG, or anything else"), "is not a picture (neither a BMP nor a GIF file)"},
    };
    for (const auto& [file, expected] : cases) expectDecodes(file, 2, expected);
}

class SourcePictureKinds : public ::testing::Test {
protected:
    TempFolder scratch{"tavorel-picture-kinds"};
    const fs::path templates = scratch.path() / "template";

    void SetUp() override { writeTemplateFolder(templates, 4); }

    // Converts the graphics of a scenario folder whose pictures are of `kind`; returns the
    // console and the seven converted files.
    std::pair<std::string, std::vector<Bytes>> convertKind(const PictureKind& kind) {
        const fs::path folder = scratch.path() / "scenario";
        fs::remove_all(folder);
        ScenarioFolderOptions options;
        options.withRules = options.withCompanions = false;
        options.pictureKind = &kind;
        writeScenarioFolder(folder, options);
        fs::create_directories(folder / "Converted");
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.templateFolder = templates;
        converter.convertGraphics(folder);
        std::vector<Bytes> files;
        for (const char* name : kTemplateBitmapNames) files.push_back(readFileBytes(folder / "Converted" / name));
        return {console.str(), files};
    }
};

TEST_F(SourcePictureKinds, AScenarioOfEachKindConvertsToTheFilesOfItsTwinWith24BitPictures) {
    for (std::size_t i = 0; i < kPictureKindCount; ++i) {
        const PictureKind& kind = kPictureKinds[i];
        SCOPED_TRACE(kind.name);
        PictureKind twin = pictureKind("24-bit BMP");
        twin.colours = kind.colours;
        twin.colourBits = kind.colourBits;
        twin.gifKind = kind.gifKind;  // drawn as the GIF's screen shows it
        twin.bmp.tableColours = kind.bmp.tableColours;  // and as the BMP's colour table does
        const auto [expectedConsole, expected] = convertKind(twin);
        const auto [console, converted] = convertKind(kind);
        const std::string found = kind.gif ? "Found UNITS.GIF!" : "Found!";
        EXPECT_EQ(console.substr(0, console.find('\n')), "Searching Units.bmp..." + found);
        EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 18) << console;
        EXPECT_EQ(console.find("Error"), std::string::npos) << console;
        for (std::size_t f = 0; f < converted.size(); ++f) {
            EXPECT_FALSE(converted[f].empty()) << kTemplateBitmapNames[f];
            EXPECT_TRUE(converted[f] == expected[f]) << kTemplateBitmapNames[f];
        }
    }
}

// Units.bmp is looked for first; the GIF is taken only when there is no BMP. A refused GIF
// makes no file, and the full run ends with exit code 2.
TEST_F(SourcePictureKinds, TheBmpIsPreferredAndARefusedGifMakesNoFile) {
    const fs::path folder = scratch.path() / "scenario";
    ScenarioFolderOptions options;
    options.pictureKind = &pictureKind("GIF87a");
    const fs::path scenarioFile = writeScenarioFolder(folder, options);
    writeFileBytes(folder / "units.bmp", makeBitmap({640, 480}));
    const Bytes people = readFileBytes(folder / "PEOPLE.GIF");
    writeFileBytes(folder / "PEOPLE.GIF", Bytes(people.begin(), people.begin() + 400));  // in its colour table
    std::ostringstream console;
    EXPECT_EQ(runConversion({scenarioFile.string()}, console, templates), 2);
    const std::string text = console.str();
    EXPECT_NE(text.find("Searching Units.bmp...Found!\nNow Converting...\nDone!\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Searching Cities.bmp...Found CITIES.GIF!\nNow Converting...\nDone!\n"), std::string::npos);
    EXPECT_NE(text.find("Searching People.bmp...Found PEOPLE.GIF!\nNow Converting...\nError: " +
                        (folder / "PEOPLE.GIF").string() +
                        " is cut short (its data ends before its first image does), People.bmp not converted!\n"
                        "Searching Terrain1.bmp"),
              std::string::npos)
        << text;
    EXPECT_FALSE(fs::exists(folder / "Converted" / "People.bmp"));
    EXPECT_TRUE(fs::exists(folder / "Converted" / "Improvements.bmp"));

    // Graphics-only mode finds the GIFs the same way.
    std::ostringstream graphicsOnly;
    EXPECT_EQ(runConversion({"/g2", folder.string()}, graphicsOnly, templates), 1);
    EXPECT_NE(graphicsOnly.str().find("Searching Terrain2.bmp...Found TERRAIN2.GIF!\nNow Converting...\nDone!\n"),
              std::string::npos)
        << graphicsOnly.str();
}

// A folder that holds one GIF's name in two letter cases, on a file system that tells them
// apart: the exact spelling is read and named, else the first in name order; the other is
// no picture, and an error should it be read.
TEST_F(SourcePictureKinds, OfTwoSpellingsOfAGifTheExactOneIsReadAndNamed) {
    struct Spellings {
        const char* read;
        const char* other;
    };
    for (const Spellings& c : {Spellings{"Units.gif", "UNITS.GIF"}, Spellings{"UNITS.GIF", "units.gif"}}) {
        SCOPED_TRACE(c.read);
        const fs::path folder = scratch.path() / "scenario";
        fs::remove_all(folder);
        ScenarioFolderOptions options;
        options.withRules = options.withCompanions = false;
        options.pictureKind = &pictureKind("GIF89a");
        writeScenarioFolder(folder, options);
        const Bytes units = readFileBytes(folder / "UNITS.GIF");
        fs::remove(folder / "UNITS.GIF");
        writeFileBytes(folder / c.other, asBytes("GIF89a, and nothing of a picture"));
        if (fs::exists(folder / c.read)) GTEST_SKIP() << "the file system ignores letter case itself";
        writeFileBytes(folder / c.read, units);
        fs::create_directories(folder / "Converted");
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.templateFolder = templates;
        converter.convertGraphics(folder);
        EXPECT_EQ(console.str().rfind("Searching Units.bmp...Found " + std::string(c.read) +
                                          "!\nNow Converting...\nDone!\nSearching Cities.bmp",
                                      0),
                  0u)
            << console.str();
    }
}

// The decode fuzz target starts from these: every kind decodes, the damaged ones do not.
TEST(SourcePictures, DecodeFuzzSeedsOfEveryKindDecodeAndTheDamagedOnesAreRefused) {
    const std::vector<FuzzBytes> seeds = makeFuzzSeeds(FuzzSeedKind::PictureDecode);
    ASSERT_EQ(seeds.size(), kPictureKindCount + 3);
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        EXPECT_EQ(decodeAll(seeds[i], kDecodeFuzzRows).ok(), i < kPictureKindCount + 1) << "seed " << i;
    }
}
