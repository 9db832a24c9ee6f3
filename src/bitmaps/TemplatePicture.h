#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>

#include "base/Outcome.h"
#include "bitmaps/BmpHeader.h"
#include "bitmaps/PictureExtent.h"

// Rows i of a rectangle (its row y + i), from begin up to but not including end.
struct RowSpan {
    std::int64_t begin;
    std::int64_t end;
};

// Reads the headers of the template `file` and checks that the layout that needs `extent`
// can fill it: an uncompressed 24-bit picture of the extent's width, tall enough, whose
// rows the file holds. Fails with what is wrong, worded to follow the picture's name
// ("is 320 pixels wide (640 needed)"); fills `header` on the way.
Outcome checkTemplateHeader(std::istream& file, const PictureExtent& extent, BmpHeader& header);

// A template: an uncompressed 24-bit bitmap that the layout edits on its way to the
// destination file, a window of rows at a time. Its header is checked when it is loaded;
// the bytes before and after the band (the rows the layout touches) pass through unchanged,
// and the band passes through memory window by window: read, edited by the cell
// primitives, written. The primitives check rectangles against the whole band and edit the
// rows that are in memory at the time.
class TemplatePicture {
public:
    // A window of rows: small enough to stay in the processor's cache between the read and
    // the write, large enough for few system calls.
    static constexpr std::int64_t kWindowBytes = 64 * 1024;

    // Reads the header of `file` and checks it against `extent` (checkTemplateHeader).
    // `windowBytes` sets the size of a window (at least one row).
    Outcome load(std::istream& file, const PictureExtent& extent, std::int64_t windowBytes = kWindowBytes);

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

    std::int64_t width() const { return header_.width; }
    std::int64_t rowCount() const { return header_.rowCount; }
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
    // rowStep() bytes further on: a bottom-up picture stores the row below first.
    std::uint8_t* pixel(std::int32_t x, std::int32_t y) {
        return held_.get() + (header_.pixelDataOffset + header_.storedRow(y) * header_.rowBytes() + 3 * x - heldBegin_);
    }
    std::ptrdiff_t rowStep() const { return header_.topDown ? header_.rowBytes() : -header_.rowBytes(); }

private:
    BmpHeader header_;
    std::int64_t bandFirstRow_ = 0;  // the band, in picture rows counted from the top
    std::int64_t bandRows_ = 0;
    std::int64_t bandFirstStoredRow_ = 0;  // the band's first row in the file
    std::int64_t windowRows_ = 0;
    std::int64_t heldFirstRow_ = 0;  // the rows in memory now, in picture rows
    std::int64_t heldRows_ = 0;
    std::int64_t heldBegin_ = 0;  // file position of the first byte held
    std::int64_t heldBytes_ = 0;
    // Kept from one load to the next, so that the templates of a run share their memory;
    // not zeroed first, as every byte is read into.
    std::unique_ptr<std::uint8_t[]> held_;
    std::int64_t capacity_ = 0;

    bool reserve(std::int64_t bytes);
    bool copyBytes(std::istream& from, std::ostream& to, std::int64_t begin, std::int64_t end);
    void holdNothing();
    void forget();
};
