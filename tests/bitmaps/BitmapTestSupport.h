#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "bitmaps/SourcePictureDecoding.h"
#include "bitmaps/TemplatePicture.h"
#include "driver/ScenarioConverter.h"
#include "kit/BitmapLayoutSample.h"
#include "kit/BitmapSample.h"

using Bytes = std::vector<std::uint8_t>;
using Pictures = std::vector<TemplatePicture>;

inline std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
inline Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Every row of a picture of this size.
inline PictureExtent wholePicture(std::int32_t width, std::int32_t rows) {
    return {width, {0, width - 1, 0, rows - 1}};
}

// Reads `bytes` as a scenario's picture; what the reader returned goes to `read`.
inline SourcePicture loadSource(const Bytes& bytes, const PictureExtent& extent, Outcome* read = nullptr) {
    std::istringstream file(asText(bytes));
    SourcePicture picture;
    Outcome outcome = decodeSourcePicture(file, extent, picture);
    if (read != nullptr) *read = std::move(outcome);
    return picture;
}

// Loads `bytes` as a template whose band is all in memory, in one window; what the load
// returned goes to `loaded`.
inline TemplatePicture loadTemplate(const Bytes& bytes, const PictureExtent& extent, Outcome* loaded = nullptr) {
    std::istringstream file(asText(bytes));
    TemplatePicture picture;
    Outcome outcome = picture.load(file, extent, extent.bandBytes());
    if (outcome.ok()) {
        EXPECT_TRUE(picture.readWindow(file, 0));
    }
    if (loaded != nullptr) *loaded = std::move(outcome);
    return picture;
}

inline SourcePicture loadWholeSource(const Bytes& bytes, std::int32_t width, std::int32_t rows) {
    return loadSource(bytes, wholePicture(width, rows));
}
inline TemplatePicture loadWholeTemplate(const Bytes& bytes, std::int32_t width, std::int32_t rows) {
    return loadTemplate(bytes, wholePicture(width, rows));
}

// `bytes` with the template's rows in memory written back into them.
inline Bytes storedInto(const Bytes& bytes, const TemplatePicture& picture) {
    std::stringstream file(asText(bytes), std::ios::in | std::ios::out | std::ios::binary);
    picture.storeHeld(file);
    return asBytes(file.str());
}

// True when the w × h rectangle at (x, y) of `picture` holds the rectangle at (fromX, fromY)
// of `from`, pixel for pixel.
inline bool sameCell(const Bytes& picture, std::int32_t x, std::int32_t y, const Bytes& from, std::int32_t fromX,
                     std::int32_t fromY, std::int32_t w, std::int32_t h) {
    for (std::int32_t i = 0; i < w * h; ++i) {
        if (!(pixelAt(picture, x + i % w, y + i / w) == pixelAt(from, fromX + i % w, fromY + i / w))) return false;
    }
    return true;
}

// Writes each template through its picture held in windows, the graphics driver's way: the
// bytes before the band, then window after window (every picture's window read, `edit` run
// on them all, every window written), then the bytes after the band. Returns the files.
inline std::vector<Bytes> streamInWindows(const std::vector<Bytes>& templates,
                                          const std::vector<PictureExtent>& extents,
                                          const std::function<void(Pictures&)>& edit) {
    const std::size_t count = templates.size();
    Pictures pictures(count);
    std::vector<std::istringstream> inputs;
    std::vector<std::stringstream> outputs(count);
    std::int64_t windows = 0;
    for (std::size_t i = 0; i < count; ++i) {
        inputs.emplace_back(asText(templates[i]), std::ios::binary);
        EXPECT_TRUE(pictures[i].load(inputs[i], extents[i]).ok());
        windows = std::max(windows, pictures[i].windowCount());
        EXPECT_TRUE(pictures[i].copyBeforeBand(inputs[i], outputs[i]));
    }
    for (std::int64_t window = 0; window < windows; ++window) {
        for (std::size_t i = 0; i < count; ++i) EXPECT_TRUE(pictures[i].readWindow(inputs[i], window));
        edit(pictures);
        for (std::size_t i = 0; i < count; ++i) EXPECT_TRUE(pictures[i].storeHeld(outputs[i]));
    }
    std::vector<Bytes> written;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(pictures[i].copyAfterBand(inputs[i], outputs[i]));
        written.push_back(asBytes(outputs[i].str()));
    }
    return written;
}

// The same picture stored top-down: its height negated, its rows in the other order.
inline Bytes topDownCopy(const Bytes& bottomUp, std::int32_t width, std::int32_t rows) {
    Bytes topDown = bottomUp;
    const std::uint32_t height = static_cast<std::uint32_t>(-rows);
    for (int i = 0; i < 4; ++i) topDown[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    const std::int64_t rowBytes = bitmapRowBytes(width);
    for (std::int32_t row = 0; row < rows; ++row) {
        const auto from = bottomUp.begin() + 54 + row * rowBytes;
        std::copy_n(from, rowBytes, topDown.begin() + 54 + (rows - 1 - row) * rowBytes);
    }
    return topDown;
}
