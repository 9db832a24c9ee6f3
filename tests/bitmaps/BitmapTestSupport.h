#pragma once

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmaps/BitmapPicture.h"
#include "driver/ScenarioConverter.h"
#include "kit/BitmapLayoutSample.h"
#include "kit/BitmapSample.h"

using Bytes = std::vector<std::uint8_t>;

inline std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
inline Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Every row of a picture of this size.
inline PictureExtent wholePicture(std::int32_t width, std::int32_t rows) {
    return {width, {0, width - 1, 0, rows - 1}};
}

// Loads `bytes` as a picture; the problem the loader names, if any, goes to `problem`.
inline BitmapPicture loadPicture(const Bytes& bytes, const PictureExtent& extent,
                                 std::string* problem = nullptr) {
    std::istringstream file(asText(bytes));
    BitmapPicture picture;
    const std::string found = picture.load(file, extent);
    if (problem != nullptr) *problem = found;
    return picture;
}

inline BitmapPicture loadWhole(const Bytes& bytes, std::int32_t width, std::int32_t rows) {
    return loadPicture(bytes, wholePicture(width, rows));
}

// `bytes` with the picture's rows written back into them.
inline Bytes storedInto(const Bytes& bytes, const BitmapPicture& picture) {
    std::stringstream file(asText(bytes), std::ios::in | std::ios::out | std::ios::binary);
    picture.storeHeld(file);
    return asBytes(file.str());
}

// True when the w × h rectangle at (x, y) of `picture` holds the rectangle at (fromX, fromY)
// of `from`, pixel for pixel.
inline bool sameCell(const Bytes& picture, std::int32_t x, std::int32_t y, const Bytes& from,
                     std::int32_t fromX, std::int32_t fromY, std::int32_t w, std::int32_t h) {
    for (std::int32_t dy = 0; dy < h; ++dy) {
        for (std::int32_t dx = 0; dx < w; ++dx) {
            if (!(pixelAt(picture, x + dx, y + dy) == pixelAt(from, fromX + dx, fromY + dy))) {
                return false;
            }
        }
    }
    return true;
}

// Runs a one-destination layout on 640 × 480 pictures and returns the destination's bytes.
template <typename Layout>
Bytes runLayout(ScenarioConverter& converter, const Bytes& source, const Bytes& target,
                Layout layout) {
    const BitmapPicture sourcePicture = loadWhole(source, 640, 480);
    BitmapPicture targetPicture = loadWhole(target, 640, 480);
    EXPECT_EQ((converter.*layout)(sourcePicture, targetPicture), 1);
    return storedInto(target, targetPicture);
}
