#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "BitmapTestSupport.h"

namespace {

constexpr std::size_t kNarrowRow = 1756;

// Improvements.bmp slot s lies at (19 + 73m, 12 + 41q), with q = s / 8 and m = s % 8.
int slotX(int slot) { return 19 + 73 * (slot % 8); }
int slotY(int slot) { return 12 + 41 * (slot / 8); }

class IconsLayout : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes iconsTemplate = makeCodedBitmap(640, 480, kTemplateTag);
    Bytes improvementsTemplate = makeCodedBitmap(585, 380, 3);
    Bytes icons, improvements;

    void SetUp() override {
        for (std::size_t row = 0; row < 380; ++row) improvementsTemplate[54 + row * kNarrowRow + 1755] = 0xCD;
    }
    void convert() {
        const BitmapPicture sourcePicture = loadWhole(source, 640, 480);
        BitmapPicture iconsPicture = loadWhole(iconsTemplate, 640, 480);
        BitmapPicture improvementsPicture = loadWhole(improvementsTemplate, 585, 380);
        ASSERT_EQ(converter.convertIcons(sourcePicture, iconsPicture, improvementsPicture), 1);
        icons = storedInto(iconsTemplate, iconsPicture);
        improvements = storedInto(improvementsTemplate, improvementsPicture);
    }
};

}  // namespace

TEST(PeopleLayout, EveryCellMovesOneColumnRightAndOneRowUp) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    setPixel(source, 30, 37, kGray);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const Bytes out = runLayout(converter, source, target, &ScenarioConverter::convertPeople);
    EXPECT_EQ(pixelAt(out, 3, 5), pixelAt(source, 2, 6));
    EXPECT_EQ(pixelAt(out, 2, 5), pixelAt(target, 2, 5));
    EXPECT_EQ(pixelAt(out, 31, 36), kGray);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 11; ++c) {
            EXPECT_TRUE(sameCell(out, 3 + 28 * c, 5 + 31 * r, source, 2 + 28 * c, 6 + 31 * r, 27, 30));
        }
    }
    for (int c = 0; c < 11; ++c) EXPECT_TRUE(sameCell(out, 3 + 16 * c, 136, source, 2 + 16 * c, 137, 15, 26));
    EXPECT_EQ(pixelAt(out, 30, 5), pixelAt(target, 30, 5)) << "between two cells";
    EXPECT_EQ(pixelAt(out, 3, 162), pixelAt(target, 3, 162));
    EXPECT_EQ(pixelAt(out, 310, 5), pixelAt(target, 310, 5));
}

TEST_F(IconsLayout, IconsCellsLandWhereTheirGroupsPutThem) {
    setPixel(source, 350, 110, kGray);
    convert();
    EXPECT_TRUE(sameCell(icons, 344, 23, source, 602, 1, 34, 18));
    EXPECT_TRUE(sameCell(icons, 344, 65, source, 602, 43, 34, 18));
    EXPECT_TRUE(sameCell(icons, 344, 86, source, 602, 64, 34, 18));
    EXPECT_TRUE(sameCell(icons, 381, 2, source, 345, 2, 34, 18));
    EXPECT_TRUE(sameCell(icons, 603, 2, source, 567, 2, 34, 18));
    EXPECT_TRUE(sameCell(icons, 418, 86, source, 382, 86, 34, 18));
    EXPECT_TRUE(sameCell(icons, 492, 86, source, 419, 85, 34, 18));
    EXPECT_TRUE(sameCell(icons, 603, 86, source, 530, 85, 34, 18));
    EXPECT_TRUE(sameCell(icons, 344, 107, source, 344, 107, 34, 18));
    EXPECT_TRUE(sameCell(icons, 492, 275, source, 492, 275, 34, 18));
    EXPECT_EQ(pixelAt(icons, 350, 110), kGray);
    EXPECT_TRUE(sameCell(icons, 455, 86, iconsTemplate, 455, 86, 34, 18)) << "no group writes it";
    EXPECT_TRUE(sameCell(icons, 344, 2, iconsTemplate, 344, 2, 34, 18));
    EXPECT_EQ(pixelAt(icons, 343, 107), pixelAt(iconsTemplate, 343, 107));
    EXPECT_EQ(pixelAt(icons, 529, 212), pixelAt(iconsTemplate, 529, 212)) << "I2 has five columns";
}

TEST_F(IconsLayout, ImprovementSlotsCollectTheirCellsFromTheScenarioIcons) {
    setPixel(source, 346, 24, kGray);
    convert();
    const struct {
        int slot, x, y, fromX, fromY;
    } slots[] = {{9, 92, 53, 345, 23},    {16, 19, 94, 602, 22},   {17, 92, 94, 345, 44},
                 {40, 19, 217, 344, 107}, {47, 530, 217, 344, 128}, {49, 92, 258, 418, 128},
                 {67, 238, 340, 566, 170}, {8, 19, 53, 602, 1},     {24, 19, 135, 602, 43},
                 {32, 19, 176, 602, 64},  {34, 165, 176, 382, 86}, {36, 311, 176, 419, 86},
                 {39, 530, 176, 530, 86}, {1, 92, 12, 345, 2},     {31, 530, 135, 567, 65}};
    for (const auto& s : slots) {
        ASSERT_EQ(slotX(s.slot), s.x);
        ASSERT_EQ(slotY(s.slot), s.y);
        EXPECT_TRUE(sameCell(improvements, s.x, s.y, source, s.fromX, s.fromY, 34, 18)) << "slot " << s.slot;
    }
    EXPECT_EQ(pixelAt(improvements, 93, 54), kGray);
    EXPECT_TRUE(sameCell(improvements, 19, 12, improvementsTemplate, 19, 12, 34, 18)) << "slot 0";
    EXPECT_TRUE(sameCell(improvements, 238, 176, improvementsTemplate, 238, 176, 34, 18)) << "slot 35";
}

TEST_F(IconsLayout, ImprovementsPixelsOutsideTheWrittenSlotsAndPaddingAreUnchanged) {
    convert();
    std::set<int> written;
    for (int slot = 1; slot <= 67; ++slot) {
        if (slot != 35) written.insert(slot);
    }
    for (int y = 0; y < 380; ++y) {
        for (int x = 0; x < 585; ++x) {
            bool inSlot = false;
            for (int slot : written) {
                inSlot = inSlot || (x >= slotX(slot) && x < slotX(slot) + 34 && y >= slotY(slot) &&
                                    y < slotY(slot) + 18);
            }
            if (!inSlot) {
                ASSERT_EQ(pixelAt(improvements, x, y), pixelAt(improvementsTemplate, x, y)) << x << "," << y;
            }
        }
    }
    for (std::size_t row = 0; row < 380; ++row) ASSERT_EQ(improvements[54 + row * kNarrowRow + 1755], 0xCD);
}
