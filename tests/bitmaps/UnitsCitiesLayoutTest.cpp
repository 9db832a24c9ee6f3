#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"
#include "driver/ScenarioConverter.h"

namespace {

Bytes convertCitiesFor(ScenarioEdition edition, const Bytes& source, const Bytes& target) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    converter.edition = edition;
    return runLayout(converter, source, target, &ScenarioConverter::convertCities);
}

class UnitsLayout : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
};

}  // namespace

TEST_F(UnitsLayout, CellsMoveFromThe65By49GridIntoMagentaCellsOfThe65By65Grid) {
    const Bytes out = runLayout(converter, source, target, &ScenarioConverter::convertUnits);
    EXPECT_EQ(pixelAt(out, 1, 11), pixelAt(source, 1, 1));
    EXPECT_EQ(pixelAt(out, 584, 448), pixelAt(source, 584, 342));
    for (int x = 1; x <= 64; ++x) {
        for (int y = 1; y <= 10; ++y) ASSERT_EQ(pixelAt(out, x, y), kMagentaPixel) << x << "," << y;
        for (int y = 59; y <= 64; ++y) ASSERT_EQ(pixelAt(out, x, y), kMagentaPixel) << x << "," << y;
    }
    // Every pixel: a 64 × 64 destination cell at (1 + 65c, 1 + 65r) for 7 rows of 9 holds
    // the 48-row source cell (1 + 65c, 1 + 49r) from its 11th row on, magenta above and
    // below; everything else, grid lines included, is the template's.
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const int c = x / 65, r = y / 65, cellX = x % 65 - 1, cellY = y % 65 - 1;
            PixelBytes expected = pixelAt(target, x, y);
            if (c < 9 && r < 7 && cellX >= 0 && cellY >= 0) {
                expected = cellY >= 10 && cellY < 58 ? pixelAt(source, x, 1 + 49 * r + cellY - 10)
                                                     : kMagentaPixel;
            }
            ASSERT_EQ(pixelAt(out, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(UnitsLayout, GrayOfTheScenarioPictureStaysGray) {
    setPixel(source, 70, 60, kGray);  // cell (r 1, c 1)
    const Bytes out = runLayout(converter, source, target, &ScenarioConverter::convertUnits);
    EXPECT_EQ(pixelAt(out, 70, 60 - 50 + 76), kGray);
}

TEST(CitiesLayout, GrayInPastedCellsTurnsMagentaAndTemplateGrayOutsideStays) {
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const int grayInCells[][2] = {{10, 50}, {64, 331}, {340, 88}, {592, 300}, {150, 430},
                                  {336, 470}, {3, 430}, {119, 469}};  // C1, C2, C5, C6
    for (const auto& at : grayInCells) setPixel(source, at[0], at[1], kGray);
    const int grayOutside[][2] = {{0, 0}, {65, 100}, {200, 38}, {639, 479}, {300, 200}};
    for (const auto& at : grayOutside) setPixel(target, at[0], at[1], kGray);

    for (ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        const Bytes out = convertCitiesFor(edition, source, target);
        for (const auto& at : grayInCells) EXPECT_EQ(pixelAt(out, at[0], at[1]), kMagentaPixel);
        for (const auto& at : grayOutside) EXPECT_EQ(pixelAt(out, at[0], at[1]), kGray);
        // Cells stay where they are.
        EXPECT_TRUE(sameCell(out, 1, 39, source, 1, 39, 1, 1));
        EXPECT_TRUE(sameCell(out, 400, 300, source, 400, 300, 50, 30));
        EXPECT_TRUE(sameCell(out, 152, 432, source, 152, 432, 54, 38));
    }
}

TEST(CitiesLayout, ClassicAndConflictsTakeC4OneColumnFurtherLeft) {
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const Bytes classic = convertCitiesFor(Classic, source, target);
    EXPECT_EQ(classic, convertCitiesFor(Conflicts, source, target));
    EXPECT_EQ(pixelAt(classic, 334, 349), pixelAt(source, 333, 349));
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(sameCell(classic, 334 + 65 * c, 349, source, 333 + 65 * c, 349, 64, 48)) << c;
    }
    const Bytes fantastic = convertCitiesFor(FantasticWorlds, source, target);
    EXPECT_TRUE(sameCell(fantastic, 334, 349, source, 334, 349, 64, 48));
}

TEST(CitiesLayout, FantasticWorldsRecoloursC3AndC4TwoRowsHigherAndC4OneColumnLeft) {
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    for (int c = 0; c < 4; ++c) {
        const int c3 = 1 + 65 * c, c4 = 334 + 65 * c;
        setPixel(source, c3 + 5, 395, kGray);   // bottom two rows of the pasted C3 picture
        setPixel(source, c3 + 6, 396, kGray);
        setPixel(source, c3 + 7, 394, kGray);   // the row above them: recoloured
        setPixel(target, c3 + 5, 347, kGray);   // the template's rows above the cell
        setPixel(target, c3 + 6, 348, kGray);
        setPixel(source, c4 + 63, 360, kGray);  // the pasted C4 picture's last column (397 + 65c)
        setPixel(source, c4 + 62, 361, kGray);  // the column before it: recoloured
        setPixel(target, c4 - 1, 360, kGray);   // the template's column 333 + 65c
        setPixel(target, c4 + 5, 347, kGray);
    }
    const Bytes fantastic = convertCitiesFor(FantasticWorlds, source, target);
    const Bytes classic = convertCitiesFor(Classic, source, target);
    for (int c = 0; c < 4; ++c) {
        const int c3 = 1 + 65 * c, c4 = 334 + 65 * c;
        EXPECT_EQ(pixelAt(fantastic, c3 + 5, 395), kGray) << c;
        EXPECT_EQ(pixelAt(fantastic, c3 + 6, 396), kGray) << c;
        EXPECT_EQ(pixelAt(fantastic, c3 + 7, 394), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(fantastic, c3 + 5, 347), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(fantastic, c3 + 6, 348), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(fantastic, c4 + 63, 360), kGray) << c;
        EXPECT_EQ(pixelAt(fantastic, c4 + 62, 361), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(fantastic, c4 - 1, 360), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(fantastic, c4 + 5, 347), kMagentaPixel) << c;

        EXPECT_EQ(pixelAt(classic, c3 + 5, 395), kMagentaPixel) << c;
        EXPECT_EQ(pixelAt(classic, c3 + 5, 347), kGray) << c;
        EXPECT_EQ(pixelAt(classic, c4 - 1, 360), kGray) << c;
    }
}
