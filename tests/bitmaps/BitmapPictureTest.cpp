#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "BitmapTestSupport.h"
#include "driver/ScenarioConverter.h"

namespace {

constexpr std::size_t kWideRow = 1920;    // 640 × 3
constexpr std::size_t kNarrowRow = 1756;  // 585 × 3 + 1 padding byte

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The byte positions at which `after` differs from `before`.
std::vector<std::size_t> changedBytes(const Bytes& before, const Bytes& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(i);
    }
    return changed;
}

std::string problemOf(const Bytes& bytes, const PictureExtent& extent) {
    std::string problem;
    loadPicture(bytes, extent, &problem);
    return problem;
}

class PictureAddressing : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const BitmapPicture sourcePicture = loadWhole(source, 640, 480);
};

}  // namespace

TEST_F(PictureAddressing, WidePictureRowsAreCountedFromTheLastRowStored) {
    const Bytes wide = makeCodedBitmap(640, 480, kTemplateTag);
    const PixelBytes moved = pixelAt(source, 5, 7);

    BitmapPicture topLeft = loadWhole(wide, 640, 480);
    ASSERT_EQ(converter.copyCell(sourcePicture, topLeft, 5, 7, 0, 0, 1, 1), 1);
    const Bytes first = storedInto(wide, topLeft);
    const std::size_t at = first.size() - kWideRow;  // first 3 of the last 1920 bytes
    EXPECT_EQ((std::vector<std::size_t>{at, at + 1, at + 2}), changedBytes(wide, first));
    EXPECT_EQ(first[at], moved.b0);
    EXPECT_EQ(first[at + 2], moved.b2);

    BitmapPicture bottomRight = loadWhole(wide, 640, 480);
    ASSERT_EQ(converter.copyCell(sourcePicture, bottomRight, 5, 7, 639, 479, 1, 1), 1);
    const Bytes last = storedInto(wide, bottomRight);
    const std::size_t end = 54 + kWideRow;  // the last 3 bytes of the first row stored
    EXPECT_EQ((std::vector<std::size_t>{end - 3, end - 2, end - 1}), changedBytes(wide, last));
    EXPECT_EQ(last[end - 2], moved.b1);
}

TEST_F(PictureAddressing, NarrowPictureKeepsItsPaddingByte) {
    Bytes narrow = makeCodedBitmap(585, 380, kTemplateTag);
    for (std::size_t row = 0; row < 380; ++row) narrow[54 + row * kNarrowRow + 1755] = 0xAB;

    BitmapPicture corner = loadWhole(narrow, 585, 380);
    ASSERT_EQ(converter.copyCellNarrow(sourcePicture, corner, 20, 30, 584, 0, 1, 1), 1);
    const Bytes out = storedInto(narrow, corner);
    const std::size_t size = out.size();
    EXPECT_EQ((std::vector<std::size_t>{size - 4, size - 3, size - 2}), changedBytes(narrow, out));
    EXPECT_EQ(out[size - 4], pixelAt(source, 20, 30).b0);
    EXPECT_EQ(out[size - 1], 0xAB);

    // A rectangle as wide as the picture fills a whole row but its padding byte.
    BitmapPicture row = loadWhole(narrow, 585, 380);
    ASSERT_EQ(converter.copyCellNarrow(sourcePicture, row, 0, 0, 0, 1, 585, 1), 1);
    const std::vector<std::size_t> changed = changedBytes(narrow, storedInto(narrow, row));
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), size - 2 * kNarrowRow);
    EXPECT_LT(changed.back(), size - kNarrowRow - 1);
    EXPECT_EQ(converter.copyCellNarrow(sourcePicture, row, 0, 0, 0, 1, 586, 1), 0)
        << "one pixel more would reach the padding byte";
}

TEST_F(PictureAddressing, RowsAreFoundFromTheHeaderNotTheEndOfTheFile) {
    BitmapSampleOptions options;
    options.trailingBytes = 100;  // a colour profile after the rows, say
    const Bytes trailing = makeBitmap(options);
    BitmapPicture picture = loadWhole(trailing, 640, 480);
    ASSERT_EQ(converter.copyCell(sourcePicture, picture, 5, 7, 0, 0, 1, 1), 1);
    const std::size_t at = 54 + 479 * kWideRow;
    EXPECT_EQ((std::vector<std::size_t>{at, at + 1, at + 2}),
              changedBytes(trailing, storedInto(trailing, picture)));
}

TEST_F(PictureAddressing, TopDownPictureIsAddressedInItsOwnRowOrder) {
    const Bytes topDown = makeCodedBitmap(640, -480, kTemplateTag);
    BitmapPicture picture = loadWhole(topDown, 640, 480);
    ASSERT_EQ(converter.copyCell(sourcePicture, picture, 5, 7, 0, 0, 1, 1), 1);
    EXPECT_EQ((std::vector<std::size_t>{54, 55, 56}),
              changedBytes(topDown, storedInto(topDown, picture)));

    // Read from a top-down source: the same pixels as from the bottom-up one.
    const Bytes topDownSource = makeCodedBitmap(640, -480, kSourceTag);
    const BitmapPicture readTopDown = loadWhole(topDownSource, 640, 480);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    BitmapPicture fromBottomUp = loadWhole(target, 640, 480);
    BitmapPicture fromTopDown = loadWhole(target, 640, 480);
    converter.copyCell(sourcePicture, fromBottomUp, 100, 200, 10, 20, 64, 48);
    converter.copyCell(readTopDown, fromTopDown, 100, 200, 10, 20, 64, 48);
    EXPECT_EQ(storedInto(target, fromBottomUp), storedInto(target, fromTopDown));
}

TEST(PictureHeader, RefusesWhatIsNotAnUncompressed24BitPictureOfTheNeededSize) {
    const PictureExtent needs{640, {1, 584, 1, 342}};  // at least 343 rows
    BitmapSampleOptions fitting;
    fitting.height = 343;
    const Bytes good = makeBitmap(fitting);
    EXPECT_EQ(problemOf(good, needs), "");

    EXPECT_EQ(problemOf(Bytes(), needs), "is not a bitmap");
    EXPECT_EQ(problemOf(asBytes("Units\r\nnot a picture at all, but long enough for a header.."), needs),
              "is not a bitmap");
    Bytes coreHeader = good;
    put32(coreHeader, 14, 12);
    EXPECT_EQ(problemOf(coreHeader, needs), "has a bitmap header of an unsupported kind");

    BitmapSampleOptions options = fitting;
    options.bitsPerPixel = 8;
    EXPECT_EQ(problemOf(makeBitmap(options), needs), "is a picture of 8 bits per pixel (24 needed)");
    options = fitting;
    options.compression = 1;
    EXPECT_EQ(problemOf(makeBitmap(options), needs), "is a compressed picture (uncompressed needed)");
    options = fitting;
    options.width = 600;
    EXPECT_EQ(problemOf(makeBitmap(options), needs), "is 600 pixels wide (640 needed)");
    options = fitting;
    options.height = 342;
    EXPECT_EQ(problemOf(makeBitmap(options), needs), "is too small (342 rows, at least 343 needed)");
    options.height = -342;
    EXPECT_EQ(problemOf(makeBitmap(options), needs), "is too small (342 rows, at least 343 needed)");

    Bytes cutShort = good;
    cutShort.pop_back();
    EXPECT_EQ(problemOf(cutShort, needs), "is cut short (its pixel rows run past the end of the file)");
    Bytes hugeHeight = good;
    put32(hugeHeight, 22, 0x80000000u);  // -2^31 rows
    EXPECT_EQ(problemOf(hugeHeight, needs), "is cut short (its pixel rows run past the end of the file)");
    Bytes offsetInHeader = good;
    put32(offsetInHeader, 10, 20);
    EXPECT_EQ(problemOf(offsetInHeader, needs), "has its pixel data offset inside its header");
}

TEST(PictureHeader, HoldsOnlyTheRowsTheExtentNamesAndNothingAfterARefusal) {
    const Bytes bitmap = makeBitmap(BitmapSampleOptions());
    const BitmapPicture band = loadPicture(bitmap, {640, {0, 639, 10, 20}});
    EXPECT_TRUE(band.holds(0, 10, 640, 11));
    EXPECT_FALSE(band.holds(0, 9, 1, 1));
    EXPECT_FALSE(band.holds(0, 20, 1, 2));
    EXPECT_FALSE(band.holds(600, 10, 41, 1));
    EXPECT_FALSE(band.holds(-1, 10, 1, 1));

    std::string problem;
    const BitmapPicture refused = loadPicture(bitmap, {585, {0, 584, 10, 20}}, &problem);
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(refused.holds(0, 10, 1, 1));
}
