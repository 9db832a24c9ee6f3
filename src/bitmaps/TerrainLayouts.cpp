// Terrain1.bmp and Terrain2.bmp: fixed lists of cell groups, the same for every edition;
// no gray pixel is recoloured.
#include "bitmaps/CellGroups.h"
#include "bitmaps/LayoutExtents.h"
#include "driver/ScenarioConverter.h"

namespace {

// Terrain1: only the eleven rows of cells at the left edge move (T1, T2); the others stay.
constexpr std::array<CellGroup, 11> kTerrain1Groups{{
    //   group  rows cols  cell     source (x, y), pitch     destination (x, y), pitch
    // T1: three destination cells per row; the source of the second and third is the
    // source's first or second cell, by row (terrain1SourceColumn).
    cells("T1", 11, 3, 64, 32).at(1, 1, 65, 33).sourceBy(SourceRule::Terrain1Rows),
    // T2: strips 66 wide, two columns left of the 64-wide cell filled before them, so the
    // source's columns 129-259 move 65 right onto 194-324 (column 259 written twice alike).
    cells("T2", 11, 2, 66, 32).from(129, 1, 65, 33).to(194, 1, 65, 33).fillAt(196, 1, 64, 32),
    cells("T3", 2, 9, 64, 32).at(1, 364, 65, 33),
    cells("T4", 3, 4, 64, 32).at(380, 1, 65, 33),
    cells("T5", 8, 1, 64, 32).at(456, 100, 0, 33),
    cells("T6", 5, 1, 64, 32).at(391, 199, 0, 33),
    cells("T7", 1, 5, 64, 32).at(1, 447, 65, 0),
    cells("T8", 1, 2, 64, 32).at(376, 434, 65, 0),
    cells("T9", 1, 2, 64, 32).at(510, 447, 65, 0),
    cells("T10", 3, 1, 64, 32).at(561, 262, 0, 33),
    cells("T11", 1, 1, 64, 32).at(570, 168, 0, 0),
}};

// Terrain2: every cell stays. V3 takes every second cell of a 33-pixel grid; its rows at
// y = 412 and y = 463 are then taken whole by V4 and V5.
constexpr std::array<CellGroup, 5> kTerrain2Groups{{
    //   group  rows cols  cell     origin (x, y), pitch
    cells("V1", 10, 8, 64, 32).at(1, 1, 65, 33),
    cells("V2", 1, 4, 64, 32).at(1, 331, 65, 0),
    cells("V3", 6, 8, 32, 16).at(1, 378, 66, 17),
    cells("V4", 1, 16, 32, 16).at(1, 412, 33, 0),
    cells("V5", 1, 16, 32, 16).at(1, 463, 33, 0),
}};

static_assert(groupsAreWellFormed(kTerrain1Groups) && groupsAreWellFormed(kTerrain2Groups));
static_assert(fitsWidth(kTerrain1Extent) && fitsWidth(kTerrain2Extent));
static_assert(sourceBounds(kTerrain1Groups) == kTerrain1Extent.touched);
static_assert(destinationBounds(kTerrain1Groups) == kTerrain1Extent.touched);
static_assert(sourceBounds(kTerrain2Groups) == kTerrain2Extent.touched);
static_assert(destinationBounds(kTerrain2Groups) == kTerrain2Extent.touched);

}  // namespace

int ScenarioConverter::convertTerrain1(const SourcePicture& source, TemplatePicture& destination) {
    return pasteCellGroups(*this, kTerrain1Groups, source, destination);
}

int ScenarioConverter::convertTerrain2(const SourcePicture& source, TemplatePicture& destination) {
    return pasteCellGroups(*this, kTerrain2Groups, source, destination);
}
