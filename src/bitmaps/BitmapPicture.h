#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

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
    std::int64_t rowBytes() const { return (std::int64_t{width} * 3 + 3) / 4 * 4; }
    // Position in the file of the first byte of pixel (x, y), y counted from the top.
    std::int64_t position(std::int64_t x, std::int64_t y) const;
};

// A bitmap file whose header has been checked and whose pixel rows in one band (the rows a
// layout touches) are held in memory, alone or with the rest of the file. The cell
// primitives paste into the band; the driver writes it into a copy of the file it was
// read from.
class BitmapPicture {
public:
    enum class Holding { TouchedRows, WholeFile };

    // Reads the header of `file`, checks it against `extent` and loads the rows that the
    // extent touches (with the whole file, if asked). Returns what is wrong with the
    // picture, worded to follow its name ("is 320 pixels wide (640 needed)"); empty when
    // the picture is loaded.
    std::string load(std::istream& file, const PictureExtent& extent,
                     Holding holding = Holding::TouchedRows);
    // Writes the band of touched rows to its place in `file`. False when the write failed.
    bool storeRows(std::ostream& file) const;
    // Writes every byte held, from the start of `file`: a copy of the whole file when it
    // was loaded as a whole. False when the write failed.
    bool storeHeld(std::ostream& file) const;

    const PictureGeometry& geometry() const { return geometry_; }
    // True when the rectangle lies within the picture's width and the rows held.
    bool holds(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const;
    // First byte of pixel (x, y); the pixel must be held.
    std::uint8_t* pixel(std::int32_t x, std::int32_t y);
    const std::uint8_t* pixel(std::int32_t x, std::int32_t y) const;

private:
    PictureGeometry geometry_;
    std::int64_t firstRow_ = 0;  // the band, in picture rows counted from the top
    std::int64_t rowCount_ = 0;
    std::int64_t bandBegin_ = 0;  // file position of the band's first byte
    std::int64_t bandBytes_ = 0;
    std::int64_t heldBegin_ = 0;  // file position of the first byte held
    std::int64_t heldBytes_ = 0;
    // Kept from one load to the next, so that the pictures of a run share their memory;
    // not zeroed first, as every byte is read into.
    std::unique_ptr<std::uint8_t[]> held_;
    std::int64_t capacity_ = 0;

    void forget();
};
