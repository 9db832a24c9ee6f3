#pragma once

#include <cstdint>
#include <string>

#include "base/Outcome.h"

// Bytes of one stored row of a BMP picture: its pixels' bits, padded to a whole number of
// 32-bit words.
constexpr std::int64_t bmpRowBytes(std::int64_t width, std::int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}
static_assert(bmpRowBytes(640, 24) == 1920 && bmpRowBytes(585, 24) == 1756,
              "a wide picture's row is 1920 bytes, a narrow picture's 1756");

// A pixel, counted from 0 at the left and top edges; and a rectangle of pixels, from its
// top-left pixel.
struct PixelPoint {
    std::int32_t x;
    std::int32_t y;
};
struct PixelRect {
    PixelPoint origin;
    std::int32_t width;
    std::int32_t height;
};

// The pixels a layout touches in one picture: columns and rows, both ends included,
// counted from 0 at the left and top edges.
struct PixelBounds {
    std::int32_t firstColumn;
    std::int32_t lastColumn;
    std::int32_t firstRow;
    std::int32_t lastRow;

    constexpr bool operator==(const PixelBounds& other) const {
        return firstColumn == other.firstColumn && lastColumn == other.lastColumn && firstRow == other.firstRow &&
               lastRow == other.lastRow;
    }
};

// What a layout needs of one picture: its exact width, and the pixels it touches. The
// picture must hold at least touched.lastRow + 1 rows.
struct PictureExtent {
    std::int32_t width;
    PixelBounds touched;

    constexpr std::int32_t minimumRows() const { return touched.lastRow + 1; }
    // Bytes of the touched rows in a picture of this width: 3 per pixel, each row padded
    // to a multiple of 4.
    constexpr std::int64_t bandBytes() const {
        return std::int64_t{touched.lastRow - touched.firstRow + 1} * bmpRowBytes(width, 24);
    }
};

// The two row geometries of the game's pictures.
constexpr std::int32_t kWidePictureWidth = 640;    // every scenario picture and template but one
constexpr std::int32_t kNarrowPictureWidth = 585;  // the Improvements.bmp template

// Checks a picture of this size against a layout that needs `extent`: a failure, worded to
// follow the picture's name, when it does not fit.
inline Outcome checkPictureSize(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent) {
    if (width != extent.width) {
        return Outcome::failure("is " + std::to_string(width) + " pixels wide (" + std::to_string(extent.width) +
                                " needed)");
    }
    if (rowCount < extent.minimumRows()) {
        return Outcome::failure("is too small (" + std::to_string(rowCount) + " rows, at least " +
                                std::to_string(extent.minimumRows()) + " needed)");
    }
    return Outcome::success();
}
