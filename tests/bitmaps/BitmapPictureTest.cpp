#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"

namespace {

Bytes with32(Bytes bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

// The byte positions at which `after` differs from `before`.
std::vector<std::size_t> changedBytes(const Bytes& before, const Bytes& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(i);
    }
    return changed;
}

}  // namespace

TEST(PictureHeader, RefusesWhatIsNotAnUncompressed24BitPictureOfTheNeededSize) {
    const PictureExtent needs{640, {1, 584, 1, 342}};  // at least 343 rows
    const Bytes good = makeBitmap({640, 343});
    const Bytes cutShort(good.begin(), good.end() - 1);
    const std::pair<Bytes, std::string> cases[] = {
        {good, ""},
        {Bytes(), "is not a bitmap"},
        {asBytes("Units\r\nnot a picture at all, but long enough for a header.."), "is not a bitmap"},
        {with32(good, 14, 12), "has a bitmap header of an unsupported kind"},
        {makeBitmap({640, 343, 8}), "is a picture of 8 bits per pixel (24 needed)"},
        {makeBitmap({640, 343, 24, 1}), "is a compressed picture (uncompressed needed)"},
        {makeBitmap({600, 343}), "is 600 pixels wide (640 needed)"},
        {makeBitmap({640, 342}), "is too small (342 rows, at least 343 needed)"},
        {makeBitmap({640, -342}), "is too small (342 rows, at least 343 needed)"},
        {cutShort, "is cut short (its pixel rows run past the end of the file)"},
        {with32(good, 22, 0x80000000u), "is cut short (its pixel rows run past the end of the file)"},  // -2^31 rows
        {with32(good, 10, 20), "has its pixel data offset inside its header"},
    };
    for (const auto& [bytes, expected] : cases) {
        Outcome loaded = Outcome::success();
        const TemplatePicture picture = loadTemplate(bytes, needs, &loaded);
        EXPECT_EQ(loaded.ok(), expected.empty());
        EXPECT_EQ(loaded.problem(), expected);
        EXPECT_EQ(picture.holds(1, 1, 1, 1), expected.empty()) << "a refused picture holds nothing";
    }
}

TEST(PictureHeader, HoldsOnlyTheRowsTheExtentNames) {
    const TemplatePicture band = loadTemplate(makeBitmap(BitmapSampleOptions()), {640, {0, 639, 10, 20}});
    EXPECT_TRUE(band.holds(0, 10, 640, 11));
    EXPECT_FALSE(band.holds(0, 9, 1, 1));
    EXPECT_FALSE(band.holds(0, 20, 1, 2));
    EXPECT_FALSE(band.holds(600, 10, 41, 1));
    EXPECT_FALSE(band.holds(-1, 10, 1, 1));
}

// One pixel copied into a corner changes exactly its three bytes, found from the picture's
// header: rows counted from the last row stored (the first for a top-down picture), 1920
// bytes a row at 640 pixels, 1756 at 585 (one padding byte), whatever follows the rows.
TEST(PictureAddressing, APixelLandsAtTheBytesTheHeaderPutsItAt) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const SourcePicture sourcePicture = loadWholeSource(source, 640, 480);
    Bytes narrow = makeCodedBitmap(585, 380, kTemplateTag);
    for (std::size_t row = 0; row < 380; ++row) narrow[54 + row * 1756 + 1755] = 0xAB;
    const Bytes wide = makeCodedBitmap(640, 480, kTemplateTag);
    const struct {
        const char* name;
        Bytes picture;
        int width, rows, x, y;
        std::size_t firstByte;
    } cases[] = {
        {"wide, top left", wide, 640, 480, 0, 0, 54 + 479 * 1920},
        {"wide, bottom right", wide, 640, 480, 639, 479, 54 + 1920 - 3},
        {"narrow, top right, before the padding byte", narrow, 585, 380, 584, 0, 54 + 379 * 1756 + 1752},
        {"bytes after the rows", makeBitmap({640, 480, 24, 0, 100}), 640, 480, 0, 0, 54 + 479 * 1920},
        {"top-down", makeCodedBitmap(640, -480, kTemplateTag), 640, 480, 0, 0, 54},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemplatePicture picture = loadWholeTemplate(c.picture, c.width, c.rows);
        ASSERT_EQ(c.width == 640 ? converter.copyCell(sourcePicture, picture, 5, 7, c.x, c.y, 1, 1)
                                 : converter.copyCellNarrow(sourcePicture, picture, 5, 7, c.x, c.y, 1, 1),
                  1);
        const Bytes out = storedInto(c.picture, picture);
        const std::vector<std::size_t> pixelBytes{c.firstByte, c.firstByte + 1, c.firstByte + 2};
        EXPECT_EQ(changedBytes(c.picture, out), pixelBytes);
        EXPECT_EQ((PixelBytes{out[c.firstByte], out[c.firstByte + 1], out[c.firstByte + 2]}), pixelAt(source, 5, 7));
    }

    // A rectangle as wide as the narrow picture fills a whole row but its padding byte.
    TemplatePicture row = loadWholeTemplate(narrow, 585, 380);
    ASSERT_EQ(converter.copyCellNarrow(sourcePicture, row, 0, 0, 0, 1, 585, 1), 1);
    const std::vector<std::size_t> changed = changedBytes(narrow, storedInto(narrow, row));
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), 54u + 378 * 1756);
    EXPECT_LT(changed.back(), 54u + 378 * 1756 + 1755);
    EXPECT_EQ(converter.copyCellNarrow(sourcePicture, row, 0, 0, 0, 1, 586, 1), 0) << "one more reaches the padding";

    // Read from a top-down source: the same pixels as from the bottom-up one.
    const SourcePicture topDownSource = loadWholeSource(makeCodedBitmap(640, -480, kSourceTag), 640, 480);
    TemplatePicture fromBottomUp = loadWholeTemplate(wide, 640, 480);
    TemplatePicture fromTopDown = loadWholeTemplate(wide, 640, 480);
    converter.copyCell(sourcePicture, fromBottomUp, 100, 200, 10, 20, 64, 48);
    converter.copyCell(topDownSource, fromTopDown, 100, 200, 10, 20, 64, 48);
    EXPECT_EQ(storedInto(wide, fromBottomUp), storedInto(wide, fromTopDown));
}
