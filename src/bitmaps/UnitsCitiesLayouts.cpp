// Units.bmp and Cities.bmp: fixed lists of cell groups. Cities.bmp is the only picture whose
// layout depends on the scenario's edition.
#include "bitmaps/CellGroups.h"
#include "bitmaps/LayoutExtents.h"
#include "driver/ScenarioConverter.h"

namespace {

using Layout = EditionLayout;

// Units: the 48-row pictures of a 65 × 49 grid land 10 rows below the top of the 64 × 64
// cells of a 65 × 65 grid; each destination cell is magenta first, so its top 10 and bottom
// 6 rows stay magenta. The grid lines keep the template's pixels.
constexpr std::array<CellGroup, 1> kUnitsGroups{{
    //   group  rows cols  cell     source (x, y), pitch    destination (x, y), pitch    fill
    cells("U1", 7, 9, 64, 48).from(1, 1, 65, 49).to(1, 11, 65, 65).fillAt(1, 1, 64, 64),
}};

// Cities: every cell stays in place and loses its gray pixels after the paste. C3 and C4
// differ by edition: Classic and Conflicts take C4 one column further left in the source;
// FantasticWorlds recolours C3 two rows higher and C4 two rows higher and one column left.
constexpr std::array<CellGroup, 8> kCitiesGroups{{
    //   group  rows cols  cell     origin (x, y), pitch          recolour origin
    cells("C1", 6, 4, 64, 48).at(1, 39, 65, 49).recolourCell(),
    cells("C2", 6, 4, 64, 48).at(334, 39, 65, 49).recolourCell(),
    cells("C3", 1, 4, 64, 48).at(1, 349, 65, 0).recolourAt(1, 349).only(Layout::ClassicOrConflicts),
    cells("C3", 1, 4, 64, 48).at(1, 349, 65, 0).recolourAt(1, 347).only(Layout::FantasticWorlds),
    cells("C4", 1, 4, 64, 48)
        .from(333, 349, 65, 0)
        .to(334, 349, 65, 0)
        .recolourAt(334, 349)
        .only(Layout::ClassicOrConflicts),
    cells("C4", 1, 4, 64, 48).at(334, 349, 65, 0).recolourAt(333, 347).only(Layout::FantasticWorlds),
    cells("C5", 1, 4, 64, 48).at(143, 423, 65, 0).recolourCell(),
    cells("C6", 2, 8, 14, 22).at(1, 425, 15, 23).recolourCell(),
}};

static_assert(groupsAreWellFormed(kUnitsGroups) && groupsAreWellFormed(kCitiesGroups));
static_assert(fitsWidth(kUnitsSourceExtent) && fitsWidth(kUnitsDestinationExtent) && fitsWidth(kCitiesExtent));
static_assert(sourceBounds(kUnitsGroups) == kUnitsSourceExtent.touched);
static_assert(destinationBounds(kUnitsGroups) == kUnitsDestinationExtent.touched);
static_assert(sourceBounds(kCitiesGroups) == kCitiesExtent.touched);
static_assert(destinationBounds(kCitiesGroups) == kCitiesExtent.touched);

}  // namespace

int ScenarioConverter::convertUnits(const SourcePicture& source, TemplatePicture& destination) {
    return pasteCellGroups(*this, kUnitsGroups, source, destination);
}

int ScenarioConverter::convertCities(const SourcePicture& source, TemplatePicture& destination) {
    return pasteCellGroups(*this, kCitiesGroups, source, destination, layoutOf(edition));
}
