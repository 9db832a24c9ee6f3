// Run-length encoded BMP rows. The data is a sequence of two-byte codes: a count and a
// value (a run of count pixels; at 4 bits the value's two halves alternate), or a zero
// and an escape: end of row, end of picture, a move by (dx, dy), or a count of 3 or more
// pixels stored as they are, padded to an even number of bytes. Rows go from the bottom
// of the picture up. Data that reaches past a row's end or past the last row is refused,
// as is data that ends before its end mark.
#include "bitmaps/BmpRunLength.h"

#include <string>

#include "bitmaps/PaletteColours.h"
#include "bitmaps/SourcePicture.h"

namespace {

enum Escape : std::uint8_t { kEndOfRow = 0, kEndOfPicture = 1, kMove = 2 };

constexpr const char* kCutShort = "is cut short (its run-length data ends before its end mark)";

class RunLengthRows {
public:
    RunLengthRows(PictureBytes data, std::uint32_t bitsPerPixel, std::int64_t width, std::int64_t rowCount,
                  const PaletteColours& palette, SourcePicture& picture)
        : data_(data), bits_(bitsPerPixel), width_(width), rowCount_(rowCount), palette_(palette), picture_(picture) {}

    Outcome decode() {
        picture_.clear();  // pixels that the data leaves out are black
        moveTo(0, 0);
        for (;;) {
            if (at_ + 2 > data_.size) return Outcome::failure(kCutShort);
            const std::uint8_t count = data_.data[at_];
            const std::uint8_t value = data_.data[at_ + 1];
            at_ += 2;
            if (count > 0) {
                if (!room(count)) return Outcome::failure(pastRow());
                for (std::uint32_t i = 0; i < count; ++i) put(i % 2 == 0 || bits_ == 8 ? high(value) : low(value));
                continue;
            }
            switch (value) {
                case kEndOfRow: moveTo(0, line_ + 1); break;
                case kEndOfPicture: return Outcome::success();
                case kMove: {
                    if (at_ + 2 > data_.size) return Outcome::failure(kCutShort);
                    moveTo(x_ + data_.data[at_], line_ + data_.data[at_ + 1]);
                    at_ += 2;
                    if (x_ > width_) return Outcome::failure(pastRow());
                    break;
                }
                default: {
                    // value pixels as they are, in whole 16-bit words.
                    const std::size_t bytes = (bits_ == 8 ? value : (value + 1u) / 2);
                    const std::size_t padded = (bytes + 1) / 2 * 2;
                    if (at_ + padded > data_.size) return Outcome::failure(kCutShort);
                    if (!room(value)) return Outcome::failure(pastRow());
                    for (std::uint32_t i = 0; i < value; ++i) {
                        const std::uint8_t byte = data_.data[at_ + (bits_ == 8 ? i : i / 2)];
                        put(bits_ == 8 || i % 2 == 0 ? high(byte) : low(byte));
                    }
                    at_ += padded;
                    break;
                }
            }
        }
    }

private:
    // At 4 bits a byte holds two pixels, the first in its high half.
    std::uint8_t high(std::uint8_t byte) const { return bits_ == 8 ? byte : static_cast<std::uint8_t>(byte >> 4); }
    static std::uint8_t low(std::uint8_t byte) { return byte & 0x0F; }

    bool room(std::uint32_t pixels) const { return line_ < rowCount_ && x_ + pixels <= width_; }
    // The wording of a failure at a code that reaches past its row, or past the last row.
    std::string pastRow() const {
        return line_ < rowCount_ ? "has run-length data that runs past the end of a row"
                                 : "has run-length data that runs past its last row";
    }

    void moveTo(std::int64_t x, std::int64_t line) {
        x_ = x;
        line_ = line;
        row_ = line < rowCount_ ? picture_.row(rowCount_ - 1 - line) : nullptr;
    }

    void put(std::uint8_t index) {
        if (row_ != nullptr) palette_.expand(&index, 1, row_ + 3 * x_);
        ++x_;
    }

    const PictureBytes data_;
    const std::uint32_t bits_;
    const std::int64_t width_;
    const std::int64_t rowCount_;
    const PaletteColours& palette_;
    SourcePicture& picture_;
    std::size_t at_ = 0;
    std::int64_t x_ = 0;
    std::int64_t line_ = 0;        // rows from the bottom
    std::uint8_t* row_ = nullptr;  // the row in the band, if it is there
};

}  // namespace

Outcome decodeRunLengthRows(PictureBytes data, std::uint32_t bitsPerPixel, std::int64_t width, std::int64_t rowCount,
                            const PaletteColours& palette, SourcePicture& picture) {
    return RunLengthRows(data, bitsPerPixel, width, rowCount, palette, picture).decode();
}
