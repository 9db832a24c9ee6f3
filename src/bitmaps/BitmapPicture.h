#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"

// Where the pixel rows of an uncompressed 24-bit bitmap lie in its file, as its own
// header states. Rows are found from the pixel-data offset, not from the end of the file,
// so that bytes after the last row (padding, a colour profile) shift nothing.
struct PictureGeometry {
    std::int64_t fileSize = 0;
    std::int64_t pixelDataOffset = 0;
    std::int32_t width = 0;
    std::int64_t rowCount = 0;  // 64 bits: a height of -2^31 has no 32-bit magnitude
    bool topDown = false;       // a negative height: the first row stored is the top row

    // Bytes per stored row: 3 per pixel, padded to a multiple of 4.
    std::int64_t rowBytes() const { return bmpRowBytes(width, 24); }
    // Row y, counted from the top, counted in the order the file stores its rows.
    std::int64_t storedRow(std::int64_t y) const { return topDown ? y : rowCount - 1 - y; }
    // Position in the file of the first byte of pixel (x, y), y counted from the top.
    std::int64_t position(std::int64_t x, std::int64_t y) const {
        return pixelDataOffset + storedRow(y) * rowBytes() + 3 * x;
    }
    // From a pixel to the pixel below it, in the file: a bottom-up picture stores the row
    // below first.
    std::int64_t rowStep() const { return topDown ? rowBytes() : -rowBytes(); }
};

// Checks a picture of this size against a layout that needs `extent`: a failure, worded to
// follow the picture's name, when it does not fit.
Outcome checkPictureSize(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent);

// Rows i of a rectangle (its row y + i), from begin up to but not including end.
struct RowSpan {
    std::int64_t begin;
    std::int64_t end;
};

// A bitmap file whose header has been checked, and whose band (the rows that a layout
// touches) is held in memory: at once, for a picture that cells are read from, or a
// window of rows at a time, for a template that the layout edits on its way to the
// destination file. The cell primitives check rectangles against the whole band and edit
// the rows in memory at the time.
class BitmapPicture {
public:
    enum class Holding {
        TouchedRows,  // the band, read at once
        Windows,      // the band a window of rows at a time, read by readWindow
    };

    // Reads the header of `file` and checks it against `extent`; holding TouchedRows, also
    // reads the band, in one read. Fails with what is wrong with the picture, worded to
    // follow its name ("is 320 pixels wide (640 needed)").
    Outcome load(std::istream& file, const PictureExtent& extent, Holding holding = Holding::TouchedRows);
    // For a picture decoded from a file of another kind (kept in memory): checks its size
    // against `extent` as load() does, and makes room for the band, held as the rows of a
    // top-down 24-bit picture for the decoder to fill through bandRow(). The rows are not
    // cleared: a decoder writes every pixel of the band, or clears the rows first.
    Outcome holdDecoded(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent);
    // Row y (from the top) of a band made by holdDecoded: 3 bytes per pixel in the order
    // blue, green, red; nullptr when the row lies outside the band.
    std::uint8_t* bandRow(std::int64_t y);
    // Sets every byte held to zero: black.
    void clearHeld();
    // For an uncompressed 24-bit picture whose file is in memory already, laid out as
    // `geometry` says: checks its size against `extent` as load() does and reads the band
    // where it lies in `file`, without a copy. The picture is then read only (bandRow() gives
    // nothing), and `file` must outlive its use.
    Outcome holdInPlace(const std::uint8_t* file, const PictureGeometry& geometry, const PictureExtent& extent);

    // Makes room for `bytes` held, so that the loads that follow, up to that size, reuse
    // one allocation (and the memory pages already touched). False when there is no room.
    bool reserve(std::int64_t bytes);

    // --- a picture held in windows: the band's rows in the order of the file ------------
    std::int64_t windowCount() const;
    // Reads window `index` of the band from `file`; past the last window, no row is held.
    // False when the read failed.
    bool readWindow(std::istream& file, std::int64_t index);
    // Copies the bytes of the file before the band (the header, and rows no layout touches)
    // from `from` to `to`, or those after it; through the window's memory, so that no row
    // is held afterwards. False when a read or a write failed.
    bool copyBeforeBand(std::istream& from, std::ostream& to);
    bool copyAfterBand(std::istream& from, std::ostream& to);

    // Writes the rows held to their place in `file`. False when the write failed.
    bool storeHeld(std::ostream& file) const;

    const PictureGeometry& geometry() const { return geometry_; }
    // True when the rectangle lies within the picture's width and its band.
    bool holds(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const;
    // The rows of the rectangle at row y, `height` rows high, that are in memory now.
    RowSpan rowsHeld(std::int64_t y, std::int64_t height) const {
        const std::int64_t begin = heldFirstRow_ > y ? heldFirstRow_ - y : 0;
        const std::int64_t heldEnd = heldFirstRow_ + heldRows_ - y;
        const std::int64_t end = heldEnd < height ? heldEnd : height;
        return {begin, end > begin ? end : begin};
    }
    // First byte of pixel (x, y); the row must be in memory. The pixel below it lies
    // geometry().rowStep() bytes further on.
    std::uint8_t* pixel(std::int32_t x, std::int32_t y) {
        return held_.get() + (geometry_.position(x, y) - heldBegin_);
    }
    const std::uint8_t* pixel(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* const rows = inPlace_ != nullptr ? inPlace_ : held_.get();
        return rows + (geometry_.position(x, y) - heldBegin_);
    }

private:
    PictureGeometry geometry_;
    std::int64_t bandFirstRow_ = 0;  // the band, in picture rows counted from the top
    std::int64_t bandRows_ = 0;
    std::int64_t bandFirstStoredRow_ = 0;  // the band's first row in the file
    std::int64_t windowRows_ = 0;
    std::int64_t heldFirstRow_ = 0;  // the rows in memory now, in picture rows
    std::int64_t heldRows_ = 0;
    std::int64_t heldBegin_ = 0;  // file position of the first byte held
    std::int64_t heldBytes_ = 0;
    // Kept from one load to the next, so that the pictures of a run share their memory;
    // not zeroed first, as every byte is read into.
    std::unique_ptr<std::uint8_t[]> held_;
    const std::uint8_t* inPlace_ = nullptr;  // the rows held in the caller's memory instead
    std::int64_t capacity_ = 0;

    bool readHeld(std::istream& file, std::int64_t firstStoredRow, std::int64_t rows);
    bool copyBytes(std::istream& from, std::ostream& to, std::int64_t begin, std::int64_t end);
    void holdNothing();
    void forget();
};
