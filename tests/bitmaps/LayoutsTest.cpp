#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "BitmapTestSupport.h"

namespace {

enum class Expect { Source, Template, Magenta, Gray };

// A w × h rectangle at (x, y) of a converted picture and what it holds: the source's
// rectangle at (fromX, fromY), the template's own pixels, or one colour throughout.
struct Cell {
    int x, y, w, h;
    Expect expect;
    int fromX, fromY;
};
Cell fromSource(int x, int y, int w, int h, int fromX, int fromY) { return {x, y, w, h, Expect::Source, fromX, fromY}; }
Cell inPlace(int x, int y, int w, int h) { return fromSource(x, y, w, h, x, y); }
Cell kept(int x, int y, int w = 1, int h = 1) { return {x, y, w, h, Expect::Template, 0, 0}; }
Cell magenta(int x, int y, int w = 1, int h = 1) { return {x, y, w, h, Expect::Magenta, 0, 0}; }
Cell gray(int x, int y) { return {x, y, 1, 1, Expect::Gray, 0, 0}; }

class Layouts : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    Bytes target = makeCodedBitmap(640, 480, kTemplateTag);

    // Runs a layout as the graphics driver does, on the template held in windows of rows;
    // a top-down template gives the same pixels.
    Bytes run(int (ScenarioConverter::*layout)(const SourcePicture&, TemplatePicture&),
              ScenarioEdition edition = Classic) {
        converter.edition = edition;
        const SourcePicture sourcePicture = loadWholeSource(source, 640, 480);
        std::vector<Bytes> out[2];
        for (int i = 0; i < 2; ++i) {
            out[i] = streamInWindows({i == 0 ? target : topDownCopy(target, 640, 480)}, {wholePicture(640, 480)},
                                     [&](Pictures& pictures) {
                                         EXPECT_EQ((converter.*layout)(sourcePicture, pictures[0]), 1);
                                     });
        }
        EXPECT_EQ(out[1][0], topDownCopy(out[0][0], 640, 480)) << "the top-down template";
        return out[0][0];
    }

    // Names the first pixel of each cell that differs.
    void expectCells(const Bytes& out, const std::vector<Cell>& cells, const Bytes* templatePicture = nullptr) const {
        for (const Cell& c : cells) {
            for (int i = 0; i < c.w * c.h; ++i) {
                const int x = c.x + i % c.w, y = c.y + i / c.w;
                const PixelBytes expected[] = {pixelAt(source, c.fromX + i % c.w, c.fromY + i / c.w),
                                               pixelAt(templatePicture != nullptr ? *templatePicture : target, x, y),
                                               kMagentaPixel, kGray};
                if (!(pixelAt(out, x, y) == expected[static_cast<int>(c.expect)])) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") of the cell at (" << c.x << ", " << c.y << ")";
                    break;
                }
            }
        }
    }
};

}  // namespace

// Every pixel: a 64 × 64 destination cell at (1 + 65c, 1 + 65r) for 7 rows of 9 holds the
// 48-row source cell (1 + 65c, 1 + 49r) from its 11th row on, magenta above and below;
// everything else, grid lines included, is the template's. Gray pixels stay gray.
TEST_F(Layouts, UnitsMoveFromThe65By49GridIntoMagentaCellsOfThe65By65Grid) {
    setPixel(source, 70, 60, kGray);  // cell (r 1, c 1)
    const Bytes out = run(&ScenarioConverter::convertUnits);
    expectCells(out, {gray(70, 86)});
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const int c = x / 65, r = y / 65, cellX = x % 65 - 1, cellY = y % 65 - 1;
            PixelBytes expected = pixelAt(target, x, y);
            if (c < 9 && r < 7 && cellX >= 0 && cellY >= 0) {
                expected = cellY >= 10 && cellY < 58 ? pixelAt(source, x, 1 + 49 * r + cellY - 10) : kMagentaPixel;
            }
            ASSERT_EQ(pixelAt(out, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(Layouts, CitiesStayInPlaceButClassicTakesC4FromOneColumnFurtherLeft) {
    const Bytes classic = run(&ScenarioConverter::convertCities, Classic);
    EXPECT_EQ(classic, run(&ScenarioConverter::convertCities, Conflicts));
    const Bytes fantastic = run(&ScenarioConverter::convertCities, FantasticWorlds);
    for (const Bytes* out : {&classic, &fantastic}) {
        expectCells(*out, {inPlace(1, 39, 1, 1), inPlace(400, 300, 50, 30), inPlace(152, 432, 54, 38),
                           inPlace(1, 349, 64, 48), inPlace(196, 349, 64, 48), inPlace(1, 425, 14, 22)});
    }
    for (int c = 0; c < 4; ++c) {
        expectCells(classic, {fromSource(334 + 65 * c, 349, 64, 48, 333 + 65 * c, 349)});
        expectCells(fantastic, {inPlace(334 + 65 * c, 349, 64, 48)});
    }
}

// FantasticWorlds recolours C3 two rows higher, and C4 two rows higher and one column left.
TEST_F(Layouts, CitiesTurnGrayMagentaInTheRecolourRectangleOfEachEditionFamily) {
    const std::vector<Cell> grayInCells = {magenta(10, 50),  magenta(64, 331),  magenta(340, 88), magenta(592, 300),
                                           magenta(150, 430), magenta(336, 470), magenta(3, 430),  magenta(119, 469)};
    const std::vector<Cell> grayOutside = {gray(0, 0), gray(65, 100), gray(200, 38), gray(639, 479), gray(300, 200)};
    for (const Cell& at : grayInCells) setPixel(source, at.x, at.y, kGray);  // C1, C2, C5, C6
    for (const Cell& at : grayOutside) setPixel(target, at.x, at.y, kGray);
    for (int c = 0; c < 4; ++c) {
        const int c3 = 1 + 65 * c, c4 = 334 + 65 * c;
        // C3's last two rows and the row above them; C4's last column and the one before it.
        for (const auto& [x, y] :
             {std::pair{c3 + 5, 395}, {c3 + 6, 396}, {c3 + 7, 394}, {c4 + 63, 360}, {c4 + 62, 361}}) {
            setPixel(source, x, y, kGray);
        }
        for (const auto& [x, y] : {std::pair{c3 + 5, 347}, {c3 + 6, 348}, {c4 - 1, 360}, {c4 + 5, 347}}) {
            setPixel(target, x, y, kGray);  // the template's rows above the cells, its column 333 + 65c
        }
    }
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        SCOPED_TRACE(edition);
        const Bytes out = run(&ScenarioConverter::convertCities, edition);
        expectCells(out, grayInCells);
        expectCells(out, grayOutside);
        for (int c = 0; c < 4; ++c) {
            const int c3 = 1 + 65 * c, c4 = 334 + 65 * c;
            if (edition == FantasticWorlds) {
                expectCells(out, {gray(c3 + 5, 395), gray(c3 + 6, 396), magenta(c3 + 7, 394), magenta(c3 + 5, 347),
                                  magenta(c3 + 6, 348), gray(c4 + 63, 360), magenta(c4 + 62, 361),
                                  magenta(c4 - 1, 360), magenta(c4 + 5, 347)});
            } else {
                expectCells(out, {magenta(c3 + 5, 395), gray(c3 + 5, 347), gray(c4 - 1, 360)});
            }
        }
    }
}

TEST_F(Layouts, Terrain1RepeatsACellByRowMovesTheT2StripsAndKeepsTheRestInPlace) {
    setPixel(source, 10, 370, kGray);
    const Bytes out = run(&ScenarioConverter::convertTerrain1);
    std::vector<Cell> cells = {gray(10, 370), kept(0, 0), kept(639, 479), kept(600, 400), kept(300, 430),
                               kept(325, 1), kept(200, 33) /* grid row between cells */};
    const bool repeatsFirst[11] = {false, true, false, false, false, false, true, true, true, false, true};
    for (int r = 0; r < 11; ++r) {
        const int y = 1 + 33 * r, repeated = repeatsFirst[r] ? 1 : 66;
        // T1: the third cell's last column (194) is T2's: source column 129.
        cells.insert(cells.end(), {inPlace(1, y, 64, 32), fromSource(66, y, 64, 32, repeated, y),
                                   fromSource(131, y, 63, 32, repeated, y), kept(65, y), kept(130, y + 31),
                                   fromSource(194, y, 131, 32, 129, y)});  // T2's strips, 65 columns right
    }
    const int samePlace[][2] = {{1, 364},   {521, 397}, {380, 1},   {575, 67},  {456, 100}, {456, 331},
                                {391, 199}, {391, 331}, {1, 447},   {261, 447}, {376, 434}, {441, 434},
                                {510, 447}, {575, 447}, {561, 262}, {561, 328}, {570, 168}};
    for (const auto& at : samePlace) cells.push_back(inPlace(at[0], at[1], 64, 32));
    expectCells(out, cells);
}

TEST_F(Layouts, Terrain2TakesEverySecondSmallCellButAllOfTwoRows) {
    setPixel(source, 5, 5, kGray);
    const Bytes out = run(&ScenarioConverter::convertTerrain2);
    std::vector<Cell> cells = {gray(5, 5),          inPlace(1, 1, 64, 32),    inPlace(456, 298, 64, 32),
                               inPlace(196, 331, 64, 32), kept(261, 331, 64, 32) /* V2 has four cells only */,
                               kept(528, 412)};
    for (int c = 0; c < 16; ++c) {
        cells.insert(cells.end(), {inPlace(1 + 33 * c, 412, 32, 16), inPlace(1 + 33 * c, 463, 32, 16)});
        for (int y : {378, 395, 429, 446}) {
            cells.push_back(c % 2 == 0 ? inPlace(1 + 33 * c, y, 32, 16) : kept(1 + 33 * c, y, 32, 16));
        }
    }
    expectCells(out, cells);
}

TEST_F(Layouts, PeopleMoveOneColumnRightAndOneRowUp) {
    setPixel(source, 30, 37, kGray);
    const Bytes out = run(&ScenarioConverter::convertPeople);
    std::vector<Cell> cells = {gray(31, 36), kept(2, 5), kept(30, 5) /* between two cells */, kept(3, 162),
                               kept(310, 5)};
    for (int c = 0; c < 11; ++c) {
        for (int r = 0; r < 4; ++r) cells.push_back(fromSource(3 + 28 * c, 5 + 31 * r, 27, 30, 2 + 28 * c, 6 + 31 * r));
        cells.push_back(fromSource(3 + 16 * c, 136, 15, 26, 2 + 16 * c, 137));
    }
    expectCells(out, cells);
}

// Icons.bmp and the 34 × 18 slots of Improvements.bmp, slot s at (19 + 73(s % 8), 12 + 41(s / 8)).
TEST_F(Layouts, IconsAndImprovementsSlotsTakeTheirCellsFromTheScenarioIcons) {
    Bytes improvementsTemplate = makeCodedBitmap(585, 380, 3);
    const std::size_t narrowRow = 1756;  // 585 × 3 and a padding byte
    for (std::size_t row = 0; row < 380; ++row) improvementsTemplate[54 + row * narrowRow + 1755] = 0xCD;
    setPixel(source, 350, 110, kGray);
    setPixel(source, 346, 24, kGray);
    const SourcePicture sourcePicture = loadWholeSource(source, 640, 480);
    std::vector<Bytes> out[2];
    for (int i = 0; i < 2; ++i) {  // bottom-up, then top-down templates
        out[i] = streamInWindows(i == 0 ? std::vector<Bytes>{target, improvementsTemplate}
                                        : std::vector<Bytes>{topDownCopy(target, 640, 480),
                                                             topDownCopy(improvementsTemplate, 585, 380)},
                                 {wholePicture(640, 480), wholePicture(585, 380)}, [&](Pictures& pictures) {
                                     EXPECT_EQ(converter.convertIcons(sourcePicture, pictures[0], pictures[1]), 1);
                                 });
    }
    EXPECT_EQ(out[1][0], topDownCopy(out[0][0], 640, 480));
    EXPECT_EQ(out[1][1], topDownCopy(out[0][1], 585, 380));
    const Bytes& icons = out[0][0];
    const Bytes& improvements = out[0][1];

    expectCells(icons, {fromSource(344, 23, 34, 18, 602, 1),    fromSource(344, 65, 34, 18, 602, 43),
                        fromSource(344, 86, 34, 18, 602, 64),   fromSource(381, 2, 34, 18, 345, 2),
                        fromSource(603, 2, 34, 18, 567, 2),     fromSource(418, 86, 34, 18, 382, 86),
                        fromSource(492, 86, 34, 18, 419, 85),   fromSource(603, 86, 34, 18, 530, 85),
                        inPlace(344, 107, 34, 18),              inPlace(492, 275, 34, 18),
                        gray(350, 110),                          kept(455, 86, 34, 18) /* no group writes it */,
                        kept(344, 2, 34, 18),                    kept(343, 107),
                        kept(529, 212) /* I2 has five columns */});
    const int slots[][5] = {  // slot, x, y, and the source of its picture
        {9, 92, 53, 345, 23},     {16, 19, 94, 602, 22},    {17, 92, 94, 345, 44},  {40, 19, 217, 344, 107},
        {47, 530, 217, 344, 128}, {49, 92, 258, 418, 128},  {67, 238, 340, 566, 170}, {8, 19, 53, 602, 1},
        {24, 19, 135, 602, 43},   {32, 19, 176, 602, 64},   {34, 165, 176, 382, 86}, {36, 311, 176, 419, 86},
        {39, 530, 176, 530, 86},  {1, 92, 12, 345, 2},      {31, 530, 135, 567, 65}};
    std::vector<Cell> cells = {gray(93, 54), kept(19, 12, 34, 18) /* slot 0 */, kept(238, 176, 34, 18) /* slot 35 */};
    for (const auto& s : slots) {
        ASSERT_EQ(s[1], 19 + 73 * (s[0] % 8));
        ASSERT_EQ(s[2], 12 + 41 * (s[0] / 8));
        cells.push_back(fromSource(s[1], s[2], 34, 18, s[3], s[4]));
    }
    expectCells(improvements, cells, &improvementsTemplate);
    // Outside slots 1-34 and 36-67 every pixel, and every row's padding byte, is the template's.
    for (int y = 0; y < 380; ++y) {
        for (int x = 0; x < 585; ++x) {
            const int column = (x - 19) / 73, row = (y - 12) / 41, slot = 8 * row + column;
            const bool inSlot = x >= 19 && y >= 12 && (x - 19) % 73 < 34 && (y - 12) % 41 < 18 && slot >= 1 &&
                                slot <= 67 && slot != 35;
            if (!inSlot) {
                ASSERT_EQ(pixelAt(improvements, x, y), pixelAt(improvementsTemplate, x, y)) << x << "," << y;
            }
        }
        ASSERT_EQ(improvements[54 + y * narrowRow + 1755], 0xCD);
    }
}
