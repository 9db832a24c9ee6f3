#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "BitmapTestSupport.h"
#include "bitmaps/CellPrimitives.h"
#include "bitmaps/LayoutExtents.h"

namespace {

using Pictures = std::vector<BitmapPicture>;

// Writes each template through its picture held in windows, the driver's way: the bytes
// before the band, then window after window (every picture's window read, `edit` run on
// them all, every window written), then the bytes after the band. Returns the files written.
std::vector<Bytes> streamInWindows(const std::vector<Bytes>& templates,
                                   const std::vector<PictureExtent>& extents,
                                   const std::function<void(Pictures&)>& edit) {
    const std::size_t count = templates.size();
    Pictures pictures(count);
    std::vector<std::istringstream> inputs;
    std::vector<std::stringstream> outputs(count);
    std::int64_t windows = 0;
    for (std::size_t i = 0; i < count; ++i) {
        inputs.emplace_back(asText(templates[i]), std::ios::binary);
        EXPECT_EQ(pictures[i].load(inputs[i], extents[i], BitmapPicture::Holding::Windows), "");
        windows = std::max(windows, pictures[i].windowCount());
        EXPECT_TRUE(pictures[i].copyBeforeBand(inputs[i], outputs[i]));
    }
    for (std::int64_t window = 0; window < windows; ++window) {
        for (std::size_t i = 0; i < count; ++i) EXPECT_TRUE(pictures[i].readWindow(inputs[i], window));
        edit(pictures);
        for (std::size_t i = 0; i < count; ++i) EXPECT_TRUE(pictures[i].storeHeld(outputs[i]));
    }
    std::vector<Bytes> written;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(pictures[i].copyAfterBand(inputs[i], outputs[i]));
        written.push_back(asBytes(outputs[i].str()));
    }
    return written;
}

Bytes streamInWindows(const Bytes& bytes, const PictureExtent& extent,
                      const std::function<void(BitmapPicture&)>& edit = [](BitmapPicture&) {}) {
    return streamInWindows({bytes}, {extent}, [&](Pictures& pictures) { edit(pictures[0]); })[0];
}

std::int64_t windowsOf(const Bytes& bytes, const PictureExtent& extent) {
    std::istringstream file(asText(bytes));
    BitmapPicture picture;
    EXPECT_EQ(picture.load(file, extent, BitmapPicture::Holding::Windows), "");
    return picture.windowCount();
}

// `bytes` with `gap` bytes between the header and the pixel rows, as the header says.
Bytes withGapBeforeRows(Bytes bytes, std::uint32_t gap) {
    bytes.insert(bytes.begin() + 54, gap, 0x5C);
    const std::uint32_t offset = 54 + gap;
    for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
    return bytes;
}

// A coded picture with gray pixels here and there, so that recolouring has work to do.
Bytes codedWithGray(std::int32_t width, std::int32_t height, std::uint8_t tag) {
    Bytes bitmap = makeCodedBitmap(width, height, tag);
    const std::int32_t rows = height < 0 ? -height : height;
    for (std::int32_t y = 0; y < rows; y += 3) {
        for (std::int32_t x = (y * 7) % 11; x < width; x += 5) setPixel(bitmap, x, y, kGray);
    }
    return bitmap;
}

}  // namespace

TEST(PictureWindows, PassTheFileThroughUnchangedWhateverItsRowOrderAndPadding) {
    BitmapSampleOptions trailing;
    trailing.trailingBytes = 333;
    const struct {
        const char* name;
        Bytes bytes;
        PictureExtent extent;
    } pictures[] = {
        {"bottom-up", makeBitmap(BitmapSampleOptions()), {640, {0, 639, 3, 470}}},
        {"top-down", makeCodedBitmap(640, -480, kTemplateTag), {640, {0, 639, 3, 470}}},
        {"trailing bytes", makeBitmap(trailing), {640, {1, 638, 1, 478}}},
        {"narrow, padded rows", makeCodedBitmap(585, 380, 3), kImprovementsExtent},
        {"rows after a gap", withGapBeforeRows(makeBitmap(BitmapSampleOptions()), 10), {640, {0, 639, 0, 479}}},
        {"one row", makeBitmap(BitmapSampleOptions()), {640, {0, 639, 200, 200}}},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        EXPECT_EQ(streamInWindows(picture.bytes, picture.extent), picture.bytes);
    }
    EXPECT_GT(windowsOf(pictures[0].bytes, pictures[0].extent), 1) << "the band needs several windows";
    EXPECT_EQ(windowsOf(pictures[5].bytes, pictures[5].extent), 1);
}

TEST(PictureWindows, EditsReachEveryWindowAndOnlyTheRowsInMemory) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const PictureExtent band{640, {0, 639, 0, 479}};
    ASSERT_GT(windowsOf(target, band), 2);
    // One tall rectangle through every window: each row is painted once, in its window.
    const Bytes out = streamInWindows(target, band, [&](BitmapPicture& picture) {
        EXPECT_EQ(converter.fillMagenta(picture, 10, 0, 3, 480), 1);
        EXPECT_EQ(converter.fillMagenta(picture, 10, 0, 3, 481), 0) << "checked against the band";
    });
    Bytes expected = target;
    for (int y = 0; y < 480; ++y) {
        for (int x = 10; x < 13; ++x) setPixel(expected, x, y, kMagentaPixel);
    }
    EXPECT_EQ(out, expected);

    // Before the first window is read, no row is in memory: a check passes, nothing is written.
    std::istringstream file(asText(target));
    BitmapPicture picture;
    ASSERT_EQ(picture.load(file, band, BitmapPicture::Holding::Windows), "");
    EXPECT_EQ(converter.fillMagenta(picture, 0, 0, 640, 480), 1);
    EXPECT_EQ(picture.rowsHeld(0, 480).begin, picture.rowsHeld(0, 480).end);
}

TEST(PictureWindows, LayoutsRunWindowByWindowGiveWhatTheyGiveOnTheWholePicture) {
    const Bytes source = codedWithGray(640, 480, kSourceTag);
    struct Case {
        const char* name;
        int (ScenarioConverter::*layout)(const BitmapPicture&, BitmapPicture&);
        PictureExtent sourceExtent, destinationExtent;
        ScenarioEdition edition;
    };
    const Case cases[] = {
        {"Units", &ScenarioConverter::convertUnits, kUnitsSourceExtent, kUnitsDestinationExtent, Classic},
        {"Cities, Classic", &ScenarioConverter::convertCities, kCitiesExtent, kCitiesExtent, Classic},
        {"Cities, FantasticWorlds", &ScenarioConverter::convertCities, kCitiesExtent, kCitiesExtent,
         FantasticWorlds},
        {"People", &ScenarioConverter::convertPeople, kPeopleSourceExtent, kPeopleDestinationExtent, Classic},
        {"Terrain1", &ScenarioConverter::convertTerrain1, kTerrain1Extent, kTerrain1Extent, Classic},
        {"Terrain2", &ScenarioConverter::convertTerrain2, kTerrain2Extent, kTerrain2Extent, Classic},
    };
    for (const Case& c : cases) {
        for (const std::int32_t height : {480, -480}) {
            SCOPED_TRACE(std::string(c.name) + (height < 0 ? ", top-down" : ", bottom-up"));
            const Bytes target = codedWithGray(640, height, kTemplateTag);
            std::ostringstream console;
            ScenarioConverter converter(console);
            converter.edition = c.edition;
            const Bytes whole = runLayout(converter, source, target, c.layout);

            const BitmapPicture band = loadPicture(source, c.sourceExtent);
            const Bytes windowed = streamInWindows(target, c.destinationExtent, [&](BitmapPicture& picture) {
                EXPECT_EQ((converter.*c.layout)(band, picture), 1);
            });
            EXPECT_EQ(windowed, whole);
        }
    }
}

TEST(PictureWindows, IconsAndImprovementsAreEditedTogetherWindowByWindow) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    const Bytes source = codedWithGray(640, 480, kSourceTag);
    const Bytes icons = makeCodedBitmap(640, 480, kTemplateTag);
    const Bytes improvements = makeCodedBitmap(585, -380, 3);

    const BitmapPicture wholeSource = loadWhole(source, 640, 480);
    BitmapPicture wholeIcons = loadWhole(icons, 640, 480);
    BitmapPicture wholeImprovements = loadWhole(improvements, 585, 380);
    ASSERT_EQ(converter.convertIcons(wholeSource, wholeIcons, wholeImprovements), 1);

    const BitmapPicture band = loadPicture(source, kIconsSourceExtent);
    const std::vector<Bytes> windowed =
        streamInWindows({icons, improvements}, {kIconsDestinationExtent, kImprovementsExtent},
                        [&](Pictures& pictures) {
                            EXPECT_EQ(converter.convertIcons(band, pictures[0], pictures[1]), 1);
                        });
    EXPECT_EQ(windowed[0], storedInto(icons, wholeIcons));
    EXPECT_EQ(windowed[1], storedInto(improvements, wholeImprovements));
    // Both bands span several windows, whose rows differ from one picture to the other.
    EXPECT_GT(windowsOf(icons, kIconsDestinationExtent), 1);
    EXPECT_GT(windowsOf(improvements, kImprovementsExtent), 1);
}

TEST(PictureWindows, AWindowThatCannotBeReadIsAFailure) {
    const Bytes bytes = makeBitmap(BitmapSampleOptions());
    const PictureExtent band{640, {0, 639, 0, 479}};
    std::istringstream whole(asText(bytes));
    BitmapPicture picture;
    ASSERT_EQ(picture.load(whole, band, BitmapPicture::Holding::Windows), "");
    // The file lost its last rows after its header was read.
    std::istringstream cutShort(asText(Bytes(bytes.begin(), bytes.end() - 1920)));
    EXPECT_TRUE(picture.readWindow(cutShort, 0));
    EXPECT_FALSE(picture.readWindow(cutShort, picture.windowCount() - 1));
    EXPECT_TRUE(picture.readWindow(cutShort, picture.windowCount())) << "past the band: nothing to read";
}

TEST(FillThenCopyCell, LeavesWhatFillMagentaThenCopyCellLeave) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const struct {
        const char* name;
        int fillX, fillY, fillWidth, fillHeight;
        int fromX, fromY, toX, toY, width, height;
    } cases[] = {
        {"the same rectangle", 1, 1, 64, 32, 66, 34, 1, 1, 64, 32},
        {"fill above and below the copy", 1, 1, 64, 64, 1, 1, 1, 11, 64, 48},
        {"fill inside a wider copy", 196, 1, 64, 32, 129, 1, 194, 1, 66, 32},
        {"fill wider than the copy", 0, 0, 70, 20, 5, 5, 2, 2, 64, 10},
        {"copy over the fill's lower rows", 10, 10, 20, 20, 300, 300, 10, 25, 20, 30},
        {"copy over the fill's upper rows", 10, 10, 20, 20, 300, 300, 10, 0, 20, 15},
        {"apart", 10, 10, 20, 20, 300, 300, 200, 200, 20, 20},
        {"empty fill", 10, 10, 0, 20, 300, 300, 10, 10, 20, 20},
        {"empty copy", 10, 10, 20, 20, 300, 300, 10, 10, 20, 0},
        {"copy from outside the source", 10, 10, 20, 20, 630, 0, 10, 10, 20, 20},
        {"copy outside the destination", 10, 470, 20, 10, 0, 0, 10, 470, 20, 11},
        {"fill outside the destination", 10, 470, 20, 11, 0, 0, 10, 470, 20, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BitmapPicture from = loadWhole(source, 640, 480);
        BitmapPicture twoCalls = loadWhole(target, 640, 480);
        BitmapPicture oneCall = loadWhole(target, 640, 480);
        const int filled = converter.fillMagenta(twoCalls, c.fillX, c.fillY, c.fillWidth, c.fillHeight);
        const int expected =
            filled & converter.copyCell(from, twoCalls, c.fromX, c.fromY, c.toX, c.toY, c.width, c.height);
        EXPECT_EQ(fillThenCopyCell(converter, from, oneCall, c.fillX, c.fillY, c.fillWidth, c.fillHeight,
                                   c.fromX, c.fromY, c.toX, c.toY, c.width, c.height),
                  expected);
        EXPECT_EQ(storedInto(target, oneCall), storedInto(target, twoCalls));
    }

    // Pasted into itself, the copy reads the rows the fill has just painted.
    BitmapPicture twoCalls = loadWhole(target, 640, 480);
    BitmapPicture oneCall = loadWhole(target, 640, 480);
    converter.fillMagenta(twoCalls, 0, 0, 64, 32);
    converter.copyCell(twoCalls, twoCalls, 0, 16, 0, 0, 64, 32);
    EXPECT_EQ(fillThenCopyCell(converter, oneCall, oneCall, 0, 0, 64, 32, 0, 16, 0, 0, 64, 32), 1);
    EXPECT_EQ(storedInto(target, oneCall), storedInto(target, twoCalls));
}
