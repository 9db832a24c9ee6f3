#pragma once

#include <cstdint>
#include <iosfwd>

#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"

// The headers of a BMP file, read once for the scenario's pictures and the templates alike:
// the 14-byte file header, then the info header, whose first word is its own size.
constexpr std::int64_t kBmpFileHeaderBytes = 14;
constexpr std::int64_t kSmallestInfoHeaderBytes = 40;  // the smallest one with 32-bit sizes
constexpr std::int64_t kBmpHeaderBytes = kBmpFileHeaderBytes + kSmallestInfoHeaderBytes;

struct BmpHeader {
    std::int64_t fileSize = 0;
    std::int64_t infoHeaderBytes = 0;
    std::int64_t pixelDataOffset = 0;
    std::int64_t width = 0;
    std::int64_t rowCount = 0;  // 64 bits: a height of -2^31 has no 32-bit magnitude
    bool topDown = false;       // a negative height: the first row stored is the top row
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;

    std::int64_t rowBytes() const { return bmpRowBytes(width, bitsPerPixel); }
    // Picture row y, counted from the top, counted in the order the file stores its rows.
    // Rows are found from the pixel-data offset, not from the end of the file, so that
    // bytes after the last row (padding, a colour profile) shift nothing.
    std::int64_t storedRow(std::int64_t y) const { return topDown ? y : rowCount - 1 - y; }
    // Where the rows of an uncompressed picture end.
    std::int64_t pixelDataEnd() const { return pixelDataOffset + rowCount * rowBytes(); }
    // Picture rows firstRow..lastRow lie in the file as one run of stored rows (in reverse
    // order for a bottom-up picture): the run's first stored row, and its first byte.
    std::int64_t firstStoredRow(const PixelBounds& rows) const {
        const std::int64_t a = storedRow(rows.firstRow), b = storedRow(rows.lastRow);
        return a < b ? a : b;
    }
    std::int64_t bandPosition(const PixelBounds& rows) const {
        return pixelDataOffset + firstStoredRow(rows) * rowBytes();
    }
};

// Reads the headers at the start of `file`, whose size is `fileSize`. Fails, worded to
// follow the file's name, when it is not a BMP file ("is not a bitmap") or its info header
// is smaller than the 40-byte one; what the picture holds is left to the caller to check.
Outcome readBmpHeader(std::istream& file, std::int64_t fileSize, BmpHeader& header);
