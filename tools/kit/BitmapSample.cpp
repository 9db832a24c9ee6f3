#include "kit/BitmapSample.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bitmaps/PictureExtent.h"
#include "kit/ByteWriting.h"
#include "kit/Random.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 54;

std::int32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return static_cast<std::int32_t>(in[at] | in[at + 1] << 8 | in[at + 2] << 16 |
                                     static_cast<std::uint32_t>(in[at + 3]) << 24);
}

}  // namespace

std::int64_t bitmapRowBytes(std::int32_t width) { return bmpRowBytes(width, 24); }

std::vector<std::uint8_t> makeBitmap(const BitmapSampleOptions& options) {
    const std::int64_t rowBytes = bmpRowBytes(options.width, options.bitsPerPixel);
    const std::int64_t rows = std::llabs(options.height);
    const std::int64_t pixelBytes = rowBytes * rows;
    std::vector<std::uint8_t> out(kHeaderBytes + pixelBytes + options.trailingBytes);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, kHeaderBytes);
    put32(out, 14, 40);
    put32(out, 18, static_cast<std::uint32_t>(options.width));
    put32(out, 22, static_cast<std::uint32_t>(options.height));
    put16(out, 26, 1);
    put16(out, 28, options.bitsPerPixel);
    put32(out, 30, options.compression);
    put32(out, 34, static_cast<std::uint32_t>(pixelBytes));
    put32(out, 38, 2835);
    put32(out, 42, 2835);

    SampleRandom random(options.seed);
    for (std::int64_t row = 0; row < rows; ++row) {
        std::uint8_t* p = out.data() + kHeaderBytes + row * rowBytes;
        for (std::int64_t x = 0; x + 2 < rowBytes && x / 3 < options.width; x += 3) {
            const std::uint32_t kind = random.below(16);
            if (kind == 0) {
                p[x] = p[x + 1] = p[x + 2] = 135;  // gray
            } else if (kind == 1) {
                p[x] = 255, p[x + 1] = 0, p[x + 2] = 255;  // magenta
            } else {
                p[x] = random.byte(), p[x + 1] = random.byte(), p[x + 2] = random.byte();
            }
        }
    }
    for (std::uint32_t i = 0; i < options.trailingBytes; ++i) {
        out[kHeaderBytes + pixelBytes + i] = random.byte();
    }
    return out;
}

std::int64_t pixelOffset(const std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y) {
    const std::int32_t dataOffset = get32(bitmap, 10);
    const std::int32_t width = get32(bitmap, 18);
    const std::int32_t height = get32(bitmap, 22);
    const std::int64_t storedRow = height > 0 ? height - 1 - y : y;
    return dataOffset + storedRow * bitmapRowBytes(width) + 3 * std::int64_t{x};
}

PixelBytes pixelAt(const std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y) {
    const std::int64_t at = pixelOffset(bitmap, x, y);
    return {bitmap.at(at), bitmap.at(at + 1), bitmap.at(at + 2)};
}

void setPixel(std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y, PixelBytes value) {
    const std::int64_t at = pixelOffset(bitmap, x, y);
    bitmap.at(at) = value.b0;
    bitmap.at(at + 1) = value.b1;
    bitmap.at(at + 2) = value.b2;
}
