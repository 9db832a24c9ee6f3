// People.bmp, and Icons.bmp with Improvements.bmp: fixed lists of cell groups, the same for
// every edition; no gray pixel is recoloured.
#include "bitmaps/CellGroups.h"
#include "bitmaps/CellPrimitives.h"
#include "bitmaps/LayoutExtents.h"
#include "driver/ScenarioConverter.h"

namespace {

// People: every cell moves one column right and one row up.
constexpr std::array<CellGroup, 2> kPeopleGroups{{
    //   group  rows cols  cell     source (x, y), pitch     destination (x, y), pitch
    cells("P1", 4, 11, 27, 30).from(2, 6, 28, 31).to(3, 5, 28, 31),
    cells("P2", 1, 11, 15, 26).from(2, 137, 16, 0).to(3, 136, 16, 0),
}};

static_assert(groupsAreWellFormed(kPeopleGroups));
static_assert(fitsWidth(kPeopleSourceExtent) && fitsWidth(kPeopleDestinationExtent));
static_assert(sourceBounds(kPeopleGroups) == kPeopleSourceExtent.touched);
static_assert(destinationBounds(kPeopleGroups) == kPeopleDestinationExtent.touched);

// --- Icons -------------------------------------------------------------------------------

// Every icon is 34 × 18, on a grid of pitch 37 × 21 in both Icons.bmp pictures.
constexpr std::int32_t kIconWidth = 34;
constexpr std::int32_t kIconHeight = 18;
constexpr PixelPoint kIconPitch{37, 21};

// Improvements.bmp holds its pictures in slots of a grid 8 columns wide, pitch 73 × 41.
constexpr std::int32_t kNoSlot = -1;
constexpr std::int32_t kSlotColumns = 8;
constexpr std::int32_t kSlotCount = 72;  // nine grid rows: slots 0-71
constexpr PixelPoint slotOrigin(std::int32_t slot) {
    return {19 + 73 * (slot % kSlotColumns), 12 + 41 * (slot / kSlotColumns)};
}

// Rows × columns of icons. Each is pasted into Icons.bmp (the rectangle filled with magenta
// first) and, when the group has slots, into the Improvements.bmp slot
// firstSlot + r × slotRowPitch + c.
struct IconGroup {
    const char* name;
    std::int32_t rows;
    std::int32_t columns;
    PixelPoint source{0, 0};  // icon (0, 0); with a lead column, icon (0, 1)
    PixelPoint icons{0, 0};   // Icons.bmp destination of icon (0, 0)
    bool hasLeadColumn = false;
    PixelPoint lead{0, 0};  // source of the lead icon of row 0
    std::int32_t firstSlot = kNoSlot;
    std::int32_t slotRowPitch = 0;
    std::int32_t improvementsRowShift = 0;  // Improvements.bmp reads this many rows lower
    bool improvementsBeforeIcons = false;

    constexpr IconGroup from(std::int32_t x, std::int32_t y) const {
        IconGroup group = *this;
        group.source = {x, y};
        return group;
    }
    constexpr IconGroup to(std::int32_t x, std::int32_t y) const {
        IconGroup group = *this;
        group.icons = {x, y};
        return group;
    }
    // Column 0 of every row is a lead icon read from elsewhere; the others follow `from`.
    constexpr IconGroup leadFrom(std::int32_t x, std::int32_t y) const {
        IconGroup group = *this;
        group.hasLeadColumn = true;
        group.lead = {x, y};
        return group;
    }
    constexpr IconGroup slots(std::int32_t first, std::int32_t rowPitch) const {
        IconGroup group = *this;
        group.firstSlot = first;
        group.slotRowPitch = rowPitch;
        return group;
    }
    constexpr IconGroup improvementsFromRowBelow() const {
        IconGroup group = *this;
        group.improvementsRowShift = 1;
        return group;
    }
    constexpr IconGroup improvementsFirst() const {
        IconGroup group = *this;
        group.improvementsBeforeIcons = true;
        return group;
    }
};

constexpr IconGroup icons(const char* name, std::int32_t rows, std::int32_t columns) {
    return IconGroup{name, rows, columns};
}

constexpr std::array<IconGroup, 6> kIconGroups{{
    //   group rows cols  source (x, y)   Icons.bmp (x, y)  slots: first, per row
    icons("I1", 4, 7).from(344, 107).to(344, 107).slots(40, 7),
    icons("I2", 4, 5).from(344, 212).to(344, 212),
    icons("I3", 1, 7).from(345, 2).to(381, 2).slots(1, 0).improvementsFirst(),
    // I4: a lead icon, then seven row icons, per row. The row icons take slots
    // 8(r + 1) + 1 to 8(r + 1) + 7: they pass over 16 and 24, the slots of the lead icons.
    icons("I4", 3, 8).leadFrom(602, 1).from(345, 23).to(344, 23).slots(8, 8),
    icons("I5", 1, 3).leadFrom(602, 64).from(345, 86).to(344, 86).slots(32, 0),
    // I6: Icons.bmp reads the source one row higher (y = 85) than Improvements.bmp (y = 86);
    // its slots start at 36, so that slot 35 keeps the template's picture.
    icons("I6", 1, 4).from(419, 85).to(492, 86).slots(36, 0).improvementsFromRowBelow().improvementsFirst(),
}};

constexpr PixelPoint iconSource(const IconGroup& group, std::int32_t r, std::int32_t c) {
    if (group.hasLeadColumn) {
        if (c == 0) return {group.lead.x, group.lead.y + r * kIconPitch.y};
        return shifted(group.source, kIconPitch, r, c - 1);
    }
    return shifted(group.source, kIconPitch, r, c);
}

constexpr PixelPoint improvementsSource(const IconGroup& group, std::int32_t r, std::int32_t c) {
    const PixelPoint from = iconSource(group, r, c);
    return {from.x, from.y + group.improvementsRowShift};
}

constexpr std::int32_t slotOf(const IconGroup& group, std::int32_t r, std::int32_t c) {
    return group.firstSlot == kNoSlot ? kNoSlot : group.firstSlot + r * group.slotRowPitch + c;
}

// Compile-time checks: the pixels each picture is touched at, and the slots written.
enum class IconPicture { Source, Icons, Improvements };

template <std::size_t N>
constexpr PixelBounds iconBounds(const std::array<IconGroup, N>& groups, IconPicture picture) {
    BoundsBuilder builder;
    for (const IconGroup& group : groups) {
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                const std::int32_t slot = slotOf(group, r, c);
                if (picture == IconPicture::Source) {
                    builder.add(iconSource(group, r, c), kIconWidth, kIconHeight);
                    if (slot != kNoSlot) {
                        builder.add(improvementsSource(group, r, c), kIconWidth, kIconHeight);
                    }
                } else if (picture == IconPicture::Icons) {
                    builder.add(shifted(group.icons, kIconPitch, r, c), kIconWidth, kIconHeight);
                } else if (slot != kNoSlot) {
                    builder.add(slotOrigin(slot), kIconWidth, kIconHeight);
                }
            }
        }
    }
    return builder.bounds;
}

// Slots 1-34 and 36-67 are each written once; 0, 35 and 68-71 keep the template's pictures.
template <std::size_t N>
constexpr bool writesDocumentedSlots(const std::array<IconGroup, N>& groups) {
    std::int32_t writes[kSlotCount] = {};
    for (const IconGroup& group : groups) {
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                const std::int32_t slot = slotOf(group, r, c);
                if (slot == kNoSlot) continue;
                if (slot < 0 || slot >= kSlotCount) return false;
                ++writes[slot];
            }
        }
    }
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) {
        const bool kept = slot == 0 || slot == 35 || slot >= 68;
        if (writes[slot] != (kept ? 0 : 1)) return false;
    }
    return true;
}

static_assert(fitsWidth(kIconsSourceExtent) && fitsWidth(kIconsDestinationExtent) && fitsWidth(kImprovementsExtent));
static_assert(iconBounds(kIconGroups, IconPicture::Source) == kIconsSourceExtent.touched);
static_assert(iconBounds(kIconGroups, IconPicture::Icons) == kIconsDestinationExtent.touched);
static_assert(iconBounds(kIconGroups, IconPicture::Improvements) == kImprovementsExtent.touched);
static_assert(writesDocumentedSlots(kIconGroups));

}  // namespace

int ScenarioConverter::convertPeople(const SourcePicture& source, TemplatePicture& destination) {
    return pasteCellGroups(*this, kPeopleGroups, source, destination);
}

int ScenarioConverter::convertIcons(const SourcePicture& source, TemplatePicture& iconsPicture,
                                    TemplatePicture& improvements) {
    int result = 1;
    for (const IconGroup& group : kIconGroups) {
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                const PixelPoint from = iconSource(group, r, c);
                const PixelRect icon{shifted(group.icons, kIconPitch, r, c), kIconWidth, kIconHeight};
                const std::int32_t slot = slotOf(group, r, c);
                auto pasteIcon = [&] {
                    // The icon's place is filled, then the icon pasted over it.
                    result &= fillThenCopyCell(*this, source, iconsPicture, icon, from, icon);
                };
                auto pasteImprovement = [&] {
                    if (slot == kNoSlot) return;
                    const PixelPoint improvementFrom = improvementsSource(group, r, c);
                    const PixelPoint slotAt = slotOrigin(slot);
                    result &= copyCellNarrow(source, improvements, improvementFrom.x, improvementFrom.y, slotAt.x,
                                             slotAt.y, kIconWidth, kIconHeight);
                };
                if (group.improvementsBeforeIcons) pasteImprovement();
                pasteIcon();
                if (!group.improvementsBeforeIcons) pasteImprovement();
            }
        }
    }
    return result;
}
