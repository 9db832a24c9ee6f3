#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/ScenarioEdition.h"
#include "bitmaps/PictureExtent.h"

class SourcePicture;
class TemplatePicture;
class ScenarioConverter;

// How a cell's source origin is found.
enum class SourceRule {
    Grid,          // origin + (c × pitch.x, r × pitch.y)
    Terrain1Rows,  // column 0 from x = 1; columns 1 and 2 repeat the cell at x = 1 or x = 66
};

// Rows × columns of equal cells of one layout. Each cell (r, c) is filled with magenta in
// the destination, pasted from the source, and, when the group recolours, its gray pixels
// turned magenta. Cell (r, c) lies at origin + (c × pitch.x, r × pitch.y) in its picture;
// the fill and recolour rectangles move with the destination's pitch.
struct CellGroup {
    const char* name;
    std::int32_t rows;
    std::int32_t columns;
    std::int32_t width;  // the pasted (and recoloured) rectangle
    std::int32_t height;
    PixelPoint source{0, 0};
    PixelPoint sourcePitch{0, 0};
    PixelPoint destination{0, 0};
    PixelPoint destinationPitch{0, 0};
    PixelPoint fill{0, 0};  // the fill rectangle of cell (0, 0)
    std::int32_t fillWidth = 0;
    std::int32_t fillHeight = 0;
    bool recolours = false;
    PixelPoint recolour{0, 0};  // the recolour rectangle of cell (0, 0), of the cell's size
    // The one picture layout the group belongs to; every layout's when empty. FantasticWorlds
    // pictures differ from the others in a few groups.
    std::optional<EditionLayout> onlyFor{};
    SourceRule sourceRule = SourceRule::Grid;

    // Builders, so that a table row reads like the layout it describes.
    constexpr CellGroup from(std::int32_t x, std::int32_t y, std::int32_t pitchX, std::int32_t pitchY) const {
        CellGroup group = *this;
        group.source = {x, y};
        group.sourcePitch = {pitchX, pitchY};
        return group;
    }
    // The destination; the fill rectangle is the destination cell until fillAt says otherwise.
    constexpr CellGroup to(std::int32_t x, std::int32_t y, std::int32_t pitchX, std::int32_t pitchY) const {
        CellGroup group = *this;
        group.destination = {x, y};
        group.destinationPitch = {pitchX, pitchY};
        group.fill = {x, y};
        group.fillWidth = width;
        group.fillHeight = height;
        return group;
    }
    // Same place in both pictures.
    constexpr CellGroup at(std::int32_t x, std::int32_t y, std::int32_t pitchX, std::int32_t pitchY) const {
        return from(x, y, pitchX, pitchY).to(x, y, pitchX, pitchY);
    }
    constexpr CellGroup fillAt(std::int32_t x, std::int32_t y, std::int32_t fillW, std::int32_t fillH) const {
        CellGroup group = *this;
        group.fill = {x, y};
        group.fillWidth = fillW;
        group.fillHeight = fillH;
        return group;
    }
    constexpr CellGroup recolourAt(std::int32_t x, std::int32_t y) const {
        CellGroup group = *this;
        group.recolours = true;
        group.recolour = {x, y};
        return group;
    }
    constexpr CellGroup recolourCell() const { return recolourAt(destination.x, destination.y); }
    constexpr CellGroup only(EditionLayout layout) const {
        CellGroup group = *this;
        group.onlyFor = layout;
        return group;
    }
    constexpr CellGroup sourceBy(SourceRule rule) const {
        CellGroup group = *this;
        group.sourceRule = rule;
        return group;
    }
};

constexpr CellGroup cells(const char* name, std::int32_t rows, std::int32_t columns, std::int32_t width,
                          std::int32_t height) {
    return CellGroup{name, rows, columns, width, height};
}

// Terrain1.bmp, group T1: the second and third cell of each row repeat one source cell,
// the first one (x = 1) in rows 1, 6, 7, 8 and 10, the second one (x = 66) in the others.
constexpr std::int32_t terrain1SourceColumn(std::int32_t r, std::int32_t c) {
    if (c == 0) return 1;
    const bool repeatsFirstCell = r == 1 || r == 6 || r == 7 || r == 8 || r == 10;
    return repeatsFirstCell ? 1 : 66;
}

constexpr PixelPoint sourceOrigin(const CellGroup& group, std::int32_t r, std::int32_t c) {
    const std::int32_t y = group.source.y + r * group.sourcePitch.y;
    if (group.sourceRule == SourceRule::Terrain1Rows) return {terrain1SourceColumn(r, c), y};
    return {group.source.x + c * group.sourcePitch.x, y};
}

constexpr PixelPoint shifted(PixelPoint origin, PixelPoint pitch, std::int32_t r, std::int32_t c) {
    return {origin.x + c * pitch.x, origin.y + r * pitch.y};
}

// Walks the groups that apply to pictures of `layout`: groups in table order, rows in ascending r,
// columns in ascending c; per cell the fill, the copy, then the recolour. Returns 1, or 0
// when a primitive refused a rectangle.
int pasteCellGroups(ScenarioConverter& converter, const CellGroup* groups, std::size_t count,
                    const SourcePicture& source, TemplatePicture& destination,
                    EditionLayout layout = EditionLayout::None);

template <std::size_t N>
int pasteCellGroups(ScenarioConverter& converter, const std::array<CellGroup, N>& groups, const SourcePicture& source,
                    TemplatePicture& destination, EditionLayout layout = EditionLayout::None) {
    return pasteCellGroups(converter, groups.data(), N, source, destination, layout);
}

// --- Compile-time checks of the tables ---------------------------------------------------

// Bounds that grow to take in rectangles; starts empty.
struct BoundsBuilder {
    static constexpr std::int32_t kNone = std::numeric_limits<std::int32_t>::max();
    PixelBounds bounds{kNone, -kNone, kNone, -kNone};

    constexpr void add(PixelPoint origin, std::int32_t width, std::int32_t height) {
        bounds.firstColumn = std::min(bounds.firstColumn, origin.x);
        bounds.lastColumn = std::max(bounds.lastColumn, origin.x + width - 1);
        bounds.firstRow = std::min(bounds.firstRow, origin.y);
        bounds.lastRow = std::max(bounds.lastRow, origin.y + height - 1);
    }
};

// The pixels that the groups read from the source picture.
template <std::size_t N>
constexpr PixelBounds sourceBounds(const std::array<CellGroup, N>& groups) {
    BoundsBuilder builder;
    for (const CellGroup& group : groups) {
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                builder.add(sourceOrigin(group, r, c), group.width, group.height);
            }
        }
    }
    return builder.bounds;
}

// The pixels that the groups write in the destination picture: fills, pastes, recolours.
template <std::size_t N>
constexpr PixelBounds destinationBounds(const std::array<CellGroup, N>& groups) {
    BoundsBuilder builder;
    for (const CellGroup& group : groups) {
        const PixelPoint pitch = group.destinationPitch;
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                builder.add(shifted(group.fill, pitch, r, c), group.fillWidth, group.fillHeight);
                builder.add(shifted(group.destination, pitch, r, c), group.width, group.height);
                if (group.recolours) {
                    builder.add(shifted(group.recolour, pitch, r, c), group.width, group.height);
                }
            }
        }
    }
    return builder.bounds;
}

// Every group has cells, and no picture is wider than its extent allows.
template <std::size_t N>
constexpr bool groupsAreWellFormed(const std::array<CellGroup, N>& groups) {
    for (const CellGroup& group : groups) {
        if (group.rows < 1 || group.columns < 1 || group.width < 1 || group.height < 1) return false;
    }
    return true;
}

constexpr bool fitsWidth(const PictureExtent& extent) {
    return extent.touched.firstColumn >= 0 && extent.touched.lastColumn < extent.width &&
           extent.touched.firstRow >= 0 && extent.touched.firstRow <= extent.touched.lastRow;
}
