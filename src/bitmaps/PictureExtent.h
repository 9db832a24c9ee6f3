#pragma once

#include <cstdint>

// The pixels a layout touches in one picture: columns and rows, both ends included,
// counted from 0 at the left and top edges.
struct PixelBounds {
    std::int32_t firstColumn;
    std::int32_t lastColumn;
    std::int32_t firstRow;
    std::int32_t lastRow;

    constexpr bool operator==(const PixelBounds& other) const {
        return firstColumn == other.firstColumn && lastColumn == other.lastColumn &&
               firstRow == other.firstRow && lastRow == other.lastRow;
    }
};

// What a layout needs of one picture: its exact width, and the pixels it touches. The
// picture must hold at least touched.lastRow + 1 rows.
struct PictureExtent {
    std::int32_t width;
    PixelBounds touched;

    constexpr std::int32_t minimumRows() const { return touched.lastRow + 1; }
};

// The two row geometries of the game's pictures.
constexpr std::int32_t kWidePictureWidth = 640;    // every scenario picture and template but one
constexpr std::int32_t kNarrowPictureWidth = 585;  // the Improvements.bmp template
