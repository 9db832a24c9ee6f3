#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"

namespace {

class TerrainLayout : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);

    Bytes terrain1() { return runLayout(converter, source, target, &ScenarioConverter::convertTerrain1); }
    Bytes terrain2() { return runLayout(converter, source, target, &ScenarioConverter::convertTerrain2); }
};

}  // namespace

TEST_F(TerrainLayout, Terrain1RepeatsTheFirstOrSecondSourceCellByRow) {
    const Bytes out = terrain1();
    EXPECT_TRUE(sameCell(out, 66, 1, source, 66, 1, 64, 32));
    EXPECT_TRUE(sameCell(out, 131, 1, source, 66, 1, 64, 32));
    EXPECT_TRUE(sameCell(out, 66, 34, source, 1, 34, 64, 32));
    // The last column of the third cell (194) is T2's: source column 129.
    EXPECT_TRUE(sameCell(out, 131, 34, source, 1, 34, 63, 32));
    const bool repeatsFirst[11] = {false, true, false, false, false, false,
                                   true,  true, true,  false, true};
    for (int r = 0; r < 11; ++r) {
        const int y = 1 + 33 * r, repeated = repeatsFirst[r] ? 1 : 66;
        EXPECT_TRUE(sameCell(out, 1, y, source, 1, y, 64, 32)) << r;
        EXPECT_TRUE(sameCell(out, 66, y, source, repeated, y, 64, 32)) << r;
        EXPECT_TRUE(sameCell(out, 131, y, source, repeated, y, 63, 32)) << r;
        EXPECT_EQ(pixelAt(out, 65, y), pixelAt(target, 65, y)) << "grid column between cells";
        EXPECT_EQ(pixelAt(out, 130, y + 31), pixelAt(target, 130, y + 31));
    }
}

TEST_F(TerrainLayout, Terrain1MovesTheStripsOfT2SixtyFiveColumnsRight) {
    const Bytes out = terrain1();
    EXPECT_EQ(pixelAt(out, 196, 1), pixelAt(source, 131, 1));
    EXPECT_EQ(pixelAt(out, 324, 32), pixelAt(source, 259, 32));
    EXPECT_EQ(pixelAt(out, 194, 34), pixelAt(source, 129, 34));
    for (int r = 0; r < 11; ++r) {
        EXPECT_TRUE(sameCell(out, 194, 1 + 33 * r, source, 129, 1 + 33 * r, 131, 32)) << r;
    }
    EXPECT_EQ(pixelAt(out, 325, 1), pixelAt(target, 325, 1));
    EXPECT_EQ(pixelAt(out, 200, 33), pixelAt(target, 200, 33)) << "grid row between cells";
}

TEST_F(TerrainLayout, Terrain1KeepsTheOtherCellsInPlace) {
    setPixel(source, 10, 370, kGray);
    const Bytes out = terrain1();
    EXPECT_EQ(pixelAt(out, 10, 370), kGray);
    const int samePlace[][2] = {{1, 364},   {521, 397}, {380, 1},   {575, 67},  {456, 100},
                                {456, 331}, {391, 199}, {391, 331}, {1, 447},   {261, 447},
                                {376, 434}, {441, 434}, {510, 447}, {575, 447}, {561, 262},
                                {561, 328}, {570, 168}};
    for (const auto& at : samePlace) {
        EXPECT_TRUE(sameCell(out, at[0], at[1], source, at[0], at[1], 64, 32)) << at[0] << "," << at[1];
    }
    EXPECT_EQ(pixelAt(out, 0, 0), pixelAt(target, 0, 0));
    EXPECT_EQ(pixelAt(out, 639, 479), pixelAt(target, 639, 479));
    EXPECT_EQ(pixelAt(out, 600, 400), pixelAt(target, 600, 400));
    EXPECT_EQ(pixelAt(out, 300, 430), pixelAt(target, 300, 430));
}

TEST_F(TerrainLayout, Terrain2TakesEverySecondSmallCellButAllOfTwoRows) {
    setPixel(source, 5, 5, kGray);
    const Bytes out = terrain2();
    EXPECT_EQ(pixelAt(out, 5, 5), kGray);
    EXPECT_TRUE(sameCell(out, 34, 378, target, 34, 378, 32, 16)) << "not taken at y = 378";
    EXPECT_TRUE(sameCell(out, 67, 378, source, 67, 378, 32, 16));
    for (int y : {412, 463}) {
        for (int c = 0; c < 16; ++c) {
            EXPECT_TRUE(sameCell(out, 1 + 33 * c, y, source, 1 + 33 * c, y, 32, 16)) << c << "," << y;
        }
    }
    for (int y : {378, 395, 429, 446}) {
        for (int c = 0; c < 8; ++c) {
            EXPECT_TRUE(sameCell(out, 1 + 66 * c, y, source, 1 + 66 * c, y, 32, 16));
            EXPECT_TRUE(sameCell(out, 34 + 66 * c, y, target, 34 + 66 * c, y, 32, 16));
        }
    }
    EXPECT_TRUE(sameCell(out, 1, 1, source, 1, 1, 64, 32));
    EXPECT_TRUE(sameCell(out, 456, 298, source, 456, 298, 64, 32));
    EXPECT_TRUE(sameCell(out, 196, 331, source, 196, 331, 64, 32));
    EXPECT_TRUE(sameCell(out, 261, 331, target, 261, 331, 64, 32)) << "V2 has four cells only";
    EXPECT_EQ(pixelAt(out, 528, 412), pixelAt(target, 528, 412));
}
