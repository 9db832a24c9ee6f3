#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"

// A scenario's picture as the cell primitives read it: the band of rows its layout touches,
// held read-only as the rows of a 24-bit picture (3 bytes a pixel, blue, green, red), of
// whatever kind the file was. The readers fill it; the layouts only read it.
class SourcePicture {
public:
    // The order of the band's rows in memory: an uncompressed 24-bit file's band is read
    // into it as the file stores it, bottom-up or top-down; the decoders write top-down.
    enum class RowOrder { TopDown, BottomUp };

    std::int64_t width() const { return width_; }
    std::int64_t rowCount() const { return rowCount_; }
    // True when the rectangle lies within the picture's width and its band.
    bool holds(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const {
        return x >= 0 && width >= 0 && x + width <= width_ && y >= firstRow_ && height >= 0 &&
               y + height <= firstRow_ + rows_;
    }
    // First byte of pixel (x, y) of the band. The pixel below it lies rowStep() bytes
    // further on.
    const std::uint8_t* pixel(std::int32_t x, std::int32_t y) const { return rowAt(y) + 3 * std::ptrdiff_t{x}; }
    std::ptrdiff_t rowStep() const { return order_ == RowOrder::TopDown ? rowBytes_ : -rowBytes_; }

    // --- for the readers -------------------------------------------------------------------
    // Checks a picture of this size against `extent` and makes room for its band, rows in
    // `order`. The rows are not cleared: a reader writes every pixel of the band, or clears
    // the rows first. Fails with the problem, worded to follow the picture's name.
    Outcome hold(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent,
                 RowOrder order = RowOrder::TopDown);
    // Row y (from the top) of the band to write into; nullptr when it lies outside the band.
    std::uint8_t* row(std::int64_t y) { return y >= firstRow_ && y < firstRow_ + rows_ ? rowAt(y) : nullptr; }
    // The band's bytes, as one run in memory: bandBytes() rows of 4-byte-padded 24-bit
    // pixels, in the order hold() was given.
    std::uint8_t* band() { return rows_ > 0 ? memory_.get() : nullptr; }
    std::int64_t bandBytes() const { return rows_ * rowBytes_; }
    // Sets every byte of the band to zero: black.
    void clear();
    // Makes room for a band of `bytes`, so that the pictures read afterwards, up to that
    // size, reuse one allocation (and the memory pages already touched). False when there
    // is no room.
    bool reserve(std::int64_t bytes);

private:
    std::int64_t width_ = 0;
    std::int64_t rowCount_ = 0;
    std::int64_t firstRow_ = 0;  // the band, in picture rows counted from the top
    std::int64_t rows_ = 0;
    std::int64_t rowBytes_ = 0;
    RowOrder order_ = RowOrder::TopDown;
    std::unique_ptr<std::uint8_t[]> memory_;
    std::int64_t capacity_ = 0;

    std::uint8_t* rowAt(std::int64_t y) const {
        const std::int64_t index = order_ == RowOrder::TopDown ? y - firstRow_ : firstRow_ + rows_ - 1 - y;
        return memory_.get() + index * rowBytes_;
    }
    void forget();
};
